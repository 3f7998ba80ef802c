#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>

#include <optional>

class QSslSocket;
class QTimer;

namespace tarvello {

// What a host answered to a request's head, before any of its body.
struct EarlyAnswer
{
    int status = 0;
    QByteArray reasonPhrase;
    QByteArray body;
    QByteArray contentEncoding;
};

// Reads an HTTP answer from the bytes that came so far: nothing until the answer is whole (or,
// once `closed`, as far as it came). Interim 1xx answers are passed over.
std::optional<EarlyAnswer> readEarlyAnswer(const QByteArray &raw, bool closed);

// A host may refuse an upload from its headers (a wrong login, a body too large), answer, and
// close while the body is still coming. Qt's HTTP layer reads nothing while it writes, so the
// answer goes down with the connection and the user reads of a broken one. The probe sends the
// same head again, without a single byte of the body, and reads what the host says to it. A host
// that would take the upload waits for a body that never comes, and gets none: nothing is stored.
class AnswerProbe : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerProbe)

public:
    // `request` and `method` as the upload was sent; `bodySize` the Content-Length it announced.
    AnswerProbe(const QNetworkRequest &request, const QByteArray &method, qint64 bodySize, QObject *parent = nullptr);

    void start(int timeoutMs);
    // Closes the connection; ended() is not emitted.
    void stop();
    // The host's answer, once ended() came; nothing when it said nothing in time.
    const std::optional<EarlyAnswer> &answer() const { return m_answer; }

signals:
    void ended();

private:
    void read(bool closed);
    void end();

    QNetworkRequest m_request;
    QByteArray m_head;
    QByteArray m_received;
    QSslSocket *m_socket;
    QTimer *m_deadline;
    std::optional<EarlyAnswer> m_answer;
    bool m_ended = false;
};

} // namespace tarvello
