// Sending entries to the image host and reading its answers.

#include "app/mw.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalMapper>

#include "form/mwui.h"
#include "upload/progressdelegate.h"
#include "upload/reply.h"
#include "upload/request.h"
#include "upload/uploadbody.h"

void mw::upload(const QString &, int row)
{
    if (row < 0 || row >= objs.size())
        return;
    imgobj &entry = objs[row];
    const QFileInfo info(entry.file);

    const QString user = ui->usr->text();
    const QUrl address = tarvello::uploadAddress(tarvello::imageHost(), user,
                                                 user.isEmpty() ? QString() : ui->pw->text());

    // A file that cannot be read is sent with empty content; the host's answer tells the rest.
    auto *body = new tarvello::UploadBody(tarvello::multipartHead(info.fileName()), info.absoluteFilePath(),
                                          tarvello::multipartTail(entry.desc));
    body->open(QIODevice::ReadOnly);

    QNetworkRequest request(address);
    tarvello::setUploadHeaders(request, body->size());
    request.setTransferTimeout(tarvello::transferTimeoutMs());

    entry.reply = nam->post(request, body);
    body->setParent(entry.reply);
    connect(entry.reply, &QNetworkReply::uploadProgress, this, [this, row](qint64 sent, qint64 total) {
        if (total > 0)
            ui->tableWidget->item(row, 1)->setData(tarvello::UploadProgressRole, double(sent) / double(total));
    });
    // Replies can finish in any order; the row travels with the mapping, not with the reply.
    connect(entry.reply, &QNetworkReply::finished, mapper, qOverload<>(&QSignalMapper::map));
    mapper->setMapping(entry.reply, row);
}

void mw::startUpload(int row)
{
    imgobj &entry = objs[row];
    upload(entry.file, row);
    entry.state = 1;
    ui->tableWidget->item(row, 1)->setText(tr("Uploading..."));
}

void mw::objhanlde(int row)
{
    if (row < 0 || row >= objs.size() || !objs.at(row).reply)
        return;
    imgobj &entry = objs[row];
    QNetworkReply *reply = std::exchange(entry.reply, nullptr);

    // The request asks for gzip or deflate, and Qt leaves such bodies to us.
    const QByteArray body = tarvello::decodedReplyBody(reply->readAll(), reply->rawHeader("Content-Encoding"));
    const std::optional<QString> link = tarvello::linkFromReply(body);
    const QString outcome = link.value_or(tr("failed"));

    QTableWidgetItem *status = ui->tableWidget->item(row, 1);
    status->setData(tarvello::UploadProgressRole, QVariant());
    if (!link) {
        // A host may echo the address, which carries the login; neither may show.
        const QString path = reply->request().url().path(QUrl::FullyEncoded);
        const QString login = path.mid(path.indexOf(QLatin1String("/user/")) + 1);
        QStringList secrets{ui->pw->text()};
        if (path.contains(QLatin1String("/user/")))
            secrets.prepend(login);
        status->setToolTip(tarvello::failureReason(
                reply->error(), reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray(), body, secrets));
    } else {
        status->setToolTip(link->trimmed()); // the column is narrow; the whole link on hover
    }
    reply->deleteLater();

    status->setText(outcome);
    entry.link = QUrl(outcome, QUrl::TolerantMode);
    entry.state = 2;
    if (entry.desc.isEmpty())
        ui->tableWidget->item(row, 2)->setText(QString());
}

void mw::uploadall()
{
    const int count = objs.size();
    for (int row = 0; row < count; ++row) {
        if (objs.at(row).state == 0)
            startUpload(row);
    }
}
