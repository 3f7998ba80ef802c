#pragma once

#include <QString>

namespace tarvello {

// Why a file cannot be sent as an image. The window says it in words.
enum class FileProblem {
    None,
    Missing,    // nothing of that name
    Folder,     // a folder, not a file
    NotRegular, // a FIFO, a device, a socket
    Unreadable, // no permission, or it could not be opened
    NotAnImage, // its content is no image the program can read
};

// Nothing is opened in a way that could block, so a FIFO or a device is safe to ask about.
// Without `readContent` only what the folder tells is asked (no file is opened): cheap enough
// for every file added, leaving NotAnImage to the preview's decode.
FileProblem fileProblem(const QString &path, bool readContent = true);

} // namespace tarvello
