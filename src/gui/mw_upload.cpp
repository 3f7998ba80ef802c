// Uploads: the slots the table and the buttons reach, and the uploader's answers.

#include "gui/mw.h"

#include <QNetworkReply>
#include <QSignalMapper>

#include "base/request.h"
#include "base/uploader.h"
#include "gui/mwui.h"

using namespace tarvello;

void mw::upload(const QString &, int row)
{
    if (row < 0 || row >= objs.size())
        return;
    const imgobj &entry = objs.at(row);
    const QString user = ui->usr->text();
    const QString password = ui->pw->text();
    if (const QString why = unsendableLogin(user, password); !why.isEmpty()) {
        uploadFinished(row, {false, tr("failed"), why, QUrl()});
        return;
    }
    m_uploader->enqueue(row, {entry.file, entry.desc, user, password});
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
    objs[row].state = EntryState::Uploading;
    renderRow(row);
    upload(objs.at(row).file, row);
}

void mw::objhanlde(int row)
{
    if (row < 0 || row >= objs.size() || !objs.at(row).reply)
        return;
    uploadFinished(row, m_uploader->finish(std::exchange(objs[row].reply, nullptr)));
}

void mw::uploadFinished(int row, const UploadOutcome &outcome)
{
    imgobj &entry = objs[row];
    EntryView &view = m_views[row];
    view.answer = outcome.text;
    view.tooltip = outcome.tooltip;
    view.link = outcome.link;
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
