#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QList>
#include <QPixmap>
#include <QString>

#include "base/historyrecord.h"

namespace tarvello {

class HistoryStore;

// The history as a table, newest first: a page of records at a time as the view scrolls
// (canFetchMore/fetchMore), the search done by the database, and thumbnails decoded only when
// the view asks for them, that is for the rows it shows.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryModel)

public:
    enum Column { FileColumn, TimeColumn, DestinationColumn, LinkColumn, DescriptionColumn, ColumnCount };
    static constexpr int pageSize = 100;

    explicit HistoryModel(HistoryStore *store, QObject *parent = nullptr);

    // Shows what the search finds (parseHistorySearch), from the newest.
    void setSearch(const QString &text);
    QString search() const { return m_search; }
    // Reads the first page again: records other programs added show up.
    void reload();

    const HistoryRecord &record(int row) const { return m_records.at(row); }
    // Forgets the records of these rows, here and in the store.
    void removeRecords(const QList<int> &rows);
    void clearAll();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // How many thumbnails were decoded so far: the view asks only for the rows it shows.
    int thumbnailsDecoded() const { return m_decoded; }

private:
    void takeWritten();
    QPixmap thumbnailOf(qint64 id) const;

    HistoryStore *m_store;
    QString m_search;
    QList<HistoryRecord> m_records;
    bool m_more = false;
    mutable QCache<qint64, QPixmap> m_thumbnails{300};
    mutable int m_decoded = 0;
};

} // namespace tarvello
