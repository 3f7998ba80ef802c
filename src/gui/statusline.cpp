#include "gui/statusline.h"

#include <QLabel>
#include <QTimer>

#include "gui/eventhook.h"

namespace tarvello {

StatusLine::StatusLine(QLabel *line, std::function<QString()> summary, QObject *parent)
    : QObject(parent)
    , m_line(line)
    , m_summaryOf(std::move(summary))
    , m_noticeTimer(new QTimer(this))
{
    // A notice stands for a while, then the summary comes back.
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(noticeMs);
    connect(m_noticeTimer, &QTimer::timeout, this, &StatusLine::showSummary);
    new EventHook(line, [this](QEvent *event) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            setText(m_text);
        return false;
    });
}

void StatusLine::notify(const QString &text)
{
    // The queue as it is now is what the notice stands over; only a later change replaces it.
    m_summary = m_summaryOf();
    m_lastNotice = text;
    setText(text);
    m_line->setToolTip(text);
    m_noticeTimer->start();
}

void StatusLine::withdraw()
{
    if (!m_noticeTimer->isActive())
        return;
    m_noticeTimer->stop();
    m_summary = m_summaryOf();
    setText(m_summary);
    m_line->setToolTip(QString());
}

void StatusLine::queueChanged()
{
    // Once per pass of the event loop: a drop changes a thousand rows in one go.
    if (m_summaryPending)
        return;
    m_summaryPending = true;
    QMetaObject::invokeMethod(this, [this] {
        m_summaryPending = false;
        showSummary();
    }, Qt::QueuedConnection);
}

void StatusLine::showSummary()
{
    const QString summary = m_summaryOf();
    // A progress step changes nothing here, so a notice stands until the queue really changes.
    if (summary == m_summary && m_noticeTimer->isActive())
        return;
    m_summary = summary;
    m_noticeTimer->stop();
    setText(summary);
    m_line->setToolTip(QString());
}

void StatusLine::setText(const QString &text)
{
    m_text = text;
    // Heard whole, though seen cut; a new name is what a screen reader announces.
    if (m_line->accessibleName() != text)
        m_line->setAccessibleName(text);
    // Cut where it no longer fits, and say so, rather than mid-word.
    m_line->setText(m_line->isVisible()
                            ? m_line->fontMetrics().elidedText(text, Qt::ElideRight, m_line->contentsRect().width())
                            : text);
}

} // namespace tarvello
