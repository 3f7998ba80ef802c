#include "base/thumbnail.h"

#include <QBuffer>
#include <QPainter>

namespace tarvello {

namespace {

QByteArray encoded(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

} // namespace

QByteArray historyThumbnail(const QImage &image)
{
    if (image.isNull())
        return QByteArray();
    QImage small = image;
    if (image.width() > thumbnailBox.width() || image.height() > thumbnailBox.height())
        small = image.scaled(thumbnailBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (small.hasAlphaChannel()) {
        // A cut-out keeps its edges where that costs little; a large one is flattened.
        const QByteArray png = encoded(small, "PNG", -1);
        if (png.size() <= 16 * 1024)
            return png;
        QImage flat(small.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, small);
        small = flat;
    }
    return encoded(small.convertToFormat(QImage::Format_RGB32), "JPEG", 80);
}

} // namespace tarvello
