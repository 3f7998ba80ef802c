// The keyboard: everything the mouse does in the window can be done from the keys.

#include "gui/mw.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QShortcut>

#include <functional>

#include "gui/eventhook.h"
#include "gui/mwui.h"

namespace {

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

void mw::setUpKeys()
{
    QTableWidget *table = ui->tableWidget;

    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, this, &mw::browse);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U), this), &QShortcut::activated,
            this, &mw::uploadall);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &QWidget::close);

    auto *remove = new QShortcut(QKeySequence::Delete, table, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, [this, table] {
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
