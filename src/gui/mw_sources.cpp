// The image sources behind the buttons: Browse, Screenshot and Clipboard.

#include "gui/mw.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include "base/image.h"
#include "base/tempfile.h"
#include "gui/mwui.h"

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
    if (name.isEmpty() || !tarvello::writePng(file, shot.toImage())) {
        notify(tr("The screenshot could not be saved in the temporary folder."));
        return;
    }
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
    if (name.isEmpty() || !tarvello::writePng(file, image.toImage())) {
        notify(tr("The clipboard image could not be saved in the temporary folder."));
        return;
    }
    ui->label->setPixmap(tarvello::previewOf(image));
    addObj(name, true);
}
