#include "base/screenshot.h"

namespace tarvello {

ScreenshotRoute screenshotRoute(const QString &platform, const QString &sessionType,
                                const QString &waylandDisplay, const QString &choice)
{
    if (choice == QLatin1String("portal"))
        return ScreenshotRoute::Portal;
    const bool x11 = platform == QLatin1String("xcb");
    if (choice == QLatin1String("grab"))
        return x11 ? ScreenshotRoute::GrabWithoutWindow : ScreenshotRoute::Grab;
    if (platform.startsWith(QLatin1String("wayland")))
        return ScreenshotRoute::Portal;
    const bool waylandSession = sessionType == QLatin1String("wayland") || !waylandDisplay.isEmpty();
    if (x11)
        return waylandSession ? ScreenshotRoute::Portal : ScreenshotRoute::GrabWithoutWindow;
    return ScreenshotRoute::Grab;
}

} // namespace tarvello
