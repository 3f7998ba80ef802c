#include "base/capturerequest.h"

namespace tarvello {

QString captureModeName(CaptureMode mode)
{
    switch (mode) {
    case CaptureMode::Whole:
        return QStringLiteral("whole");
    case CaptureMode::Region:
        return QStringLiteral("region");
    case CaptureMode::Window:
        return QStringLiteral("window");
    }
    return QString();
}

bool captureModeFromName(const QString &name, CaptureMode *mode)
{
    for (CaptureMode candidate : {CaptureMode::Whole, CaptureMode::Region, CaptureMode::Window}) {
        if (name == captureModeName(candidate)) {
            *mode = candidate;
            return true;
        }
    }
    return false;
}

} // namespace tarvello
