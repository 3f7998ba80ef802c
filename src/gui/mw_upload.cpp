// Uploads: the slots the table and the buttons reach, and the uploader's answers.

#include "gui/mw.h"

#include <QMessageBox>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalMapper>

#include "base/fileproblem.h"
#include "base/request.h"
#include "base/uploader.h"
#include "gui/mwui.h"

using namespace tarvello;

void mw::upload(const QString &, int row)
{
    if (row < 0 || row >= objs.size())
        return;
    enqueueUpload(row, currentLogin());
}

mw::Login mw::currentLogin() const
{
    return {ui->usr->text(), ui->pw->text()};
}

void mw::enqueueUpload(int row, const Login &login)
{
    if (const QString why = unsendableLogin(login.user, login.password); !why.isEmpty()) {
        uploadFinished(row, {false, tr("failed"), why, QUrl()});
        return;
    }
    const imgobj &entry = objs.at(row);
    m_uploader->enqueue(row, {entry.file, entry.desc, login.user, login.password});
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
    if (!isShown(row))
        return;
    objs[row].state = EntryState::Uploading;
    renderRow(row);
    // An edit still being written goes out once its file is complete, with the login of now.
    if (m_edits->isWriting(objs.at(row).file))
        m_waitingUploads.insert(row, currentLogin());
    else
        sendUpload(row, currentLogin());
}

void mw::sendUpload(int row, const Login &login)
{
    // The file may have changed since it was added; its failure should name what is wrong here.
    m_views[row].problem = fileProblem(objs.at(row).file);
    enqueueUpload(row, login);
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
    view.tooltip = outcome.linked || view.problem.isEmpty() ? outcome.tooltip : view.problem;
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
        if (isShown(row) && objs.at(row).state == EntryState::Waiting)
            startUpload(row);
    }
}

void mw::cancelUpload(int row)
{
    // A running upload finishes at once, as failed, through objhanlde; a queued one never
    // started and so never finishes: it is closed here.
    m_uploader->cancel(row);
    m_waitingUploads.remove(row);
    imgobj &entry = objs[row];
    if (entry.state != EntryState::Uploading || entry.reply)
        return;
    EntryView &view = m_views[row];
    view.answer = tr("failed");
    view.tooltip = tr("Cancelled before it was sent.");
    view.progress = -1.0;
    entry.state = EntryState::Handled;
    renderRow(row);
}

bool mw::mayCloseWhileUploading()
{
    const int running = m_uploader->pending() + int(m_waitingUploads.size());
    if (running == 0)
        return true;
    QMessageBox question(QMessageBox::Question, windowTitle(),
                         running == 1 ? tr("1 upload is still running. Quit anyway?")
                                      : tr("%1 uploads are still running. Quit anyway?").arg(running),
                         QMessageBox::NoButton, this);
    QPushButton *wait = question.addButton(tr("Wait"), QMessageBox::RejectRole);
    QPushButton *quit = question.addButton(tr("Quit"), QMessageBox::DestructiveRole);
    question.setDefaultButton(wait);
    question.setEscapeButton(wait);
    question.exec();
    if (question.clickedButton() != quit)
        return false;

    // Queued ones first: aborting a running upload would let the next queued one start.
    for (bool queued : {true, false}) {
        for (int row = 0; row < objs.size(); ++row) {
            if (objs.at(row).state == EntryState::Uploading && (objs.at(row).reply == nullptr) == queued)
                cancelUpload(row);
        }
    }
    return true;
}
