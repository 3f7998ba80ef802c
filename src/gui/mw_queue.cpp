// Entries and their rows: every change of an entry is made on the entry, then its row is
// rendered from it.

#include "gui/mw.h"

#include <QFileInfo>
#include <QStyle>

#include "base/fileproblem.h"
#include "base/image.h"
#include "base/summary.h"
#include "gui/dropprogress.h"
#include "gui/mwui.h"
#include "gui/progressdelegate.h"

using namespace tarvello;

void mw::addObj(const QString &file, bool is_c)
{
    // Nothing is decoded here: the row appears at once, and its preview follows from a worker.
    imgobj entry;
    entry.file = file;
    entry.temp = is_c;
    const int row = appendEntry(std::move(entry));
    if (ui->checkBox_2->isChecked())
        startUpload(row);
}

int mw::appendEntry(imgobj entry)
{
    QTableWidget *table = ui->tableWidget;
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column : {FileColumn, StatusColumn, DescColumn})
        table->setItem(row, column, new QTableWidgetItem);
    EntryView view;
    view.name = QFileInfo(entry.file).fileName();
    // Only what the folder tells; whether it holds an image shows when its preview is decoded.
    view.problem = fileProblem(entry.file, false);
    releasePicture();
    objs.append(std::move(entry));
    m_views.append(view);
    if (objs.last().prev.isNull())
        requestPreview(row);
    else
        setPreview(row, objs.last().prev);
    renderRow(row);
    if (!view.problem.isEmpty())
        notify(tr("%1 cannot be used: %2").arg(view.name, view.problem));

    // Appending may have moved the vector's storage. The new row becomes the current one, but
    // the picture shown stays whatever the source put there.
    sel = &objs.last();
    // Once for a whole batch of rows: scrolling and moving the current row each lay out and
    // repaint the table, which costs ten times more than adding the row itself.
    if (!m_scrollPending) {
        m_scrollPending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_scrollPending = false;
            if (sel)
                makeCurrent(int(sel - objs.constData()));
            ui->tableWidget->scrollToBottom();
        }, Qt::QueuedConnection);
    }
    for (QPushButton *edit : {ui->ccw90, ui->cw90, ui->rot180, ui->flipv, ui->fliph})
        edit->setEnabled(true);
    return row;
}

void mw::renderRow(int row)
{
    const imgobj &entry = objs.at(row);
    const EntryView &view = m_views.at(row);
    QTableWidget *table = ui->tableWidget;

    // While an edit is written the row says so; otherwise a file that cannot be used does.
    QTableWidgetItem *name = table->item(row, FileColumn);
    name->setText(view.name);
    name->setToolTip(view.problem.isEmpty() ? entry.file : entry.file + QLatin1Char('\n') + view.problem);
    const QStyle::StandardPixmap icon = view.saving ? QStyle::SP_DialogSaveButton : QStyle::SP_MessageBoxWarning;
    name->setData(Qt::DecorationRole, view.saving || !view.problem.isEmpty() ? QVariant(style()->standardIcon(icon)) : QVariant());

    QTableWidgetItem *status = table->item(row, StatusColumn);
    switch (entry.state) {
    case EntryState::Waiting:
        status->setText(tr("Click"));
        break;
    case EntryState::Uploading:
        status->setText(tr("Uploading..."));
        break;
    default:
        status->setText(view.answer);
        break;
    }
    status->setToolTip(view.tooltip);
    const bool failed = entry.state == EntryState::Handled && !entry.hasLink();
    status->setData(Qt::DecorationRole, failed ? QVariant(style()->standardIcon(QStyle::SP_MessageBoxWarning)) : QVariant());
    status->setData(Qt::ForegroundRole, failed ? QVariant(QBrush(errorColour(table->palette()))) : QVariant());
    status->setData(UploadProgressRole, view.progress >= 0.0 ? QVariant(view.progress) : QVariant());

    // The invitation stands until a description is given, even an empty one, or the entry is
    // handled and can no longer take one.
    const bool invite = !view.described && entry.state != EntryState::Handled;
    table->item(row, DescColumn)->setText(invite ? tr("Click to add") : entry.desc);
    table->setRowHidden(row, view.removed);
    // Once per pass of the event loop: a drop renders a thousand rows in one go.
    if (!m_summaryPending) {
        m_summaryPending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_summaryPending = false;
            showSummary();
        }, Qt::QueuedConnection);
    }
}

void mw::uploaddrop(const QString &path)
{
    addObj(path, false);
    m_dropProgress->added();
}
