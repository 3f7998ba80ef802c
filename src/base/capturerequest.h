#pragma once

#include <QString>

namespace tarvello {

enum class CaptureMode {
    Whole,  // every screen, as the Screenshot button has always taken it
    Region, // a rectangle the user drags on the frozen desktop
    Window, // one window the user clicks
};

// The longest wait before a capture. Anything longer is far more likely a typo than a wish,
// and a key binding that silently waits an hour looks broken.
constexpr int maxCaptureDelay = 60;

// A capture as a key binding, the command line or a menu asks for it.
struct CaptureRequest
{
    CaptureMode mode = CaptureMode::Whole;
    int delaySeconds = 0;

    friend bool operator==(const CaptureRequest &a, const CaptureRequest &b)
    {
        return a.mode == b.mode && a.delaySeconds == b.delaySeconds;
    }
};

// The mode's name where it travels as text (between processes): "whole", "region", "window".
QString captureModeName(CaptureMode mode);
// The mode for a name; false when the name is none of them.
bool captureModeFromName(const QString &name, CaptureMode *mode);

} // namespace tarvello
