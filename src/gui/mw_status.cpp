// The line under the table: what the queue holds, and short messages that would otherwise go
// unsaid.

#include "gui/mw.h"

#include <QTimer>

#include "base/summary.h"
#include "gui/mwui.h"

void mw::notify(const QString &text)
{
    m_lastNotice = text;
    ui->statusLine->setText(text);
    // The line is as wide as the window allows; a long message is there in full on hovering.
    ui->statusLine->setToolTip(text);
    m_noticeTimer->start();
}

void mw::showSummary()
{
    tarvello::QueueCounts counts;
    for (int row = 0; row < objs.size(); ++row) {
        if (isShown(row))
            counts.count(objs.at(row));
    }
    const QString summary = tarvello::queueSummary(counts);
    // A progress step changes nothing here, so a notice stands until the queue really changes.
    if (summary == m_summary && m_noticeTimer->isActive())
        return;
    m_summary = summary;
    m_noticeTimer->stop();
    ui->statusLine->setText(summary);
    ui->statusLine->setToolTip(QString());
}
