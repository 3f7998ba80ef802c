#pragma once

#include <QHash>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvello {

// What one upload sends: the file, its description and the login of the moment it was asked for.
struct UploadJob
{
    QString file;
    QString desc;
    QString user;
    QString password;
};

// How an upload ended, in the words the queue shows.
struct UploadOutcome
{
    bool linked = false;
    // The status cell's text: the host's whole answer when it gave a link, else "failed".
    QString text;
    // The whole link, or why the upload failed; never the password or the login.
    QString tooltip;
    // The link as it may be copied or opened; empty when the answer holds no such link.
    QUrl link;
};

// Sends images to the image host, a few at a time, and reads the host's answers. It knows rows
// only as numbers the caller gives it; the caller routes each finished reply back to finish().
class Uploader : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Uploader)

public:
    explicit Uploader(QObject *parent = nullptr);

    QNetworkAccessManager *manager() const { return m_manager; }

    // Queues an upload; it goes on the wire as soon as fewer than maxInFlight are.
    void enqueue(int row, const UploadJob &job);
    // The outcome of a reply that has finished. The reply is released.
    UploadOutcome finish(QNetworkReply *reply);
    // Stops the row's upload: a queued one never starts, a running one is aborted (and still
    // finishes, as failed).
    void cancel(int row);
    // Uploads queued or on the wire.
    int pending() const { return int(m_waiting.size()) + m_onWire; }

    // Qt itself keeps six connections to a host; queueing here keeps the timeouts honest.
    static constexpr int maxInFlight = 6;

signals:
    // The row's request is on the wire.
    void started(int row, QNetworkReply *reply);
    // Part of the row's body has been sent, 0 to 1.
    void progress(int row, double sent);

private:
    struct Running
    {
        int row = -1;
        QStringList secrets;
        bool tls = false;
        QString abortReason; // why we ended it ourselves, if we did
    };

    void abortWith(QNetworkReply *reply, const QString &reason);

    void startNext();
    void send(int row, const UploadJob &job);

    QNetworkAccessManager *m_manager;
    QQueue<QPair<int, UploadJob>> m_waiting;
    QHash<QNetworkReply *, Running> m_running;
    int m_onWire = 0;
};

} // namespace tarvello
