#include "base/historywriter.h"

#include <algorithm>

#include <QDir>
#include <QSqlQuery>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QMutexLocker>
#include <QTimer>

#include "base/image.h"
#include "base/thumbnail.h"

namespace tarvello {

namespace {

QString connectionName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("tarvello-history-write-%1").arg(next++);
}

} // namespace

HistoryWriter::HistoryWriter(const QString &path, const HistoryOptions &options)
    : m_path(path)
    , m_options(options)
    , m_connection(connectionName())
    , m_retryMs(options.retryMs)
{
    // One decode per core: `tarvello --upload` waits for the thumbnails of all its files.
    m_pictures.setMaxThreadCount(QThread::idealThreadCount());
    m_pictures.setThreadPriority(QThread::IdlePriority);
}

HistoryWriter::~HistoryWriter() = default;

void HistoryWriter::enqueue(HistoryJob job)
{
    QMutexLocker lock(&m_mutex);
    m_incoming.push_back(std::move(job));
    if (m_wakeQueued)
        return;
    m_wakeQueued = true;
    QMetaObject::invokeMethod(this, &HistoryWriter::drain, Qt::QueuedConnection);
}

void HistoryWriter::start()
{
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &HistoryWriter::drain);
    tryOpen();
}

void HistoryWriter::finish()
{
    m_retry->stop();
    // One last attempt for what is queued; a locked file costs one busy timeout at most.
    if (m_state != State::Ended) {
        if (m_state == State::Closed)
            tryOpen();
        drain();
        m_retry->stop();
    }
    if (m_connected)
        historydb::close(m_connection);
    m_connected = false;
    m_state = State::Ended;
}

void HistoryWriter::drain()
{
    {
        QMutexLocker lock(&m_mutex);
        m_wakeQueued = false;
        while (!m_incoming.empty()) {
            m_work.push_back(std::move(m_incoming.front()));
            m_incoming.pop_front();
        }
    }
    if (m_state == State::Ended) {
        forgetWork();
        return;
    }
    // Before any lock is taken, and while waiting for one: a preview held in the queue costs a
    // hundred times its thumbnail.
    makeThumbnails();
    if (m_state == State::Closed) {
        if (!m_retry->isActive())
            tryOpen();
        return;
    }
    if (m_work.empty() || m_retry->isActive())
        return;

    QList<qint64> added;
    const historydb::Outcome outcome = writeBatch(&added);
    if (!outcome.ok()) {
        failed(outcome);
        return;
    }
    m_retryMs = m_options.retryMs;
    emit written(added);
    forgetWork();
}

void HistoryWriter::forgetWork()
{
    const int jobs = int(m_work.size());
    m_work.clear();
    if (jobs > 0)
        emit handled(jobs);
}

void HistoryWriter::makeThumbnails()
{
    QList<HistoryJob *> todo;
    for (HistoryJob &job : m_work) {
        if (job.kind == HistoryJob::Kind::Record && !job.thumbnailDone)
            todo.append(&job);
    }
    if (todo.isEmpty())
        return;
    // Decoding a photo for want of a preview takes tens of milliseconds: that runs only on what
    // uploads and the window leave of the CPU, on threads of their own, since a thread once at
    // idle priority stays there, and the write lock must never wait for the CPU.
    for (HistoryJob *job : todo) {
        m_pictures.start([job] {
            const QString &file = job->pictureFile;
            const QImage picture = job->preview.isNull() && !file.isEmpty() ? loadPreview(file).image : job->preview;
            if (!file.isEmpty() && job->record.fileSize < 0)
                job->record.fileSize = QFileInfo(file).size();
            if (!file.isEmpty() && !job->record.imageSize.isValid())
                job->record.imageSize = imageSizeOf(file);
            job->record.thumbnail = historyThumbnail(picture);
            job->preview = QImage();
            job->thumbnailDone = true;
        });
    }
    m_pictures.waitForDone();
}

historydb::Outcome HistoryWriter::writeBatch(QList<qint64> *added)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    historydb::Outcome outcome = historydb::begin(db);
    if (!outcome.ok())
        return outcome;
    // Records between two removals go in together, and everything keeps the order it was asked in.
    for (auto job = m_work.begin(); outcome.ok() && job != m_work.end();) {
        if (job->kind == HistoryJob::Kind::Record) {
            QList<HistoryRecord> records;
            for (; job != m_work.end() && job->kind == HistoryJob::Kind::Record; ++job)
                records.append(job->record);
            outcome = historydb::insert(db, records);
            for (const HistoryRecord &record : records)
                added->append(record.id);
        } else {
            outcome = job->kind == HistoryJob::Kind::Remove ? historydb::remove(db, job->ids)
                                                            : historydb::clear(db);
            ++job;
        }
    }
    if (outcome.ok())
        outcome = historydb::commit(db);
    if (!outcome.ok()) {
        historydb::rollback(db);
        added->clear();
    } else if (std::any_of(m_work.begin(), m_work.end(),
                           [](const HistoryJob &job) { return job.kind == HistoryJob::Kind::Clear; })) {
        QSqlQuery(db).exec(QStringLiteral("PRAGMA incremental_vacuum"));
    }
    return outcome;
}

void HistoryWriter::tryOpen()
{
    historydb::Outcome outcome;
    if (!makeFile(&outcome)) {
        end(outcome);
        return;
    }
    if (!m_connected) {
        outcome = historydb::open(m_connection, m_path, m_options.busyTimeoutMs);
        if (!outcome.ok()) {
            historydb::close(m_connection);
            end(outcome);
            return;
        }
        m_connected = true;
    }
    outcome = historydb::prepareForWriting(QSqlDatabase::database(m_connection, false));
    if (!outcome.ok()) {
        failed(outcome);
        return;
    }
    m_state = State::Open;
    m_retryMs = m_options.retryMs;
    emit opened();
    if (!m_work.empty())
        drain();
}

bool HistoryWriter::makeFile(historydb::Outcome *outcome)
{
    const QFileInfo file(m_path);
    if (file.exists())
        return true;
    const QString folder = file.absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)) {
            *outcome = {HistoryFault::CannotOpen, folder};
            return false;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Made here, not by SQLite, so that it is private from the first byte; SQLite gives its log
    // and index the same mode.
    QFile create(m_path);
    if (create.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        return true;
    if (QFileInfo::exists(m_path)) // another program made it first
        return true;
    *outcome = {create.error() == QFileDevice::PermissionsError ? HistoryFault::ReadOnly : HistoryFault::CannotOpen,
                create.errorString()};
    return false;
}

void HistoryWriter::failed(const historydb::Outcome &outcome)
{
    if (outcome.fault == HistoryFault::Corrupt) {
        // Kept, never deleted: it may still hold links that exist nowhere else.
        historydb::close(m_connection);
        m_connected = false;
        m_state = State::Closed;
        // A new file that is damaged at once is no file this program can keep.
        const QString aside = ++m_setAside <= 2 ? historydb::setAside(m_path) : QString();
        if (aside.isEmpty()) {
            end(outcome);
            return;
        }
        emit faulted(HistoryFault::Corrupt, aside, false);
        tryOpen();
        return;
    }
    if (!historydb::passes(outcome.fault)) {
        end(outcome);
        return;
    }
    emit faulted(outcome.fault, outcome.detail, false);
    retryLater();
}

void HistoryWriter::retryLater()
{
    m_retry->start(m_retryMs);
    m_retryMs = qMin(m_retryMs * 2, m_options.maxRetryMs);
}

void HistoryWriter::end(const historydb::Outcome &outcome)
{
    m_state = State::Ended;
    m_retry->stop();
    if (m_connected)
        historydb::close(m_connection);
    m_connected = false;
    emit faulted(outcome.fault, outcome.detail, true);
    drain(); // lets go of what is queued
}

} // namespace tarvello
