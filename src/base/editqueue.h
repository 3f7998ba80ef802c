#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace tarvello {

class ReservedPng;

// Turns the source picture into the edit's result; a null result writes nothing.
using EditStep = std::function<QImage(const QImage &source)>;

// What one finished edit leaves.
struct EditResult
{
    int key = -1;
    QString file;    // the file the edit wrote, or tried to
    QImage source;   // the picture the edit started from
    QImage picture;  // the entry's picture after the edit
    QImage preview;  // previewImageOf(picture)
    bool written = false;
    bool last = false; // no further edit of the same key waits
};

// Runs edits on worker threads: the decode of the source, the transform and the PNG encode.
// Edits of one key run one after the other, each on the picture the one before left (or, when
// that one could not be written, on the picture it started from); edits of different keys run
// side by side. Workers see pictures and their own files only; results come back on the
// queue's own thread.
class EditQueue : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditQueue)

public:
    explicit EditQueue(QObject *parent = nullptr);
    ~EditQueue() override;

    // Queues an edit of `key` that writes `target`. When no earlier edit of the key is still
    // pending, it starts from `source`, or, when that is null, from the picture decoded from
    // `sourceFile`.
    void submit(int key, const QImage &source, const QString &sourceFile, std::shared_ptr<ReservedPng> target,
                EditStep step);
    // A pending edit writes this file.
    bool isWriting(const QString &file) const { return m_writing.contains(file); }
    // Lets the edits under way end and reports them, before returning; edits not started yet are
    // dropped and their files removed. For closing: what was not written need not be.
    void finishRunning();

signals:
    void finished(const tarvello::EditResult &result);

private:
    struct Job
    {
        QImage source;
        QString sourceFile;
        std::shared_ptr<ReservedPng> target;
        QString targetName;
        EditStep step;
    };
    struct Chain
    {
        QQueue<Job> waiting;
    };

    void run(int key, const Job &job, bool decode);
    void deliver();

    QThreadPool m_pool;
    QHash<int, Chain> m_chains;
    QHash<QString, int> m_writing;
    QMutex m_doneLock;
    QList<EditResult> m_done;
};

} // namespace tarvello

Q_DECLARE_METATYPE(tarvello::EditResult)
