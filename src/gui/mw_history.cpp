// The upload history, the links on the clipboard at the end of a batch, and the desktop
// notification when a batch ends out of sight.

#include "gui/mw.h"

#include <QAction>
#include <QDBusConnection>
#include <QApplication>
#include <QMenu>

#include "base/history.h"
#include "base/notifications.h"
#include "base/preferences.h"
#include "base/uploadqueue.h"
#include "gui/eventhook.h"
#include "gui/historyrecorder.h"
#include "gui/historytexts.h"
#include "gui/historywindow.h"
#include "gui/statusline.h"

using namespace tarvello;

void mw::setUpHistory()
{
    m_historyAction = new QAction(tr("Upload history..."), this);
    m_historyAction->setObjectName(QStringLiteral("historyAction"));
    m_historyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    // Without a history (the window of a test) there is nothing to open.
    m_historyAction->setEnabled(false);
    connect(m_historyAction, &QAction::triggered, this, &mw::showHistory);
    // The menu's shortcuts work only while it is open; the window takes them as well.
    addAction(m_historyAction);

    m_copyLinks = new QAction(tr("Copy new links to the clipboard"), this);
    m_copyLinks->setObjectName(QStringLiteral("copyLinksAction"));
    m_copyLinks->setCheckable(true);
    m_copyLinks->setChecked(DesktopPreferences().copyLinks);

    m_menu->addSeparator();
    m_menu->addAction(m_historyAction);
    m_menu->addAction(m_copyLinks);
    connect(m_queue, &UploadQueue::batchFinished, this, &mw::batchFinished);
}

void mw::setHistory(HistoryStore *history)
{
    m_history = history;
    new HistoryRecorder(m_queue, history, this);
    m_historyAction->setEnabled(true);
    // The store says its first fault once; uploads go on without it.
    const auto said = [this, history](HistoryFault fault, const QString &detail) {
        m_status->notify(historyFaultText(fault, history->path(), detail));
    };
    connect(history, &HistoryStore::faulted, this, said);
    if (history->fault() != HistoryFault::None)
        said(history->fault(), history->faultDetail());
}

void mw::showHistory()
{
    if (!m_history)
        return;
    bool created = false;
    HistoryWindow *window = HistoryWindow::showFor(this, m_history, &created);
    if (created) {
        connect(window, &HistoryWindow::uploadAgain, this, [this](const QString &path, const QString &description) {
            m_queue->add(path, false, target(), description);
        });
    }
}

void mw::batchFinished(const QList<int> &rows)
{
    int uploaded = 0;
    int failed = 0;
    for (int row : rows) {
        if (!m_queue->isShown(row))
            continue;
        const UploadResult &result = m_queue->record(row).result;
        if (result.linked())
            ++uploaded;
        else if (!result.withdrawn())
            ++failed;
    }
    const bool copy = uploaded > 0 && m_copyLinks->isChecked();
    if (copy)
        copyLinks(linksOfRows(rows));
    if (uploaded + failed > 0)
        tellBatchDone(uploaded, failed, copy);
}

void mw::tellBatchDone(int uploaded, int failed, bool linksCopied)
{
    // Only while none of the program's windows is in front (the history's counts as one), and
    // only for a window that has been on the desktop: one made and never shown says nothing.
    if (!windowHandle() || QApplication::activeWindow())
        return;
    if (!m_notifier) {
        m_notifier = new DesktopNotifier(QDBusConnection::sessionBus(), this);
        connect(m_notifier, &DesktopNotifier::activated, this, [this] {
            showNormal();
            raise();
            activateWindow();
        });
        // Come to the window by himself, the user needs the word no more.
        new EventHook(this, [this](QEvent *event) {
            if (event->type() == QEvent::WindowActivate)
                m_notifier->withdraw();
            return false;
        });
    }
    const BatchNotice notice = batchDoneNotice(uploaded, failed, linksCopied);
    m_notifier->show(notice.summary, notice.body, notice.action);
}
