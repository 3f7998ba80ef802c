#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tarvello {

// The history's pictures fit in this box.
inline constexpr QSize thumbnailBox(128, 128);

// A small picture of the image for the history, a few KB: JPEG, or PNG where the picture has
// transparency and stays small. Empty for a null image. Safe on any thread.
QByteArray historyThumbnail(const QImage &image);

} // namespace tarvello
