// The queue table's input: clicks, keys, the row menu, copying links and pasting images.

#include "gui/mw.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStyle>

#include <algorithm>
#include <numeric>

#include "base/linkformat.h"
#include "base/uploadqueue.h"
#include "gui/eventhook.h"
#include "gui/historytexts.h"
#include "gui/mwui.h"
#include "gui/previewarea.h"
#include "gui/progressdelegate.h"
#include "gui/rowbinder.h"
#include "gui/statusline.h"

using namespace tarvello;

namespace {

// Sends every failed row again.
QKeySequence retryFailedKey()
{
    return QKeySequence(Qt::CTRL | Qt::Key_R);
}

bool isPress(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::NoModifier
            && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space);
}

bool isMenuKey(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier)
            || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

} // namespace

void mw::handleclick(int row, int column)
{
    if (!m_queue->isShown(row))
        return;
    selectEntry(row);

    if (objs.at(row).state != EntryState::Waiting)
        return;
    if (column == RowBinder::StatusColumn)
        upload(objs.at(row).file, row);
    else if (column == RowBinder::DescColumn)
        describe(row);
}

void mw::handledclick(int row, int column)
{
    if (column != RowBinder::StatusColumn || !m_queue->isLinked(row))
        return;
    if (!QDesktopServices::openUrl(m_queue->record(row).result.link)) {
        QGuiApplication::clipboard()->setText(linksOfRows({row}).join(QString()));
        m_status->notify(tr("No browser could open the link; it was copied instead."));
    }
}

void mw::describe(int row)
{
    if (!m_queue->isShown(row) || objs.at(row).state != EntryState::Waiting)
        return;
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Description"), tr("Give description"),
                                               QLineEdit::Normal, objs.at(row).desc, &ok);
    if (ok)
        m_queue->describe(row, text);
}

void mw::selectEntry(int row)
{
    m_picture->show(row);
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

void mw::setUpTable()
{
    QTableWidget *table = ui->tableWidget;
    table->setItemDelegateForColumn(RowBinder::StatusColumn, new ProgressDelegate(table));
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
                if (!m_movingCurrent && m_queue->isShown(current.row()))
                    selectEntry(current.row());
            });

    // Ctrl+C and Delete act on the selected rows wherever the focus is; a text field with the
    // focus takes them for its own text first.
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            [this] { copyLinks(linksOfRows(selectedRows())); });
    connect(new QShortcut(retryFailedKey(), this), &QShortcut::activated, this, [this] { m_queue->retryFailed(target()); });

    // Ctrl+V anywhere in the window does what "Clipboard" does; a line edit with the focus
    // takes its own paste first.
    connect(new QShortcut(QKeySequence::Paste, this), &QShortcut::activated, this, &mw::clipb);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, this, &mw::browse);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U), this), &QShortcut::activated,
            this, &mw::uploadall);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &QWidget::close);

    connect(new QShortcut(QKeySequence::Delete, this), &QShortcut::activated, this, [this, table] {
        QList<int> rows = selectedRows();
        if (rows.isEmpty())
            rows.append(table->currentRow());
        removeRows(rows);
    });

    // A key on the current cell does what a click on it does.
    new EventHook(table, [this, table](QEvent *event) {
        const int row = table->currentRow();
        if (event->type() == QEvent::ContextMenu
            && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
            popUpContextMenu(row, table->visualRect(table->currentIndex()).center());
            return true;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isPress(key)) {
            handleclick(row, table->currentColumn());
            return true;
        }
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
            describe(row);
            return true;
        }
        if (isMenuKey(key)) {
            popUpContextMenu(row, table->visualRect(table->currentIndex()).center());
            return true;
        }
        return false;
    });

    // The drop area takes the focus in its turn; a key there picks files as a drop would bring them.
    new EventHook(ui->label, [this](QEvent *event) {
        if (event->type() != QEvent::KeyPress || !isPress(static_cast<QKeyEvent *>(event)))
            return false;
        browse();
        return true;
    });
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
        if (m_queue->isLinked(row))
            links.append(m_queue->record(row).result.link.toString());
    }
    return links;
}

void mw::copyLinks(const QStringList &links)
{
    if (links.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(links.join(QLatin1Char('\n')));
    m_status->notify(links.size() == 1 ? tr("Link copied") : tr("%1 links copied").arg(links.size()));
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
    const bool valid = m_queue->isShown(row);
    const bool linked = m_queue->isLinked(row);
    // The row's actions are for every selected row when it is one of them, as the keys are.
    QList<int> rows = selectedRows();
    if (!rows.contains(row))
        rows = valid ? QList<int>{row} : QList<int>{};
    const QStringList links = linksOfRows(rows);
    const auto handled = [this](int r) { return objs.at(r).state == EntryState::Handled; };
    const QStyle *style = this->style();

    QAction *copyLink = menu->addAction(QIcon::fromTheme(QStringLiteral("edit-copy")), tr("Copy link"), this,
                                        [this, links] { copyLinks(links); });
    copyLink->setShortcut(QKeySequence::Copy);
    copyLink->setEnabled(!links.isEmpty());
    QMenu *formats = menu->addMenu(tr("Copy as"));
    formats->setEnabled(linked);
    if (linked) {
        const UploadResult &result = m_queue->record(row).result;
        const LinkParts parts{result.link.toString(QUrl::FullyEncoded), result.thumbnail.toString(QUrl::FullyEncoded),
                              objs.at(row).desc, m_queue->record(row).name};
        QList<LinkFormat> offered{LinkFormat::Plain, LinkFormat::Markdown, LinkFormat::Html, LinkFormat::BBCode};
        if (!result.thumbnail.isEmpty())
            offered << LinkFormat::MarkdownThumbnail << LinkFormat::HtmlThumbnail << LinkFormat::BBCodeThumbnail;
        for (LinkFormat format : offered) {
            const QString text = formatLink(format, parts);
            formats->addAction(linkFormatName(format), this, [this, text] { copyLinks({text}); })->setEnabled(!text.isEmpty());
        }
    }
    QAction *openLink = menu->addAction(QIcon::fromTheme(QStringLiteral("internet-web-browser")), tr("Open link"), this,
                                        [this, rows] {
                                            for (int r : rows) {
                                                if (m_queue->isLinked(r))
                                                    handledclick(r, RowBinder::StatusColumn);
                                            }
                                        });
    openLink->setEnabled(!links.isEmpty());
    QAction *again = menu->addAction(style->standardIcon(QStyle::SP_BrowserReload), tr("Upload again"), this,
                                     [this, rows, handled] {
                                         for (int r : rows) {
                                             if (handled(r))
                                                 m_queue->uploadAgain(r, target());
                                         }
                                     });
    again->setEnabled(std::any_of(rows.cbegin(), rows.cend(), handled));
    QAction *remove = menu->addAction(style->standardIcon(QStyle::SP_TrashIcon), tr("Remove"), this,
                                      [this, rows] { removeRows(rows); });
    remove->setShortcut(QKeySequence::Delete);
    remove->setEnabled(!rows.isEmpty());
    menu->addSeparator();

    QAction *retry = menu->addAction(style->standardIcon(QStyle::SP_BrowserReload), tr("Retry failed"), this,
                                     [this] { m_queue->retryFailed(target()); });
    retry->setShortcut(retryFailedKey());
    retry->setEnabled(m_queue->counts().failed > 0);

    QList<int> everyRow(objs.size());
    std::iota(everyRow.begin(), everyRow.end(), 0);
    const QStringList all = linksOfRows(everyRow);
    QAction *copyAll = menu->addAction(tr("Copy all links"), this, [this, all] { copyLinks(all); });
    copyAll->setEnabled(!all.isEmpty());
    return menu;
}
