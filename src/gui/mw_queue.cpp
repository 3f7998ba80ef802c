// Entries and their rows: every change of an entry is made on the entry, then its row is
// rendered from it.

#include "gui/mw.h"

#include <QFileInfo>
#include <QStyle>

#include "base/image.h"
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
    releasePicture();
    objs.append(std::move(entry));
    m_views.append(view);
    if (objs.last().prev.isNull())
        requestPreview(row);
    else
        setPreview(row, objs.last().prev);
    renderRow(row);

    // Once for a whole batch of rows: each scroll lays out the row header, which costs more
    // than adding the row itself.
    if (!m_scrollPending) {
        m_scrollPending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_scrollPending = false;
            ui->tableWidget->scrollToBottom();
        }, Qt::QueuedConnection);
    }
    // Appending may have moved the vector's storage.
    sel = &objs.last();
    for (QPushButton *edit : {ui->ccw90, ui->cw90, ui->rot180, ui->flipv, ui->fliph})
        edit->setEnabled(true);
    return row;
}

void mw::renderRow(int row)
{
    const imgobj &entry = objs.at(row);
    const EntryView &view = m_views.at(row);
    QTableWidget *table = ui->tableWidget;

    QTableWidgetItem *name = table->item(row, FileColumn);
    name->setText(view.name);
    name->setData(Qt::DecorationRole, view.saving ? QVariant(style()->standardIcon(QStyle::SP_DialogSaveButton)) : QVariant());

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
    status->setData(UploadProgressRole, view.progress >= 0.0 ? QVariant(view.progress) : QVariant());

    // The invitation stands until a description is given, even an empty one, or the entry is
    // handled and can no longer take one.
    const bool invite = !view.described && entry.state != EntryState::Handled;
    table->item(row, DescColumn)->setText(invite ? tr("Click to add") : entry.desc);
}

void mw::uploaddrop(const QString &path)
{
    if (!m_dropProgress->wanted())
        return;
    addObj(path, false);
    m_dropProgress->added();
}
