#pragma once

#include <QFuture>
#include <QHash>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <memory>

#include "base/customrequest.h"
#include "base/earlyanswer.h"
#include "base/destination.h"
#include "base/uploadresult.h"

class QFile;
class QNetworkAccessManager;
class QNetworkReply;

namespace tarvello {

// An upload to a custom destination: the request made for it, and the destination whose
// templates read the answer.
struct CustomUpload
{
    Destination destination;
    PreparedRequest request;
};

// What one upload sends: the file, its description and the login of the moment it was asked for
// to the built-in host; or, with `custom`, the request a custom destination made for the file.
struct UploadJob
{
    QString file;
    QString desc;
    QString user;
    QString password;
    std::shared_ptr<const CustomUpload> custom;
    // The file as it was checked, open for reading: what is sent, whatever the name leads to by
    // then. Without it, the file is opened by its name.
    std::shared_ptr<QFile> source;
};

// Sends images to the image host, a few at a time, and reads the host's answers. It knows rows
// only as numbers the caller gives it; the caller hands each finished reply back to finish().
// The queue of uploads drives it; tests put a stand-in of their own in its place.
class Uploader : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Uploader)

public:
    // Every upload goes through `manager`.
    explicit Uploader(QNetworkAccessManager *manager, QObject *parent = nullptr);

    // Queues an upload; it goes on the wire as soon as fewer than maxInFlight are.
    virtual void enqueue(int row, const UploadJob &job);
    // How the upload of a reply that has finished ended. The reply is released. A result of kind
    // None means the end is not known yet: the host is asked for an answer that a broken
    // connection swallowed, and concluded() brings the row's result.
    virtual UploadResult finish(QNetworkReply *reply);
    // Stops the row's upload. A queued one is dropped, never to start: returns true. A running one
    // is aborted, and finishes at once, as Stopped, before this returns.
    virtual bool cancel(int row);
    // Drops every queued upload, then aborts every running one (each finishes at once, as Stopped).
    // Returns the rows of the dropped ones.
    virtual QList<int> cancelAll();
    // Uploads queued, on the wire or waiting for their answer.
    virtual int pending() const { return int(m_waiting.size()) + m_onWire + int(m_asking.size()); }

    // Qt itself keeps six connections to a host; queueing here keeps the timeouts honest.
    static constexpr int maxInFlight = 6;

signals:
    // The row's request is on the wire.
    void started(int row, QNetworkReply *reply);
    // Part of the row's body has been sent, 0 to 1.
    void progress(int row, double sent);
    // The result of a row whose finish() had none yet.
    void concluded(int row, const tarvello::UploadResult &result);

private:
    struct Running
    {
        int row = -1;
        QStringList secrets;
        bool tls = false;
        std::shared_ptr<const CustomUpload> custom;
        UploadResult::Kind abortedAs = UploadResult::Kind::None; // why we ended it ourselves
        // As it was sent, to ask again for an answer the connection lost.
        QNetworkRequest request;
        QByteArray method;
        qint64 bodySize = 0;
    };
    // A broken upload whose host is being asked for the answer it may have given.
    struct Asking
    {
        AnswerProbe *probe;
        UploadResult broken; // the result when the host says nothing
        QStringList secrets;
    };

    void abortAs(QNetworkReply *reply, UploadResult::Kind kind);
    void startNext();
    void send(int row, const UploadJob &job);
    void watch(QNetworkReply *reply, const Running &running);
    QSslConfiguration tlsConfiguration();
    UploadResult resultOf(QNetworkReply *reply, const Running &running, const QByteArray &body) const;
    bool ask(QNetworkReply *reply, const Running &running, const UploadResult &broken);
    void conclude(int row, Asking asking);
    void stopAsking(int row);

    QNetworkAccessManager *m_manager;
    QString m_caFile;
    QFuture<QList<QSslCertificate>> m_caCertificates;
    QQueue<QPair<int, UploadJob>> m_waiting;
    QHash<QNetworkReply *, Running> m_running;
    QHash<int, Asking> m_asking;
    int m_onWire = 0;
};

} // namespace tarvello
