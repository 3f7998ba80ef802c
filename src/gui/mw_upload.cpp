// Uploads: the slots the table and the buttons reach, and the uploader's answers.

#include "gui/mw.h"

#include <QNetworkReply>
#include <QSignalMapper>

#include "base/uploader.h"
#include "gui/mwui.h"

using namespace tarvello;

void mw::upload(const QString &, int row)
{
    if (row < 0 || row >= objs.size())
        return;
    const imgobj &entry = objs.at(row);
    m_uploader->enqueue(row, {entry.file, entry.desc, ui->usr->text(), ui->pw->text()});
}

void mw::uploadStarted(int row, QNetworkReply *reply)
{
    objs[row].reply = reply;
    // Replies can finish in any order; the row travels with the mapping, not with the reply.
    connect(reply, &QNetworkReply::finished, mapper, qOverload<>(&QSignalMapper::map));
    mapper->setMapping(reply, row);
}

void mw::uploadProgressed(int row, double sent)
{
    m_views[row].progress = sent;
    renderRow(row);
}

void mw::startUpload(int row)
{
    // An edit still being written goes out once its file is complete.
    if (!uploadWaitsForSave(row))
        upload(objs.at(row).file, row);
    objs[row].state = EntryState::Uploading;
    renderRow(row);
}

void mw::objhanlde(int row)
{
    if (row < 0 || row >= objs.size() || !objs.at(row).reply)
        return;
    imgobj &entry = objs[row];
    const UploadOutcome outcome = m_uploader->finish(std::exchange(entry.reply, nullptr));

    EntryView &view = m_views[row];
    view.answer = outcome.text;
    view.tooltip = outcome.tooltip;
    view.progress = -1.0;
    entry.link = QUrl(outcome.text, QUrl::TolerantMode);
    entry.state = EntryState::Handled;
    renderRow(row);
}

void mw::uploadall()
{
    const int count = objs.size();
    for (int row = 0; row < count; ++row) {
        if (objs.at(row).state == EntryState::Waiting)
            startUpload(row);
    }
}
