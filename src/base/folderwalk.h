#pragma once

#include <QString>

#include <functional>

namespace tarvello {

// Whether the file is one the image reader recognises, by its content (the suffix is a hint).
// Only regular files qualify; nothing is opened in a way that could block.
bool isImageFile(const QString &path);

// Calls `visit` with every image file below `folder`, subfolders included, until it returns
// false. Links are followed only while they lead to a place inside the folder, so a link in a
// dropped folder cannot hand out a file from elsewhere; other files are passed over.
void walkImages(const QString &folder, const std::function<bool(const QString &)> &visit);

} // namespace tarvello
