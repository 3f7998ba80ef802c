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

QPixmap loadPixmap(const QString &path)
{
    raiseAllocationLimit();
    QFile file;
    if (!openRegularFile(file, path))
        return QPixmap();
    // The suffix is a hint, as it is when Qt opens the file by name; the content decides.
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    // Upright as the camera meant it, as browsers and file managers show it.
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return QPixmap();
    return QPixmap::fromImage(std::move(image));
}

QPixmap previewOf(const QPixmap &image)
{
    if (image.isNull())
        return QPixmap();
    return image.scaled(previewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace tarvello
