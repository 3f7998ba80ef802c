// The image sources behind the buttons: Browse, Screenshot and Clipboard.

#include "gui/mw.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QStandardPaths>

#include "base/browse.h"
#include "base/image.h"
#include "base/tempfile.h"
#include "gui/mwui.h"

void mw::browse()
{
    const QString start = tarvello::browseStartFolder(
            m_browseFolder, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), QDir::homePath());
    const QStringList files = QFileDialog::getOpenFileNames(
            this, tr("Open Image"), start, tarvello::browseFilter(QImageReader::supportedImageFormats()));
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
    if (image.isNull()) {
        notify(tr("The clipboard holds no image."));
        return;
    }
    auto file = std::make_unique<QFile>();
    const QString name = tarvello::openTempPng(*file);
    if (name.isEmpty()) {
        notify(tr("The clipboard image could not be saved in the temporary folder."));
        return;
    }
    addPicture(name, image, std::move(file));
}
