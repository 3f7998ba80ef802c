#pragma once

#include <QString>

class QFile;

namespace tarvello {

// Why a file cannot be sent as an image. The window says it in words.
enum class FileProblem {
    None,
    Missing,    // nothing of that name
    Folder,     // a folder, not a file
    NotRegular, // a FIFO, a device, a socket
    Unreadable, // no permission, or it could not be opened
    NotAnImage, // its content is no image the program can read
    BadName,    // its name is not UTF-8, which the program cannot name it by
    Replaced,   // another file stands under its name since it was added
};

// Nothing is opened in a way that could block, so a FIFO or a device is safe to ask about.
// Without `readContent` only what the folder tells is asked (no file is opened): cheap enough
// for every file added, leaving NotAnImage to the preview's decode.
FileProblem fileProblem(const QString &path, bool readContent = true);

// The same about a file already open for reading: whether it holds an image. It is left at its
// start.
FileProblem imageProblem(QFile &file);

} // namespace tarvello
