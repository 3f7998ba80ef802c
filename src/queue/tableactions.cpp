// Links at hand: the table's context menu, copying links, pasting images, and upload progress.

#include "app/mw.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QShortcut>

#include <algorithm>
#include <numeric>

#include "form/mwui.h"
#include "upload/progressdelegate.h"

void mw::setUpTableActions()
{
    QTableWidget *table = ui->tableWidget;
    table->setItemDelegateForColumn(1, new tarvello::ProgressDelegate(table));
    // Links and file names stay on one line with both ends visible; the tooltip has the rest.
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideMiddle);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

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
            links.append(ui->tableWidget->item(row, 1)->text().trimmed());
    }
    return links;
}

void mw::copyLinks(const QStringList &links) const
{
    if (!links.isEmpty())
        QGuiApplication::clipboard()->setText(links.join(QLatin1Char('\n')));
}

QMenu *mw::createContextMenu(int row)
{
    auto *menu = new QMenu(this);
    const bool valid = row >= 0 && row < objs.size();
    const bool linked = valid && objs.at(row).hasLink();

    QAction *copyLink = menu->addAction(tr("Copy link"), this, [this, row] { copyLinks(linksOfRows({row})); });
    copyLink->setEnabled(linked);
    QAction *openLink = menu->addAction(tr("Open link"), this, [this, row] { handledclick(row, 1); });
    openLink->setEnabled(linked);
    QAction *again = menu->addAction(tr("Upload again"), this, [this, row] { uploadAgain(row); });
    again->setEnabled(valid && objs.at(row).state == 2);
    menu->addSeparator();

    QList<int> everyRow(objs.size());
    std::iota(everyRow.begin(), everyRow.end(), 0);
    const QStringList all = linksOfRows(everyRow);
    QAction *copyAll = menu->addAction(tr("Copy all links"), this, [this, all] { copyLinks(all); });
    copyAll->setEnabled(!all.isEmpty());
    return menu;
}
