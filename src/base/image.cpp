#include "base/image.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "base/regularfile.h"

namespace tarvello {

namespace {

// Qt refuses images above 128 MB of pixels by default, which is about 32 megapixels; phone
// cameras pass that. This allows 200 megapixels at four bytes a pixel.
constexpr int allocationLimitMB = 800;

void raiseAllocationLimit()
{
    static const bool raised = [] {
        if (QImageReader::allocationLimit() < allocationLimitMB)
            QImageReader::setAllocationLimit(allocationLimitMB);
        return true;
    }();
    Q_UNUSED(raised);
}

} // namespace

QImage loadImage(const QString &path)
{
    raiseAllocationLimit();
    QFile file;
    if (!openRegularFile(file, path))
        return QImage();
    // The suffix is a hint, as it is when Qt opens the file by name; the content decides.
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    // Upright as the camera meant it, as browsers and file managers show it.
    reader.setAutoTransform(true);
    return reader.read();
}

QImage previewImageOf(const QImage &image)
{
    if (image.isNull())
        return QImage();
    return image.scaled(previewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap previewOf(const QPixmap &image)
{
    if (image.isNull())
        return QPixmap();
    return image.scaled(previewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QSize previewSizeOf(const QSize &size)
{
    const QSize fitted = size.scaled(previewBox, Qt::KeepAspectRatio);
    return QSize(qMax(fitted.width(), 1), qMax(fitted.height(), 1));
}

QImage loadPreview(const QString &path)
{
    raiseAllocationLimit();
    QFile file;
    if (!openRegularFile(file, path))
        return QImage();
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty()) {
        // The scaled size is that of the stored picture, which the EXIF orientation then turns.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize fitted = previewSizeOf(turned ? stored.transposed() : stored);
        reader.setScaledSize(turned ? fitted.transposed() : fitted);
        return reader.read();
    }
    const QImage image = reader.read();
    if (image.isNull())
        return QImage();
    return image.scaled(previewSizeOf(image.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize imageSizeOf(const QString &path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return QSize();
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored;
}

} // namespace tarvello
