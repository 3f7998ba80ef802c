#pragma once

#include <QString>

namespace tarvello {

// Why the file cannot be sent as an image, in words for a tooltip; empty when it can. Nothing is
// opened in a way that could block, so a FIFO or a device is safe to ask about.
QString fileProblem(const QString &path);

} // namespace tarvello
