#pragma once

#include <QImage>
#include <QPixmap>

namespace tarvello {

// An exact turn by +90 (clockwise on screen), -90 or 180 degrees: pixels are moved, never
// interpolated, so a quarter turn of W x H gives H x W and transparency survives.
QPixmap rotated(const QPixmap &image, qreal degrees);

// The exact mirror image, same size and pixel format: Qt::Horizontal swaps left and right,
// Qt::Vertical swaps top and bottom.
QImage mirrored(const QImage &image, Qt::Orientation orientation);

} // namespace tarvello
