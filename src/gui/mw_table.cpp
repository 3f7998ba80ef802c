// The queue table's input: clicks, the context menu, copying links and pasting images.

#include "gui/mw.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QShortcut>

#include <algorithm>
#include <numeric>

#include "gui/mwui.h"
#include "gui/progressdelegate.h"

using namespace tarvello;

void mw::handleclick(int row, int column)
{
    if (row < 0 || row >= objs.size())
        return;
    imgobj &entry = objs[row];
    showPreview(row);
    sel = &entry;

    if (entry.state != EntryState::Waiting)
        return;
    if (column == StatusColumn) {
        startUpload(row);
    } else if (column == DescColumn) {
        const QString text = QInputDialog::getText(this, tr("Description"), tr("Give description"),
                                                   QLineEdit::Normal, QString());
        // A cancelled dialog gives an empty text, which clears the description.
        objs[row].desc = text;
        m_views[row].described = true;
        renderRow(row);
    }
}

void mw::handledclick(int row, int column)
{
    if (column != StatusColumn || row < 0 || row >= objs.size())
        return;
    if (objs.at(row).hasLink())
        QDesktopServices::openUrl(objs.at(row).link);
}

void mw::setUpTableActions()
{
    QTableWidget *table = ui->tableWidget;
    table->setItemDelegateForColumn(StatusColumn, new ProgressDelegate(table));
    // Links and file names stay on one line with both ends visible; the tooltip has the rest.
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideMiddle);
    table->horizontalHeader()->setSectionResizeMode(StatusColumn, QHeaderView::Stretch);

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this, [this, table](const QPoint &pos) {
        QMenu *menu = createContextMenu(table->rowAt(pos.y()));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(table->viewport()->mapToGlobal(pos));
    });

    // Ctrl+C in the table copies the links of the selected rows.
    auto *copy = new QShortcut(QKeySequence::Copy, table, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, [this, table] {
        QList<int> rows;
        for (const QModelIndex &index : table->selectionModel()->selectedIndexes()) {
            if (!rows.contains(index.row()))
                rows.append(index.row());
        }
        std::sort(rows.begin(), rows.end());
        copyLinks(linksOfRows(rows));
    });

    // Ctrl+V anywhere in the window does what "Clipboard" does; a line edit with the focus
    // takes its own paste first.
    auto *paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, &mw::clipb);
}

QStringList mw::linksOfRows(const QList<int> &rows) const
{
    QStringList links;
    for (int row : rows) {
        if (row >= 0 && row < objs.size() && objs.at(row).hasLink())
            links.append(m_views.at(row).answer.trimmed());
    }
    return links;
}

void mw::copyLinks(const QStringList &links) const
{
    if (!links.isEmpty())
        QGuiApplication::clipboard()->setText(links.join(QLatin1Char('\n')));
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

QMenu *mw::createContextMenu(int row)
{
    auto *menu = new QMenu(this);
    const bool valid = row >= 0 && row < objs.size();
    const bool linked = valid && objs.at(row).hasLink();

    QAction *copyLink = menu->addAction(tr("Copy link"), this, [this, row] { copyLinks(linksOfRows({row})); });
    copyLink->setEnabled(linked);
    QAction *openLink = menu->addAction(tr("Open link"), this, [this, row] { handledclick(row, StatusColumn); });
    openLink->setEnabled(linked);
    QAction *again = menu->addAction(tr("Upload again"), this, [this, row] { uploadAgain(row); });
    again->setEnabled(valid && objs.at(row).state == EntryState::Handled);
    menu->addSeparator();

    QList<int> everyRow(objs.size());
    std::iota(everyRow.begin(), everyRow.end(), 0);
    const QStringList all = linksOfRows(everyRow);
    QAction *copyAll = menu->addAction(tr("Copy all links"), this, [this, all] { copyLinks(all); });
    copyAll->setEnabled(!all.isEmpty());
    return menu;
}
