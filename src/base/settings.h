#pragma once

#include <QString>

#include <optional>

namespace tarvello {

// The one settings file, resolved against the current working directory.
inline constexpr char settingsFileName[] = "tarvello.ini";

struct Credentials
{
    QString user;
    QString pw;
};

// Both keys must be present; a file holding only one of them restores nothing. Only a regular
// file is read: a link, a folder or a FIFO of that name restores nothing and is left alone.
std::optional<Credentials> readCredentials(const QString &path);

// Why the login could not be saved; `subject` is the file's name, or the folder for
// FolderNotWritable.
struct CredentialsFailure
{
    enum class Kind {
        None,
        NotOwnFile,        // a link, or not a regular file of the user's own: left alone
        ReadOnly,          // left as it is
        FolderNotWritable,
        NotWritten,
        DiskFull,
        NotReplaced,
    };
    Kind kind = Kind::None;
    QString subject;

    explicit operator bool() const { return kind != Kind::None; }
};

// Writes both keys in plain text, keeping any other keys the file has. The file holds a
// password, so it is readable and writable by its owner only from its first byte, and it is
// replaced in one step, so a failure never leaves half a file. Only a regular, writable file
// of the user's own is replaced; a link is never written through.
CredentialsFailure writeCredentials(const QString &path, const Credentials &credentials);

// Removes the file if it is a regular file of the user's own; a link or anything else of that
// name is left alone.
void removeCredentials(const QString &path);

} // namespace tarvello
