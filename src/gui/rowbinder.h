#pragma once

struct imgobj;
class QTableWidget;

namespace tarvello {

struct EntryRecord;

// Draws a row of the queue table from its entry and the entry's record: the texts, the tooltips,
// the icons, the error colour and the progress. Rows are drawn, never read back.
class RowBinder
{
public:
    // The table's columns.
    enum Column { FileColumn = 0, StatusColumn = 1, DescColumn = 2 };

    explicit RowBinder(QTableWidget *table);

    // Appends the row that entry `row` will be drawn into.
    void insert(int row);
    void bind(int row, const imgobj &entry, const EntryRecord &record);

private:
    QTableWidget *m_table;
};

} // namespace tarvello
