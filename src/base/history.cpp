#include "base/history.h"

#include <QMetaObject>
#include <QStandardPaths>

#include "base/historysearch.h"
#include "base/historywriter.h"

namespace tarvello {

namespace {

QString readerName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("tarvello-history-read-%1").arg(next++);
}

} // namespace

QString HistoryStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/tarvello/history.sqlite");
}

HistoryStore::HistoryStore(const QString &path, QObject *parent)
    : HistoryStore(path, HistoryOptions(), parent)
{
}

HistoryStore::HistoryStore(const QString &path, const HistoryOptions &options, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_readerName(readerName())
    , m_writer(std::make_unique<HistoryWriter>(path, options))
{
    m_thread.setObjectName(QStringLiteral("tarvello-history"));
    m_writer->moveToThread(&m_thread);
    connect(m_writer.get(), &HistoryWriter::opened, this, [this] {
        // A file set aside leaves the reader on the old one.
        closeReader();
        m_open = true;
        emit opened();
    });
    connect(m_writer.get(), &HistoryWriter::written, this, &HistoryStore::written);
    connect(m_writer.get(), &HistoryWriter::faulted, this, &HistoryStore::report);
    connect(m_writer.get(), &HistoryWriter::handled, this, [this](int jobs) { m_pending -= jobs; });
    m_thread.start();
    QMetaObject::invokeMethod(m_writer.get(), &HistoryWriter::start, Qt::QueuedConnection);
}

HistoryStore::~HistoryStore()
{
    QMetaObject::invokeMethod(m_writer.get(), &HistoryWriter::finish, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_writer.reset();
    closeReader();
}

void HistoryStore::record(const HistoryRecord &record, const QImage &preview, const QString &pictureFile)
{
    HistoryJob job;
    job.record = record;
    job.record.id = 0;
    job.preview = preview;
    job.pictureFile = pictureFile.isEmpty() ? record.filePath : pictureFile;
    ++m_pending;
    m_writer->enqueue(std::move(job));
}

void HistoryStore::remove(const QList<qint64> &ids)
{
    if (ids.isEmpty())
        return;
    HistoryJob job;
    job.kind = HistoryJob::Kind::Remove;
    job.ids = ids;
    ++m_pending;
    m_writer->enqueue(std::move(job));
}

void HistoryStore::clear()
{
    HistoryJob job;
    job.kind = HistoryJob::Kind::Clear;
    ++m_pending;
    m_writer->enqueue(std::move(job));
}

QList<HistoryRecord> HistoryStore::read(const QString &search, qint64 olderThan, int limit)
{
    QList<HistoryRecord> records;
    if (!readable())
        return records;
    const historydb::Outcome outcome = historydb::read(QSqlDatabase::database(m_readerName, false),
                                                       parseHistorySearch(search), 0, olderThan, limit, &records);
    if (!outcome.ok())
        report(outcome.fault, outcome.detail, !historydb::passes(outcome.fault));
    return records;
}

QList<HistoryRecord> HistoryStore::readNewer(const QString &search, qint64 newerThan, int limit)
{
    QList<HistoryRecord> records;
    if (!readable())
        return records;
    const historydb::Outcome outcome = historydb::read(QSqlDatabase::database(m_readerName, false),
                                                       parseHistorySearch(search), newerThan, 0, limit, &records);
    if (!outcome.ok())
        report(outcome.fault, outcome.detail, !historydb::passes(outcome.fault));
    return records;
}

QByteArray HistoryStore::thumbnail(qint64 id)
{
    QByteArray image;
    if (readable())
        historydb::thumbnail(QSqlDatabase::database(m_readerName, false), id, &image);
    return image;
}

bool HistoryStore::readable()
{
    if (!isOpen())
        return false;
    if (m_readerOpen)
        return true;
    // Short waits: readers only wait for the moment a log is being reset.
    const historydb::Outcome outcome = historydb::open(m_readerName, m_path, 250);
    if (!outcome.ok()) {
        historydb::close(m_readerName);
        report(outcome.fault, outcome.detail, false);
        return false;
    }
    m_readerOpen = true;
    return true;
}

void HistoryStore::closeReader()
{
    if (!m_readerOpen)
        return;
    historydb::close(m_readerName);
    m_readerOpen = false;
}

void HistoryStore::report(HistoryFault fault, const QString &detail, bool final)
{
    if (final) {
        m_available = false;
        closeReader();
    }
    if (m_reported)
        return;
    m_reported = true;
    m_fault = fault;
    m_faultDetail = detail;
    emit faulted(fault, detail);
}

} // namespace tarvello
