#include "base/preferences.h"

#include <QSettings>

namespace tarvello {

namespace {

// The organisation and the application alike: $XDG_CONFIG_HOME/tarvello/tarvello.conf.
const QString configName = QStringLiteral("tarvello");
const QString geometryKey = QStringLiteral("window/geometry");
const QString autoUploadKey = QStringLiteral("upload/auto");
const QString browseFolderKey = QStringLiteral("browse/folder");
const QString copyLinksKey = QStringLiteral("upload/copyLinks");
const QString trayIconKey = QStringLiteral("tray/icon");
const QString trayClosingKey = QStringLiteral("tray/closing");

} // namespace

DesktopPreferences readDesktopPreferences()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, configName, configName);
    DesktopPreferences preferences;
    preferences.geometry = settings.value(geometryKey).toByteArray();
    preferences.autoUpload = settings.value(autoUploadKey, false).toBool();
    preferences.browseFolder = settings.value(browseFolderKey).toString();
    preferences.copyLinks = settings.value(copyLinksKey, DesktopPreferences().copyLinks).toBool();
    return preferences;
}

void writeDesktopPreferences(const DesktopPreferences &preferences)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, configName, configName);
    settings.setValue(geometryKey, preferences.geometry);
    settings.setValue(autoUploadKey, preferences.autoUpload);
    settings.setValue(browseFolderKey, preferences.browseFolder);
    settings.setValue(copyLinksKey, preferences.copyLinks);
}

TrayPreferences readTrayPreferences()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, configName, configName);
    TrayPreferences preferences;
    preferences.icon = settings.value(trayIconKey, false).toBool();
    const QString closing = settings.value(trayClosingKey).toString();
    if (closing == QLatin1String("keep"))
        preferences.closing = TrayPreferences::Closing::KeepRunning;
    else if (closing == QLatin1String("quit"))
        preferences.closing = TrayPreferences::Closing::Quit;
    return preferences;
}

void writeTrayPreferences(const TrayPreferences &preferences)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, configName, configName);
    settings.setValue(trayIconKey, preferences.icon);
    switch (preferences.closing) {
    case TrayPreferences::Closing::Ask:
        settings.remove(trayClosingKey);
        break;
    case TrayPreferences::Closing::KeepRunning:
        settings.setValue(trayClosingKey, QStringLiteral("keep"));
        break;
    case TrayPreferences::Closing::Quit:
        settings.setValue(trayClosingKey, QStringLiteral("quit"));
        break;
    }
}

QSize fittedSize(QSize wanted, QSize minimum, QSize available)
{
    return wanted.boundedTo(available).expandedTo(minimum);
}

} // namespace tarvello
