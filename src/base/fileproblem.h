#pragma once

#include <QString>

namespace tarvello {

// Why the file cannot be sent as an image, in words for a tooltip; empty when it can. Nothing is
// opened in a way that could block, so a FIFO or a device is safe to ask about.
// Without `readContent` only what the folder tells is asked (no file is opened): cheap enough
// for every file added, leaving "not an image" to the preview's decode.
QString fileProblem(const QString &path, bool readContent = true);

// The words for a file that holds no image the program can read.
QString notAnImage();

} // namespace tarvello
