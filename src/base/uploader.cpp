#include "base/uploader.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include "base/customanswer.h"
#include "base/regularfile.h"
#include "base/reply.h"
#include "base/request.h"
#include "base/uploadbody.h"

namespace tarvello {

namespace {

// How long a host that broke the connection is given to say why.
constexpr int maxAskingMs = 10000;

// A file of certificates to trust is a few hundred KB; anything larger is not read at all.
constexpr qint64 maxCaFileBytes = qint64(4) << 20;

QList<QSslCertificate> readCaFile(const QString &path)
{
    QFile file;
    if (!openRegularFile(file, path) || file.size() > maxCaFileBytes)
        return {};
    return QSslCertificate::fromData(file.read(maxCaFileBytes), QSsl::Pem);
}

} // namespace

QSslConfiguration Uploader::tlsConfiguration()
{
    // A host with a certificate of its own making is trusted through $TARVELLO_CA_FILE; every
    // other host through the system's authorities. The file is read once, on a worker.
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const QString caFile = qEnvironmentVariable("TARVELLO_CA_FILE");
    if (caFile.isEmpty())
        return configuration;
    if (caFile != m_caFile) {
        m_caFile = caFile;
        m_caCertificates = QtConcurrent::run(readCaFile, caFile);
    }
    configuration.addCaCertificates(m_caCertificates.result());
    return configuration;
}

Uploader::Uploader(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
{
    // Read while the window is built, well before the first upload needs it.
    if (const QString caFile = qEnvironmentVariable("TARVELLO_CA_FILE"); !caFile.isEmpty()) {
        m_caFile = caFile;
        m_caCertificates = QtConcurrent::run(readCaFile, caFile);
    }
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
    QNetworkReply *reply = nullptr;
    Running running{row, {}, false, job.custom, UploadResult::Kind::None, {}, "POST", 0};
    if (job.custom) {
        const PreparedRequest &prepared = job.custom->request;
        auto *body = job.source ? new UploadBody(prepared.head, job.source, prepared.tail)
                                : new UploadBody(prepared.head, info.absoluteFilePath(), prepared.tail);
        body->open(QIODevice::ReadOnly);
        QNetworkRequest request(prepared.url);
        for (const auto &[name, value] : prepared.headers)
            request.setRawHeader(name, value);
        request.setTransferTimeout(transferTimeoutMs());
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        reply = m_manager->sendCustomRequest(request, prepared.method, body);
        body->setParent(reply);
        running.request = request;
        running.method = prepared.method;
        running.bodySize = body->size();
        running.secrets = prepared.secrets;
        running.tls = prepared.url.scheme() == QLatin1String("https");
    } else {
        const QString host = imageHost();
        const QUrl address = uploadAddress(host, job.user, job.user.isEmpty() ? QString() : job.password);
        const QByteArray desc = formText(job.desc);
        const QByteArray boundary = job.source ? boundaryFor(*job.source, desc) : boundaryFor(info.absoluteFilePath(), desc);
        const QByteArray head = multipartHead(info.fileName(), boundary);
        const QByteArray tail = multipartTail(job.desc, boundary);
        auto *body = job.source ? new UploadBody(head, job.source, tail)
                                : new UploadBody(head, info.absoluteFilePath(), tail);
        body->open(QIODevice::ReadOnly);

        QNetworkRequest request(address);
        setUploadHeaders(request, body->size(), boundary);
        request.setTransferTimeout(transferTimeoutMs());
        // A redirect would post the image, the description and the login to another address.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        running.tls = isTlsHost(host);
        if (running.tls)
            request.setSslConfiguration(tlsConfiguration());
        reply = m_manager->post(request, body);
        body->setParent(reply);
        running.request = request;
        running.bodySize = body->size();

        // A host may echo the address, which carries the login; neither it nor the password may show.
        running.secrets.append(job.password);
        const QString path = address.path(QUrl::FullyEncoded);
        const qsizetype login = path.indexOf(QLatin1String("/user/"));
        if (login >= 0)
            running.secrets.prepend(path.mid(login + 1));
    }
    ++m_onWire;
    m_running.insert(reply, running);
    watch(reply, running);
    emit started(row, reply);
}

void Uploader::watch(QNetworkReply *reply, const Running &running)
{
    const int row = running.row;
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
    // An aborted reply has nothing left to read.
    const QByteArray raw = reply->isOpen() ? reply->read(maxAnswerBytes + 1) : QByteArray();
    // The built-in request asks for gzip or deflate, and Qt leaves such bodies to us; for a custom
    // destination Qt asks, and inflates them itself.
    const QByteArray body = running.custom ? raw : decodedReplyBody(raw, reply->rawHeader("Content-Encoding"));
    const UploadResult result = resultOf(reply, running, body);
    if (ask(reply, running, result))
        return {};
    return result;
}

bool Uploader::ask(QNetworkReply *reply, const Running &running, const UploadResult &broken)
{
    // Only a connection that broke under us before any answer came may have swallowed one.
    const bool cut = reply->error() == QNetworkReply::RemoteHostClosedError
            || reply->error() == QNetworkReply::UnknownNetworkError;
    if (running.abortedAs != UploadResult::Kind::None || !cut
        || reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    auto *probe = new AnswerProbe(running.request, running.method, running.bodySize, this);
    const int row = running.row;
    m_asking.insert(row, {probe, broken, running.secrets});
    connect(probe, &AnswerProbe::ended, this, [this, row] { conclude(row, m_asking.take(row)); });
    // A host that refused answers at once; one that waits for the body would take it.
    probe->start(std::min(transferTimeoutMs(), maxAskingMs));
    return true;
}

void Uploader::conclude(int row, Asking asking)
{
    asking.probe->deleteLater();
    UploadResult result = asking.broken;
    // Only a refusal explains the broken connection; anything else leaves it as it was.
    if (const auto &answer = asking.probe->answer(); answer && answer->status >= 400) {
        result.kind = UploadResult::Kind::Failed;
        result.error = TransferError::None;
        const QByteArray body = answer->body.left(maxAnswerBytes);
        result.host = hostAnswer(answer->status, answer->reasonPhrase,
                                 decodedReplyBody(body, answer->contentEncoding), asking.secrets);
    }
    emit concluded(row, result);
}

UploadResult Uploader::resultOf(QNetworkReply *reply, const Running &running, const QByteArray &body) const
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    UploadResult result;
    result.kind = running.abortedAs;
    result.error = transferError(reply->error());
    result.host = hostAnswer(status, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray(),
                             body, running.secrets);
    if (result.kind == UploadResult::Kind::None && body.size() > maxAnswerBytes)
        result.kind = UploadResult::Kind::TooLong;
    // A custom destination may name its link in the Location of a 3xx; it is read, not followed.
    if (result.kind == UploadResult::Kind::None && !running.custom && status >= 300 && status < 400)
        result.kind = UploadResult::Kind::Redirected;
    // HTTP errors leave the decision to the body; a transfer that broke does not.
    if (result.kind != UploadResult::Kind::None || result.error != TransferError::None) {
        if (result.kind == UploadResult::Kind::None)
            result.kind = UploadResult::Kind::Failed;
        return result;
    }

    if (running.custom) {
        const AnswerReading reading = readAnswer(running.custom->destination,
                                                 Answer{status, reply->rawHeaderPairs(), body, reply->url()},
                                                 running.custom->request.choices, running.secrets);
        switch (reading.outcome) {
        case AnswerReading::Uploaded:
            result.answer = reading.link->toString();
            result.thumbnail = reading.thumbnail.value_or(QUrl());
            result.deletion = reading.deletion.value_or(QUrl());
            break;
        case AnswerReading::HostError:
            result.kind = UploadResult::Kind::Failed;
            if (!reading.errorMessage.isEmpty()) {
                result.host.kind = HostAnswer::Line::Text;
                result.host.line = reading.errorMessage.left(200);
            }
            return result;
        case AnswerReading::NoLink:
            result.kind = UploadResult::Kind::NoLink;
            result.answer = reading.linkText;
            return result;
        }
    } else {
        const std::optional<QString> answer = linkFromReply(body);
        if (!answer) {
            result.kind = UploadResult::Kind::Failed;
            return result;
        }
        // A host may echo the address, which carries the login: it never shows, not even here,
        // and a link that holds it does not leave the program.
        result.answer = withoutSecrets(*answer, running.secrets);
        result.overPlainHttp = !running.tls && answer->startsWith(QLatin1String("https://"));
        result.link = usableLink(*answer, true, running.secrets).value_or(QUrl());
    }
    if (running.custom)
        result.link = usableLink(result.answer, true, running.secrets).value_or(QUrl());
    result.kind = result.link.isEmpty() ? UploadResult::Kind::UnusableLink : UploadResult::Kind::Linked;
    return result;
}

void Uploader::stopAsking(int row)
{
    Asking asking = m_asking.take(row);
    asking.probe->stop();
    asking.probe->deleteLater();
    UploadResult result;
    result.kind = UploadResult::Kind::Stopped;
    emit concluded(row, result);
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
    if (m_asking.contains(row))
        stopAsking(row);
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
    const QList<int> asking = m_asking.keys();
    for (int row : asking)
        stopAsking(row);
    return dropped;
}

} // namespace tarvello
