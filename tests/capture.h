#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QTcpServer;
class QTcpSocket;

// A bare HTTP peer on 127.0.0.1 with a free port: it keeps every request byte for byte and
// answers only when the test says so, so a test controls when and how each reply finishes.
class CaptureServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray raw;      // request line, headers, blank line and body as received
        QByteArray head;     // request line and headers
        QByteArray body;
        QByteArray target;   // the request target of the request line
        QList<QByteArray> headerNames;
        QPointer<QTcpSocket> socket;

        QByteArray header(const QByteArray &name) const;
    };

    explicit CaptureServer(QObject *parent = nullptr);

    bool listen();
    quint16 port() const;
    QString hostPort() const;

    // Answer every complete request at once with this raw response (empty: hold them).
    void setAutoResponse(const QByteArray &response) { m_autoResponse = response; }
    // Or hand each complete request's socket to a script of misbehaviour.
    void setHandler(std::function<void(QTcpSocket *)> handler) { m_handler = std::move(handler); }
    void respond(int index, const QByteArray &response);

    QList<Request> requests;

    static QByteArray httpResponse(const QByteArray &body, int status = 200,
                                   const QByteArray &extraHeaders = QByteArray());

signals:
    void requestReceived();

private:
    void onConnection();
    void onReadyRead(QTcpSocket *socket);

    QTcpServer *m_server;
    QByteArray m_autoResponse;
    std::function<void(QTcpSocket *)> m_handler;
    QHash<QTcpSocket *, QByteArray> m_buffers; // sockets live as long as the server
};
