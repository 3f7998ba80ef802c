// The queue table's input: clicks, the context menu, copying links and pasting images.

#include "gui/mw.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShortcut>

#include <algorithm>
#include <numeric>

#include "gui/mwui.h"
#include "gui/progressdelegate.h"

using namespace tarvello;

void mw::handleclick(int row, int column)
{
    if (!isShown(row))
        return;
    selectEntry(row);

    if (objs.at(row).state != EntryState::Waiting)
        return;
    if (column == StatusColumn)
        startUpload(row);
    else if (column == DescColumn)
        describe(row);
}

void mw::describe(int row)
{
    if (!isShown(row) || objs.at(row).state != EntryState::Waiting)
        return;
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Description"), tr("Give description"),
                                               QLineEdit::Normal, objs.at(row).desc, &ok);
    if (!ok)
        return;
    objs[row].desc = text;
    m_views[row].described = true;
    renderRow(row);
}

void mw::selectEntry(int row)
{
    showPreview(row);
    sel = &objs[row];
    makeCurrent(row);
}

void mw::makeCurrent(int row)
{
    QTableWidget *table = ui->tableWidget;
    if (table->currentRow() == row)
        return;
    const QScopedValueRollback<bool> moving(m_movingCurrent, true);
    // Scrolling to each new row would lay out the row header each time, which during a large
    // drop costs more than the rows; the queue scrolls once per batch instead.
    const bool autoScroll = table->hasAutoScroll();
    table->setAutoScroll(false);
    table->setCurrentCell(row, qMax(table->currentColumn(), 0));
    table->setAutoScroll(autoScroll);
}

void mw::handledclick(int row, int column)
{
    if (column != StatusColumn || !isShown(row) || m_views.at(row).link.isEmpty())
        return;
    if (!QDesktopServices::openUrl(m_views.at(row).link)) {
        QGuiApplication::clipboard()->setText(linksOfRows({row}).join(QString()));
        notify(tr("No browser could open the link; it was copied instead."));
    }
}

void mw::setUpTableActions()
{
    QTableWidget *table = ui->tableWidget;
    table->setItemDelegateForColumn(StatusColumn, new ProgressDelegate(table));
    // Links and file names stay on one line with both ends visible; the tooltip has the rest.
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideMiddle);
    // The columns share the width; the tooltips have what does not fit.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this, [this, table](const QPoint &pos) {
        popUpContextMenu(table->rowAt(pos.y()), pos);
    });

    // The highlighted row is the one the edits and the preview are for, however it moved there.
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_movingCurrent && isShown(current.row()))
                    selectEntry(current.row());
            });

    // Ctrl+C in the table copies the links of the selected rows.
    auto *copy = new QShortcut(QKeySequence::Copy, table, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, [this] { copyLinks(linksOfRows(selectedRows())); });

    // Ctrl+V anywhere in the window does what "Clipboard" does; a line edit with the focus
    // takes its own paste first.
    auto *paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, &mw::clipb);
}

QList<int> mw::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : ui->tableWidget->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList mw::linksOfRows(const QList<int> &rows) const
{
    QStringList links;
    for (int row : rows) {
        if (isShown(row) && !m_views.at(row).link.isEmpty())
            links.append(m_views.at(row).link.toString());
    }
    return links;
}

void mw::copyLinks(const QStringList &links)
{
    if (links.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(links.join(QLatin1Char('\n')));
    notify(links.size() == 1 ? tr("Link copied") : tr("%1 links copied").arg(links.size()));
}

void mw::uploadAgain(int row)
{
    // A new row for the same file: rows are only ever appended, and the old one keeps its outcome.
    const imgobj &source = objs.at(row);
    imgobj entry;
    entry.file = source.file;
    entry.desc = source.desc;
    entry.pix = source.pix;
    entry.prev = source.prev;
    entry.temp = source.temp;
    const bool described = m_views.at(row).described;
    const int newRow = appendEntry(std::move(entry));
    m_views[newRow].described = described;
    startUpload(newRow);
}

void mw::popUpContextMenu(int row, const QPoint &viewportPos)
{
    QTableWidget *table = ui->tableWidget;
    QMenu *menu = createContextMenu(row);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(table->viewport()->mapToGlobal(viewportPos));
}

QMenu *mw::createContextMenu(int row)
{
    auto *menu = new QMenu(this);
    const bool valid = isShown(row);
    const bool linked = valid && !m_views.at(row).link.isEmpty();

    QAction *copyLink = menu->addAction(tr("Copy link"), this, [this, row] { copyLinks(linksOfRows({row})); });
    copyLink->setEnabled(linked);
    QAction *openLink = menu->addAction(tr("Open link"), this, [this, row] { handledclick(row, StatusColumn); });
    openLink->setEnabled(linked);
    QAction *again = menu->addAction(tr("Upload again"), this, [this, row] { uploadAgain(row); });
    again->setEnabled(valid && objs.at(row).state == EntryState::Handled);
    QAction *remove = menu->addAction(tr("Remove"), this, [this, row] { removeRows({row}); });
    remove->setEnabled(valid);
    menu->addSeparator();

    QList<int> everyRow(objs.size());
    std::iota(everyRow.begin(), everyRow.end(), 0);
    const QStringList all = linksOfRows(everyRow);
    QAction *copyAll = menu->addAction(tr("Copy all links"), this, [this, all] { copyLinks(all); });
    copyAll->setEnabled(!all.isEmpty());
    return menu;
}

void mw::removeRows(QList<int> rows)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(), [this](int row) { return !isShown(row); }), rows.end());
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    const int selRow = sel ? int(sel - objs.constData()) : -1;
    for (int row : std::as_const(rows)) {
        m_views[row].removed = true;
        if (objs.at(row).state == EntryState::Uploading)
            cancelUpload(row);
        renderRow(row);
    }
    if (isShown(selRow))
        return;

    // The highlight moves on to the next row still shown, as it does for a row deleted in a list.
    int next = rows.last() + 1;
    while (next < objs.size() && !isShown(next))
        ++next;
    if (next >= objs.size()) {
        next = rows.first() - 1;
        while (next >= 0 && !isShown(next))
            --next;
    }
    if (next >= 0) {
        selectEntry(next);
        return;
    }
    sel = nullptr;
    {
        const QScopedValueRollback<bool> moving(m_movingCurrent, true);
        ui->tableWidget->setCurrentIndex(QModelIndex());
    }
    ui->label->setPixmap(QPixmap(QStringLiteral(":/tarvello/zor.png")));
    for (QPushButton *edit : {ui->ccw90, ui->cw90, ui->rot180, ui->flipv, ui->fliph})
        edit->setEnabled(false);
}
