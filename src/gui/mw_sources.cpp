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
    auto file = std::make_unique<QFile>();
    const QString name = tarvello::openTempPng(*file);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    addPicture(name, shot, std::move(file));
}

void mw::clipb()
{
    const QPixmap image = QGuiApplication::clipboard()->pixmap(QClipboard::Clipboard);
    if (image.isNull())
        return;
    auto file = std::make_unique<QFile>();
    const QString name = tarvello::openTempPng(*file);
    addPicture(name, image, std::move(file));
}
