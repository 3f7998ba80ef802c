#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <atomic>

#include "base/imagedamage.h"

namespace tarvello {

// Previews fit in this box; it is also the drop label's minimum size.
inline constexpr QSize previewBox(330, 170);

// Decodes an image file, upright by its EXIF orientation; a null image when the path is not a
// readable image. Safe on any thread.
QImage loadImage(const QString &path);

// The image scaled to fit inside previewBox, aspect ratio kept, smoothly. Safe on any thread.
QImage previewImageOf(const QImage &image);
// The same for a picture already on the screen's side.
QPixmap previewOf(const QPixmap &image);

// The size a preview takes for an upright picture of `size`.
QSize previewSizeOf(const QSize &size);

// What a preview's decode made of a file.
struct PreviewImage
{
    QImage image;  // null when the file is no readable image, is too large, or the decode stopped
    QSize tooLarge; // the picture's size, when it is above what a preview decodes
    ImageDamage damage = ImageDamage::None; // whatever came of the decode

    bool isNull() const { return image.isNull(); }
};

// The preview of an image file, decoded straight at its reduced size where the format can (JPEG
// decodes at 1/2 to 1/8 scale) and upright by its EXIF orientation. A picture whose header
// claims more pixels than a preview may cost is not decoded: a progressive JPEG holds the whole
// picture's coefficients while it decodes, so its budget is the smallest. The decode ends early,
// with nothing, once `stop` is set. A JPEG or PNG is also checked for damage. Safe on any thread.
PreviewImage loadPreview(const QString &path, const std::atomic<bool> *stop = nullptr);

// The size of an image file as it is shown, upright by its EXIF orientation, read from its
// header; invalid when the path is not a readable image. Safe on any thread.
QSize imageSizeOf(const QString &path);

} // namespace tarvello
