// The image sources behind the buttons: Browse, Screenshot and Clipboard.

#include "gui/mw.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

#include "base/image.h"
#include "base/tempfile.h"
#include "gui/mwui.h"

void mw::browse()
{
    const QString folder = QFileInfo(m_browseFolder).isDir()
            ? m_browseFolder
            : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QStringList files = QFileDialog::getOpenFileNames(
            this, tr("Open Image"), folder,
            tr("Image Files (*.png *.jpg *.gif *.bmp *.jpeg *.svg *.tiff)"));
    if (!files.isEmpty())
        m_browseFolder = QFileInfo(files.first()).absolutePath();
    for (const QString &file : files)
        addObj(file, false);
}

void mw::screens()
{
    if (!m_shooting)
        takeScreenshot();
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
