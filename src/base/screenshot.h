#pragma once

#include <QString>

namespace tarvello {

enum class ScreenshotRoute {
    Grab,              // Qt's own grab of its screen (Windows, macOS, the offscreen platform)
    GrabWithoutWindow, // X11: the window steps aside while the root window is grabbed
    Portal,            // Wayland, also for a program on XWayland: only the portal sees the desktop
};

// Which way a screenshot is taken, from Qt's platform plugin name and the session's
// XDG_SESSION_TYPE and WAYLAND_DISPLAY. `choice` is TARVELLO_SCREENSHOT: "portal" or "grab"
// overrides the guess (an X11 desktop may offer a portal with a better dialog).
ScreenshotRoute screenshotRoute(const QString &platform, const QString &sessionType,
                                const QString &waylandDisplay, const QString &choice = QString());

} // namespace tarvello
