#include "gui/historymodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QPalette>

#include <algorithm>

#include "base/history.h"
#include "gui/texts.h"

namespace tarvello {

namespace {

// What the window shows is what a search for a date takes (YYYY-MM-DD).
const QString timeFormat = QStringLiteral("yyyy-MM-dd HH:mm");

} // namespace

HistoryModel::HistoryModel(HistoryStore *store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
    connect(store, &HistoryStore::opened, this, &HistoryModel::reload);
    connect(store, &HistoryStore::written, this, &HistoryModel::takeWritten);
    reload();
}

void HistoryModel::setSearch(const QString &text)
{
    m_search = text;
    reload();
}

void HistoryModel::reload()
{
    beginResetModel();
    m_records = m_store->read(m_search, 0, pageSize);
    m_more = m_records.size() == pageSize;
    endResetModel();
}

void HistoryModel::takeWritten()
{
    const qint64 newest = m_records.isEmpty() ? 0 : m_records.first().id;
    const QList<HistoryRecord> added = m_store->readNewer(m_search, newest, pageSize);
    if (added.isEmpty())
        return;
    if (added.size() == pageSize) {
        reload();
        return;
    }
    beginInsertRows(QModelIndex(), 0, int(added.size()) - 1);
    m_records = added + m_records;
    endInsertRows();
}

void HistoryModel::removeRecords(const QList<int> &rows)
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    QList<qint64> ids;
    for (const int row : sorted) {
        if (row < 0 || row >= m_records.size())
            continue;
        ids.append(m_records.at(row).id);
        beginRemoveRows(QModelIndex(), row, row);
        m_thumbnails.remove(m_records.at(row).id);
        m_records.removeAt(row);
        endRemoveRows();
    }
    m_store->remove(ids);
}

void HistoryModel::clearAll()
{
    m_store->clear();
    beginResetModel();
    m_records.clear();
    m_more = false;
    m_thumbnails.clear();
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return QVariant();
    const HistoryRecord &record = m_records.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case FileColumn:
            return record.fileName;
        case TimeColumn:
            return record.time.toString(timeFormat);
        case DestinationColumn:
            return record.destination;
        case LinkColumn:
            return record.hasLink() ? record.link : QCoreApplication::translate("mw", "failed");
        case DescriptionColumn:
            return record.description.simplified();
        }
        break;
    case Qt::DecorationRole:
        // An icon, so that the view draws it at its icon size: thumbnails are made for two
        // device pixels a pixel.
        if (index.column() == FileColumn)
            return QIcon(thumbnailOf(record.id));
        break;
    case Qt::ToolTipRole:
        switch (index.column()) {
        case FileColumn: {
            QString tip = QDir::toNativeSeparators(record.filePath);
            if (record.imageSize.isValid() && !record.imageSize.isEmpty())
                tip += QLatin1Char('\n') + QCoreApplication::translate("mw", "%1 × %2 pixels")
                                                   .arg(record.imageSize.width()).arg(record.imageSize.height());
            if (record.fileSize >= 0)
                tip += QLatin1Char('\n') + QLocale().formattedDataSize(record.fileSize);
            return tip;
        }
        case TimeColumn:
            return QLocale().toString(record.time, QLocale::LongFormat);
        case LinkColumn:
            return record.hasLink() ? record.link : record.failure;
        case DescriptionColumn:
            return record.description;
        }
        break;
    case Qt::ForegroundRole:
        if (index.column() == LinkColumn && !record.hasLink())
            return errorColour(QGuiApplication::palette());
        break;
    default:
        break;
    }
    return QVariant();
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FileColumn:
        return QCoreApplication::translate("mw", "File");
    case TimeColumn:
        return QCoreApplication::translate("mw", "Uploaded");
    case DestinationColumn:
        return QCoreApplication::translate("mw", "Destination");
    case LinkColumn:
        return QCoreApplication::translate("mw", "Link");
    case DescriptionColumn:
        return QCoreApplication::translate("mw", "Description");
    }
    return QVariant();
}

bool HistoryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_more;
}

void HistoryModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !m_more || m_records.isEmpty())
        return;
    const QList<HistoryRecord> page = m_store->read(m_search, m_records.last().id, pageSize);
    m_more = page.size() == pageSize;
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_records.size()), int(m_records.size() + page.size()) - 1);
    m_records += page;
    endInsertRows();
}

QPixmap HistoryModel::thumbnailOf(qint64 id) const
{
    if (const QPixmap *cached = m_thumbnails.object(id))
        return *cached;
    // A few KB each: decoding one is quicker than handing it to a worker and back.
    QPixmap picture;
    picture.loadFromData(m_store->thumbnail(id));
    ++m_decoded;
    m_thumbnails.insert(id, new QPixmap(picture));
    return picture;
}

} // namespace tarvello
