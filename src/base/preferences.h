#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace tarvello {

// What the window keeps between runs in the desktop's configuration folder
// ($XDG_CONFIG_HOME/tarvello/tarvello.conf). The login stays in tarvello.ini, apart.
struct DesktopPreferences
{
    QByteArray geometry; // QWidget::saveGeometry(); empty on the first run
    bool autoUpload = false;
    QString browseFolder; // where Browse opens; empty for the Pictures folder
    bool copyLinks = true; // new links go to the clipboard as they arrive
};

DesktopPreferences readDesktopPreferences();
void writeDesktopPreferences(const DesktopPreferences &preferences);

// The tray icon, apart from the rest: the window writes it when the user changes it, not only
// at close.
struct TrayPreferences
{
    enum class Closing { Ask, KeepRunning, Quit };
    bool icon = false; // off until the user turns it on
    Closing closing = Closing::Ask; // what closing the window does while the icon shows
};

TrayPreferences readTrayPreferences();
void writeTrayPreferences(const TrayPreferences &preferences);

// The size a window opens at: as wanted, but inside the screen's free area where its minimum
// allows.
QSize fittedSize(QSize wanted, QSize minimum, QSize available);

} // namespace tarvello
