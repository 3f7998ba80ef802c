#include "base/uploader.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>

#include "base/reply.h"
#include "base/request.h"
#include "base/uploadbody.h"

namespace tarvello {

namespace {

// A host with a certificate of its own making is trusted through $TARVELLO_CA_FILE; every
// other host through the system's authorities.
QSslConfiguration tlsConfiguration()
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const QString caFile = qEnvironmentVariable("TARVELLO_CA_FILE");
    if (!caFile.isEmpty())
        configuration.addCaCertificates(caFile);
    return configuration;
}

} // namespace

Uploader::Uploader(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
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
    const QString host = imageHost();
    const QUrl address = uploadAddress(host, job.user, job.user.isEmpty() ? QString() : job.password);
    const QByteArray boundary = boundaryFor(info.absoluteFilePath(), formText(job.desc));

    // A file that cannot be read is sent with empty content; the host's answer tells the rest.
    auto *body = new UploadBody(multipartHead(info.fileName(), boundary), info.absoluteFilePath(),
                                multipartTail(job.desc, boundary));
    body->open(QIODevice::ReadOnly);

    QNetworkRequest request(address);
    setUploadHeaders(request, body->size(), boundary);
    request.setTransferTimeout(transferTimeoutMs());
    // A redirect would post the image, the description and the login to another address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    Running running{row, {job.password}, isTlsHost(host), UploadResult::Kind::None};
    if (running.tls)
        request.setSslConfiguration(tlsConfiguration());

    QNetworkReply *reply = m_manager->post(request, body);
    body->setParent(reply);
    ++m_onWire;

    // A host may echo the address, which carries the login; neither it nor the password may show.
    const QString path = address.path(QUrl::FullyEncoded);
    const qsizetype login = path.indexOf(QLatin1String("/user/"));
    if (login >= 0)
        running.secrets.prepend(path.mid(login + 1));
    m_running.insert(reply, running);

    connect(reply, &QNetworkReply::uploadProgress, this, [this, row, reply](qint64 sent, qint64 total) {
        if (total <= 0)
            return;
        emit progress(row, double(sent) / double(total));
        // The stall timeout only measures gaps; a host that drips its answer must still finish.
        const QString name = QStringLiteral("answerDeadline");
        if (sent == total && !reply->findChild<QTimer *>(name, Qt::FindDirectChildrenOnly)) {
            auto *deadline = new QTimer(reply);
            deadline->setObjectName(name);
            deadline->setSingleShot(true);
            connect(deadline, &QTimer::timeout, this, [this, reply] {
                const bool silent = !reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
                abortAs(reply, silent ? UploadResult::Kind::Stalled : UploadResult::Kind::AnswerTimeout);
            });
            deadline->start(transferTimeoutMs());
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (reply->bytesAvailable() > maxAnswerBytes)
            abortAs(reply, UploadResult::Kind::TooLong);
    });
    connect(reply, &QNetworkReply::finished, this, [this] {
        --m_onWire;
        startNext();
    });
    emit started(row, reply);
}

void Uploader::abortAs(QNetworkReply *reply, UploadResult::Kind kind)
{
    auto it = m_running.find(reply);
    if (it == m_running.end() || !reply->isRunning())
        return;
    it->abortedAs = kind;
    reply->abort();
}

UploadResult Uploader::finish(QNetworkReply *reply)
{
    const Running running = m_running.take(reply);
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();

    // The request asks for gzip or deflate, and Qt leaves such bodies to us. An aborted reply
    // has nothing left to read.
    const QByteArray raw = reply->isOpen() ? reply->readAll() : QByteArray();
    const QByteArray body = decodedReplyBody(raw, reply->rawHeader("Content-Encoding"));

    UploadResult result;
    result.kind = running.abortedAs;
    result.error = transferError(reply->error());
    result.host = hostAnswer(status, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray(),
                             body, running.secrets);
    if (result.kind == UploadResult::Kind::None && body.size() > maxAnswerBytes)
        result.kind = UploadResult::Kind::TooLong;
    if (result.kind == UploadResult::Kind::None && status >= 300 && status < 400)
        result.kind = UploadResult::Kind::Redirected;
    // HTTP errors leave the decision to the body; a transfer that broke does not.
    if (result.kind != UploadResult::Kind::None || result.error != TransferError::None) {
        if (result.kind == UploadResult::Kind::None)
            result.kind = UploadResult::Kind::Failed;
        return result;
    }
    const std::optional<QString> answer = linkFromReply(body, running.tls);
    if (!answer) {
        result.kind = UploadResult::Kind::Failed;
        return result;
    }
    // A host may echo the address, which carries the login: it never shows, not even here.
    result.answer = withoutSecrets(*answer, running.secrets);
    result.link = usableLink(*answer, running.tls, running.secrets).value_or(QUrl());
    result.kind = result.link.isEmpty() ? UploadResult::Kind::UnusableLink : UploadResult::Kind::Linked;
    return result;
}

bool Uploader::cancel(int row)
{
    bool dropped = false;
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (it->first == row) {
            it = m_waiting.erase(it);
            dropped = true;
        } else {
            ++it;
        }
    }
    QNetworkReply *running = nullptr;
    for (auto it = m_running.cbegin(); it != m_running.cend(); ++it) {
        if (it.value().row == row && it.key()->isRunning())
            running = it.key();
    }
    // Aborting finishes the reply at once, and that reaches finish() before we return.
    if (running)
        abortAs(running, UploadResult::Kind::Stopped);
    return dropped;
}

QList<int> Uploader::cancelAll()
{
    // Queued ones first: aborting a running upload makes room for the next queued one.
    QList<int> dropped;
    for (const auto &[row, job] : std::as_const(m_waiting))
        dropped.append(row);
    m_waiting.clear();
    const QList<QNetworkReply *> running = m_running.keys();
    for (QNetworkReply *reply : running)
        abortAs(reply, UploadResult::Kind::Stopped);
    return dropped;
}

} // namespace tarvello
