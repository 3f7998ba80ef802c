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

// Both keys must be present; a file holding only one of them restores nothing.
std::optional<Credentials> readCredentials(const QString &path);

// Writes both keys in plain text. The file holds a password, so it is kept readable and
// writable by its owner only, also when it already existed with wider permissions.
void writeCredentials(const QString &path, const Credentials &credentials);

} // namespace tarvello
