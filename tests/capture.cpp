#include "capture.h"

#include <QTcpServer>
#include <QTcpSocket>

QByteArray CaptureServer::Request::header(const QByteArray &name) const
{
    const QList<QByteArray> lines = head.split('\n');
    for (const QByteArray &line : lines) {
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
            return line.mid(colon + 1).trimmed();
    }
    return QByteArray();
}

CaptureServer::CaptureServer(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &CaptureServer::onConnection);
}

bool CaptureServer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

quint16 CaptureServer::port() const
{
    return m_server->serverPort();
}

QString CaptureServer::hostPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

void CaptureServer::respond(int index, const QByteArray &response)
{
    QTcpSocket *socket = requests.at(index).socket;
    if (!socket)
        return;
    socket->write(response);
    socket->disconnectFromHost();
}

QByteArray CaptureServer::httpResponse(const QByteArray &body, int status, const QByteArray &extraHeaders)
{
    return "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error")
            + "\r\nContent-Length: " + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

void CaptureServer::onConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    }
}

void CaptureServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();

    for (;;) {
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        Request request;
        request.head = buffer.left(end);
        const qsizetype length = request.header("Content-Length").toLongLong();
        if (buffer.size() < end + 4 + length)
            return;
        request.body = buffer.mid(end + 4, length);
        request.raw = buffer.left(end + 4 + length);
        buffer.remove(0, end + 4 + length);
        const QList<QByteArray> lines = request.head.split('\n');
        request.target = lines.value(0).split(' ').value(1);
        for (int i = 1; i < lines.size(); ++i)
            request.headerNames.append(lines.at(i).left(lines.at(i).indexOf(':')));
        request.socket = socket;
        requests.append(request);
        if (m_handler)
            m_handler(socket);
        else if (!m_autoResponse.isEmpty())
            respond(requests.size() - 1, m_autoResponse);
        emit requestReceived();
    }
}
