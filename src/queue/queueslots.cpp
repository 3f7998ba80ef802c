// The queue side of the window: adding images from every source, and clicks on the table.

#include "app/mw.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QScreen>
#include <QStandardPaths>

#include "form/mwui.h"
#include "queue/dropprogress.h"
#include "queue/imageload.h"
#include "queue/tempfile.h"

void mw::addObj(const QString &file, bool is_c)
{
    const bool autoUpload = ui->checkBox_2->isChecked();
    imgobj entry;
    entry.state = autoUpload ? 1 : 0;
    entry.file = file;
    entry.pix = tarvello::loadPixmap(file);
    entry.prev = tarvello::previewOf(entry.pix);
    entry.temp = is_c;
    const int row = appendEntry(std::move(entry));
    if (autoUpload)
        upload(file, row);
    afterAppend();
}

int mw::appendEntry(imgobj entry)
{
    QTableWidget *table = ui->tableWidget;
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, 0, new QTableWidgetItem(QFileInfo(entry.file).fileName()));
    table->setItem(row, 1, new QTableWidgetItem(entry.state == 1 ? tr("Uploading...") : tr("Click")));
    table->setItem(row, 2, new QTableWidgetItem(entry.desc.isEmpty() ? tr("Click to add") : entry.desc));
    objs.append(std::move(entry));
    return row;
}

void mw::afterAppend()
{
    ui->tableWidget->scrollToBottom();
    // Appending may have moved the vector's storage.
    sel = &objs.last();

    ui->ccw90->setEnabled(true);
    ui->cw90->setEnabled(true);
    ui->rot180->setEnabled(true);
    ui->flipv->setEnabled(true);
    ui->fliph->setEnabled(true);
}

void mw::uploadAgain(int row)
{
    // A new row for the same file: rows are only ever appended, and the old one keeps its outcome.
    const imgobj &source = objs.at(row);
    imgobj entry;
    entry.state = 1;
    entry.file = source.file;
    entry.desc = source.desc;
    entry.pix = source.pix;
    entry.prev = source.prev;
    entry.temp = source.temp;
    const int newRow = appendEntry(std::move(entry));
    upload(objs.at(newRow).file, newRow);
    afterAppend();
}

void mw::uploaddrop(const QString &path)
{
    if (!m_dropProgress->wanted())
        return;
    addObj(path, false);
    m_dropProgress->added();
}

void mw::browse()
{
    const QStringList files = QFileDialog::getOpenFileNames(
            this, tr("Open Image"),
            QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
            tr("Image Files (*.png *.jpg *.gif *.bmp *.jpeg *.svg *.tiff)"));
    for (const QString &file : files)
        addObj(file, false);
}

void mw::screens()
{
    // The name is taken before the grab, so it tells when the button was pressed.
    QFile file;
    const QString name = tarvello::openTempPng(file);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    tarvello::writePng(file, shot.toImage());
    ui->label->setPixmap(tarvello::previewOf(shot));
    addObj(name, true);
}

void mw::clipb()
{
    const QPixmap image = QGuiApplication::clipboard()->pixmap(QClipboard::Clipboard);
    if (image.isNull())
        return;
    QFile file;
    const QString name = tarvello::openTempPng(file);
    tarvello::writePng(file, image.toImage());
    ui->label->setPixmap(tarvello::previewOf(image));
    addObj(name, true);
}

void mw::handleclick(int row, int column)
{
    if (row < 0 || row >= objs.size())
        return;
    imgobj &entry = objs[row];
    ui->label->setPixmap(entry.prev);
    sel = &entry;

    if (entry.state != 0)
        return;
    if (column == 1) {
        startUpload(row);
    } else if (column == 2) {
        const QString text = QInputDialog::getText(this, tr("Description"), tr("Give description"),
                                                   QLineEdit::Normal, QString());
        // A cancelled dialog gives an empty text, which clears the description.
        objs[row].desc = text;
        ui->tableWidget->item(row, 2)->setText(text);
    }
}

void mw::handledclick(int row, int column)
{
    if (column != 1 || row < 0 || row >= objs.size())
        return;
    if (objs.at(row).hasLink())
        QDesktopServices::openUrl(objs.at(row).link);
}
