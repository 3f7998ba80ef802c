#include "base/settings.h"

#include <QFile>
#include <QSettings>

namespace tarvello {

namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

std::optional<Credentials> readCredentials(const QString &path)
{
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant user = settings.value(QStringLiteral("user"));
    const QVariant pw = settings.value(QStringLiteral("pw"));
    if (!user.isValid() || !pw.isValid())
        return std::nullopt;
    return Credentials{user.toString(), pw.toString()};
}

void writeCredentials(const QString &path, const Credentials &credentials)
{
    // QSettings saves through a new file that takes over the old one's permissions, so the
    // file is made private before anything secret is written into it.
    QFile file(path);
    if (file.exists())
        file.setPermissions(ownerOnly);
    else if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
        file.close();

    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("user"), credentials.user);
        settings.setValue(QStringLiteral("pw"), credentials.pw);
    }
    file.setPermissions(ownerOnly);
}

} // namespace tarvello
