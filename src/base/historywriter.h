#pragma once

#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <deque>

#include "base/history.h"

class QTimer;

namespace tarvello {

// What the store asks the writer to do, in the order asked.
struct HistoryJob
{
    enum class Kind { Record, Remove, Clear };
    Kind kind = Kind::Record;
    HistoryRecord record;
    QImage preview;
    QString pictureFile; // what the thumbnail and the sizes are read from when not given
    bool thumbnailDone = false;
    QList<qint64> ids;
};

// The history's writer. It lives on the store's thread of its own and owns the only connection
// that writes: it opens (and migrates) the file, makes thumbnails, and writes whatever is
// queued in one transaction. A file locked by another program or a full disk keeps the queue
// and tries again later, waiting longer each time; anything else ends the history for the run.
class HistoryWriter : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryWriter)

public:
    HistoryWriter(const QString &path, const HistoryOptions &options);
    ~HistoryWriter() override;

    // From any thread.
    void enqueue(HistoryJob job);

    // On the writer's thread.
    void start();
    void finish();

signals:
    void opened();
    void written(const QList<qint64> &ids);
    void faulted(tarvello::HistoryFault fault, const QString &detail, bool final);
    // This many jobs are done with, written or given up; after the signals about them.
    void handled(int jobs);

private:
    enum class State { Closed, Open, Ended };

    void drain();
    void tryOpen();
    bool makeFile(historydb::Outcome *outcome);
    void makeThumbnails();
    historydb::Outcome writeBatch(QList<qint64> *added);
    void failed(const historydb::Outcome &outcome);
    void retryLater();
    void end(const historydb::Outcome &outcome);
    void forgetWork();

    const QString m_path;
    const HistoryOptions m_options;
    const QString m_connection;

    QMutex m_mutex;
    std::deque<HistoryJob> m_incoming; // guarded by m_mutex
    bool m_wakeQueued = false;         // guarded by m_mutex

    std::deque<HistoryJob> m_work; // taken from m_incoming, not written yet
    State m_state = State::Closed;
    bool m_connected = false;
    int m_retryMs = 0;
    int m_setAside = 0;
    QTimer *m_retry = nullptr;
    QThreadPool m_pictures;
};

} // namespace tarvello
