#include "base/uploader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "base/reply.h"
#include "base/request.h"
#include "base/uploadbody.h"

namespace tarvello {

Uploader::Uploader(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    // started() carries the reply; spies and queued connections need to know its type.
    qRegisterMetaType<QNetworkReply *>();
}

void Uploader::enqueue(int row, const UploadJob &job)
{
    m_waiting.enqueue({row, job});
    startNext();
}

void Uploader::startNext()
{
    while (m_onWire < maxInFlight && !m_waiting.isEmpty()) {
        const auto [row, job] = m_waiting.dequeue();
        send(row, job);
    }
}

void Uploader::send(int row, const UploadJob &job)
{
    const QFileInfo info(job.file);
    const QUrl address = uploadAddress(imageHost(), job.user, job.user.isEmpty() ? QString() : job.password);

    // A file that cannot be read is sent with empty content; the host's answer tells the rest.
    auto *body = new UploadBody(multipartHead(info.fileName()), info.absoluteFilePath(), multipartTail(job.desc));
    body->open(QIODevice::ReadOnly);

    QNetworkRequest request(address);
    setUploadHeaders(request, body->size());
    request.setTransferTimeout(transferTimeoutMs());

    QNetworkReply *reply = m_manager->post(request, body);
    body->setParent(reply);
    ++m_onWire;

    // A host may echo the address, which carries the login; neither it nor the password may show.
    Running running{row, {job.password}};
    const QString path = address.path(QUrl::FullyEncoded);
    const qsizetype login = path.indexOf(QLatin1String("/user/"));
    if (login >= 0)
        running.secrets.prepend(path.mid(login + 1));
    m_running.insert(reply, running);

    connect(reply, &QNetworkReply::uploadProgress, this, [this, row](qint64 sent, qint64 total) {
        if (total > 0)
            emit progress(row, double(sent) / double(total));
    });
    connect(reply, &QNetworkReply::finished, this, [this] {
        --m_onWire;
        startNext();
    });
    emit started(row, reply);
}

UploadOutcome Uploader::finish(QNetworkReply *reply)
{
    const Running running = m_running.take(reply);
    // The request asks for gzip or deflate, and Qt leaves such bodies to us.
    const QByteArray body = decodedReplyBody(reply->readAll(), reply->rawHeader("Content-Encoding"));
    const std::optional<QString> link = linkFromReply(body);

    UploadOutcome outcome;
    outcome.linked = link.has_value();
    if (link) {
        outcome.text = *link;
        outcome.tooltip = link->trimmed();
    } else {
        outcome.text = QCoreApplication::translate("mw", "failed");
        outcome.tooltip = failureReason(reply->error(),
                                        reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                                        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray(),
                                        body, running.secrets);
    }
    reply->deleteLater();
    return outcome;
}

void Uploader::cancel(int row)
{
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (it->first == row)
            it = m_waiting.erase(it);
        else
            ++it;
    }
    QNetworkReply *running = nullptr;
    for (auto it = m_running.cbegin(); it != m_running.cend(); ++it) {
        if (it.value().row == row && it.key()->isRunning())
            running = it.key();
    }
    // Aborting finishes the reply at once, and that reaches finish() before we return.
    if (running)
        running->abort();
}

} // namespace tarvello
