#include "base/transform.h"

#include <QTransform>

namespace tarvello {

QImage rotated(const QImage &image, qreal degrees)
{
    if (image.isNull())
        return QImage();
    return image.transformed(QTransform().rotate(degrees), Qt::FastTransformation);
}

QImage mirrored(const QImage &image, Qt::Orientation orientation)
{
    return image.mirrored(orientation == Qt::Horizontal, orientation == Qt::Vertical);
}

} // namespace tarvello
