// The line under the table: what the queue holds, and short messages that would otherwise go
// unsaid.

#include "gui/mw.h"

#include <QTimer>

#include "base/summary.h"
#include "gui/eventhook.h"
#include "gui/mwui.h"

void mw::notify(const QString &text)
{
    // The queue as it is now is what the notice stands over; only a later change replaces it.
    m_summary = queueSummary();
    m_lastNotice = text;
    setStatusText(text);
    // The line is as wide as the window allows; a long message is there in full on hovering.
    ui->statusLine->setToolTip(text);
    m_noticeTimer->start();
}

void mw::setUpStatusLine()
{
    // A notice stands for a while, then the summary comes back.
    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(5000);
    connect(m_noticeTimer, &QTimer::timeout, this, &mw::showSummary);
    new EventHook(ui->statusLine, [this](QEvent *event) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            setStatusText(m_statusText);
        return false;
    });
}

void mw::setStatusText(const QString &text)
{
    m_statusText = text;
    QLabel *line = ui->statusLine;
    // Cut where it no longer fits, and say so, rather than mid-word.
    line->setText(line->isVisible() ? line->fontMetrics().elidedText(text, Qt::ElideRight, line->contentsRect().width())
                                    : text);
}

QString mw::queueSummary() const
{
    tarvello::QueueCounts counts;
    for (int row = 0; row < objs.size(); ++row) {
        if (isShown(row))
            counts.count(objs.at(row));
    }
    return tarvello::queueSummary(counts);
}

void mw::showSummary()
{
    const QString summary = queueSummary();
    // A progress step changes nothing here, so a notice stands until the queue really changes.
    if (summary == m_summary && m_noticeTimer->isActive())
        return;
    m_summary = summary;
    m_noticeTimer->stop();
    setStatusText(summary);
    ui->statusLine->setToolTip(QString());
}
