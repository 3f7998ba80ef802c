#pragma once

#include <QImage>

namespace tarvello {

// An exact turn by +90 (clockwise on screen), -90 or 180 degrees: pixels are moved, never
// interpolated, so a quarter turn of W x H gives H x W and transparency survives.
QImage rotated(const QImage &image, qreal degrees);

// The exact mirror image, same size and pixel format: Qt::Horizontal swaps left and right,
// Qt::Vertical swaps top and bottom.
QImage mirrored(const QImage &image, Qt::Orientation orientation);

} // namespace tarvello
