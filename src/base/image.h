#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace tarvello {

// Previews fit in this box; it is also the drop label's minimum size.
inline constexpr QSize previewBox(330, 170);

// Decodes an image file; a null pixmap when the path is not a readable image.
QPixmap loadPixmap(const QString &path);

// The image scaled to fit inside previewBox, aspect ratio kept, smoothly.
QPixmap previewOf(const QPixmap &image);

} // namespace tarvello
