#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

#include <memory>

#include "base/historydb.h"
#include "base/historyrecord.h"

namespace tarvello {

class HistoryWriter;

struct HistoryOptions
{
    int busyTimeoutMs = 5000; // how long one write waits for another program's turn
    int retryMs = 1000;       // the first wait before a write that could not be done is tried again
    int maxRetryMs = 30000;   // the waits double up to this
};

// The upload history: an SQLite file that lasts between runs. Records are written on a thread
// of the store's own, with its own connection, in one transaction per batch, so recording costs
// the caller a copy and a queue. Reads answer on the store's thread at once: the file is in
// write-ahead-log mode, so they never wait for a writer, ours or another program's.
//
// When the file cannot be used, uploads go on without it: the store reports the first fault
// once (faulted) and takes records without writing them. A damaged file is set aside under a
// name of its own and a new one is started.
class HistoryStore : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryStore)

public:
    // $XDG_DATA_HOME/tarvello/history.sqlite
    static QString defaultPath();

    explicit HistoryStore(const QString &path, QObject *parent = nullptr);
    HistoryStore(const QString &path, const HistoryOptions &options, QObject *parent = nullptr);
    // Writes what is still queued first (waiting at most one busy timeout for another program).
    ~HistoryStore() override;

    QString path() const { return m_path; }
    // The file is ready and reads answer; false until opened() and after a fault that ends it.
    bool isOpen() const { return m_open && m_available; }
    // False once a fault has ended the history for this run.
    bool isAvailable() const { return m_available; }
    // The first fault met, None while there was none.
    HistoryFault fault() const { return m_fault; }
    QString faultDetail() const { return m_faultDetail; }
    // Nothing queued and nothing being written; the signals about what was are delivered.
    bool isIdle() const { return m_pending == 0; }

    // Queues one handled upload. Its thumbnail is made on the writer's thread from `preview`
    // (an image of any size), or from `pictureFile` when the preview is null; the file's size
    // and image size are read there too when the record leaves them unknown. `pictureFile` is
    // the record's file unless given: a temporary file has no path to keep but a picture to read
    // while it lasts. The caller leaves secrets out: the record has no field for them.
    void record(const HistoryRecord &record, const QImage &preview = QImage(), const QString &pictureFile = QString());
    void remove(const QList<qint64> &ids);
    void clear();

    // Newest first, at most `limit` records older than the id `olderThan` (0: from the newest)
    // that the search finds (see parseHistorySearch). Without their thumbnails.
    QList<HistoryRecord> read(const QString &search, qint64 olderThan = 0, int limit = 100);
    // Records newer than the id `newerThan` that the search finds, newest first, at most `limit`.
    QList<HistoryRecord> readNewer(const QString &search, qint64 newerThan, int limit = 100);
    QByteArray thumbnail(qint64 id);

signals:
    // The file is ready to read (again, after a damaged one was set aside).
    void opened();
    // A batch was committed; `ids` are the records it added.
    void written(const QList<qint64> &ids);
    // The first fault only. For Corrupt, `detail` is the name the damaged file was kept under.
    void faulted(tarvello::HistoryFault fault, const QString &detail);

private:
    void report(HistoryFault fault, const QString &detail, bool final);
    bool readable();
    void closeReader();

    QString m_path;
    QString m_readerName;
    bool m_readerOpen = false;
    bool m_open = false;
    bool m_available = true;
    bool m_reported = false;
    HistoryFault m_fault = HistoryFault::None;
    QString m_faultDetail;
    int m_pending = 0; // jobs handed to the writer and not reported back yet
    QThread m_thread;
    std::unique_ptr<HistoryWriter> m_writer;
};

} // namespace tarvello
