#include "gui/dropprogress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QWidget>

DropProgress::DropProgress(QWidget *target, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_target(target)
    , m_dialogParent(dialogParent)
{
    target->installEventFilter(this);
}

bool DropProgress::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_target || event->type() != QEvent::Drop || m_inDrop)
        return false;

    // Hand the drop to the target ourselves, so we know where it begins and ends.
    m_inDrop = true;
    m_count = 0;
    m_eventsAt = 0;
    m_clock.start();
    QCoreApplication::sendEvent(watched, event);
    m_inDrop = false;
    delete m_dialog;
    return true;
}

bool DropProgress::wanted() const
{
    return !(m_dialog && m_dialog->wasCanceled());
}

void DropProgress::added()
{
    if (!m_inDrop)
        return;
    ++m_count;
    if (!m_dialog && m_clock.elapsed() >= m_showAfterMs) {
        m_dialog = new QProgressDialog(m_dialogParent);
        m_dialog->setWindowTitle(QCoreApplication::translate("mw", "Adding images"));
        m_dialog->setRange(0, 0);
        m_dialog->setMinimumDuration(0);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->show();
    }
    if (m_dialog) {
        m_dialog->setLabelText(QCoreApplication::translate("mw", "Added %n image(s)...", nullptr, m_count));
        // Lets the dialog paint and its Cancel button be pressed between files.
        QCoreApplication::processEvents();
    } else if (m_clock.elapsed() - m_eventsAt >= eventsEveryMs) {
        // The window keeps painting and taking finished work while a large folder is walked;
        // input waits for the dialog, so no second drop can start inside this one.
        m_eventsAt = m_clock.elapsed();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
