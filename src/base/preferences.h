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

// The size a window opens at: as wanted, but inside the screen's free area where its minimum
// allows.
QSize fittedSize(QSize wanted, QSize minimum, QSize available);

} // namespace tarvello
