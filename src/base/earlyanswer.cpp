#include "base/earlyanswer.h"

#include <QSslSocket>
#include <QTimer>
#include <QUrl>

#include "base/reply.h"

namespace tarvello {

namespace {

// The head of the upload again: its request line, its headers and the body's announced length,
// and a close at the end, so the host need not wait for another request.
QByteArray headOf(const QNetworkRequest &request, const QByteArray &method, qint64 bodySize)
{
    const QUrl url = request.url();
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::EncodeUnicode).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port() != -1)
        host += ':' + QByteArray::number(url.port());

    QByteArray head = method + ' ' + target + " HTTP/1.1\r\nHost: " + host + "\r\n";
    const QList<QByteArray> names = request.rawHeaderList();
    for (const QByteArray &name : names) {
        const QByteArray lower = name.toLower();
        if (lower == "host" || lower == "content-length" || lower == "connection" || lower == "transfer-encoding")
            continue;
        head += name + ": " + request.rawHeader(name) + "\r\n";
    }
    return head + "Content-Length: " + QByteArray::number(bodySize) + "\r\nConnection: close\r\n\r\n";
}

QByteArray headerValue(const QList<QByteArray> &lines, QByteArrayView name)
{
    for (const QByteArray &line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

// A chunked body as far as its chunks came; whether the last chunk came.
std::pair<QByteArray, bool> dechunked(const QByteArray &raw)
{
    QByteArray body;
    qsizetype at = 0;
    for (;;) {
        const qsizetype end = raw.indexOf("\r\n", at);
        if (end < 0)
            return {body, false};
        bool ok = false;
        const qsizetype size = raw.mid(at, end - at).split(';').first().trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0)
            return {body, true}; // not chunked as it should be; what came is all there is
        if (size == 0)
            return {body, true};
        const qsizetype available = std::min(size, raw.size() - end - 2);
        body += raw.mid(end + 2, available);
        if (available < size || body.size() > maxAnswerBytes)
            return {body, body.size() > maxAnswerBytes};
        at = end + 2 + size + 2;
    }
}

} // namespace

std::optional<EarlyAnswer> readEarlyAnswer(const QByteArray &raw, bool closed)
{
    QByteArray rest = raw;
    for (;;) {
        const qsizetype headEnd = rest.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return std::nullopt;
        const QList<QByteArray> lines = rest.left(headEnd).split('\n');
        const QList<QByteArray> statusLine = lines.first().trimmed().split(' ');
        bool ok = false;
        const int status = statusLine.value(1).toInt(&ok);
        if (!statusLine.first().startsWith("HTTP/") || !ok || status < 100 || status > 999)
            return std::nullopt;
        const QByteArray body = rest.mid(headEnd + 4);
        if (status < 200) {
            rest = body;
            continue;
        }
        EarlyAnswer answer;
        answer.status = status;
        answer.reasonPhrase = statusLine.mid(2).join(' ');
        answer.contentEncoding = headerValue(lines, "Content-Encoding");
        const QByteArray length = headerValue(lines, "Content-Length");
        if (headerValue(lines, "Transfer-Encoding").toLower().contains("chunked")) {
            auto [decoded, whole] = dechunked(body);
            if (!whole && !closed)
                return std::nullopt;
            answer.body = decoded;
        } else if (!length.isEmpty()) {
            const qsizetype size = std::min<qsizetype>(length.toLongLong(), maxAnswerBytes + 1);
            if (body.size() < size && !closed)
                return std::nullopt;
            answer.body = body.left(size);
        } else {
            if (!closed && body.size() <= maxAnswerBytes)
                return std::nullopt;
            answer.body = body.left(maxAnswerBytes + 1);
        }
        return answer;
    }
}

AnswerProbe::AnswerProbe(const QNetworkRequest &request, const QByteArray &method, qint64 bodySize, QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_head(headOf(request, method, bodySize))
    , m_socket(new QSslSocket(this))
    , m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, &AnswerProbe::end);
    connect(m_socket, &QSslSocket::readyRead, this, [this] { read(false); });
    connect(m_socket, &QSslSocket::disconnected, this, [this] { read(true); });
    connect(m_socket, &QSslSocket::errorOccurred, this, [this] { read(true); });
}

void AnswerProbe::start(int timeoutMs)
{
    m_deadline->start(timeoutMs);
    const QUrl url = m_request.url();
    if (url.scheme() == QLatin1String("https")) {
        m_socket->setSslConfiguration(m_request.sslConfiguration());
        connect(m_socket, &QSslSocket::encrypted, this, [this] { m_socket->write(m_head); });
        m_socket->connectToHostEncrypted(url.host(), quint16(url.port(443)));
    } else {
        connect(m_socket, &QSslSocket::connected, this, [this] { m_socket->write(m_head); });
        m_socket->connectToHost(url.host(), quint16(url.port(80)));
    }
}

void AnswerProbe::read(bool closed)
{
    if (m_ended)
        return;
    m_received += m_socket->read(maxAnswerBytes + 64 * 1024 - m_received.size());
    m_answer = readEarlyAnswer(m_received, closed || m_received.size() >= maxAnswerBytes + 64 * 1024);
    if (m_answer || closed)
        end();
}

void AnswerProbe::end()
{
    if (std::exchange(m_ended, true))
        return;
    m_deadline->stop();
    m_socket->abort();
    emit ended();
}

void AnswerProbe::stop()
{
    m_ended = true;
    m_deadline->stop();
    m_socket->abort();
}

} // namespace tarvello
