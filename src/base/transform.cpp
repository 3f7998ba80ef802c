#include "base/transform.h"

#include <QTransform>

namespace tarvello {

QPixmap rotated(const QPixmap &image, qreal degrees)
{
    if (image.isNull())
        return QPixmap();
    return image.transformed(QTransform().rotate(degrees), Qt::FastTransformation);
}

QImage mirrored(const QImage &image, Qt::Orientation orientation)
{
    return image.mirrored(orientation == Qt::Horizontal, orientation == Qt::Vertical);
}

} // namespace tarvello
