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

QSize fittedSize(QSize wanted, QSize minimum, QSize available)
{
    return wanted.boundedTo(available).expandedTo(minimum);
}

} // namespace tarvello
