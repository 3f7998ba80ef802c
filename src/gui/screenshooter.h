#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>

#include <memory>

#include "base/capturerequest.h"
#include "base/portal.h"
#include "base/screenshot.h"

class QWidget;

namespace tarvello {

class CaptureCountdown;
class RegionOverlay;
class ReservedPng;

// The one owner of a capture, from the press to the picture: the countdown, the window stepping
// aside, the way the desktop lets the screen be taken (Qt's own grab, a grab of the X11 root
// window, or the desktop portal), and for a region or a window the frozen desktop where the user
// chooses. One capture runs at a time. The file is named at the press, so the name tells when
// the capture was asked for however long the delay and the desktop take.
class Screenshooter : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Screenshooter)

public:
    enum class Failure {
        NotSaved,  // no temporary file could be made
        NotRead,   // the portal's picture could not be read or saved
        Refused,   // the desktop could not take it
        NoPortal,  // the desktop offers no screenshot portal
        NoAnswer,  // the portal did not answer in time
    };
    Q_ENUM(Failure)

    enum class Start {
        Started,
        Busy,        // another capture is under way: this one is not queued
        Unsupported, // this desktop cannot take it (a window on a desktop without a window pick)
    };
    Q_ENUM(Start)

    // `window` steps aside for the capture and comes back where it was; it is the portal
    // dialog's parent.
    explicit Screenshooter(QWidget *window);
    ~Screenshooter() override;

    bool isBusy() const { return m_step != Step::Idle; }
    // The whole screen at once, as the Screenshot button has always taken it.
    Start take() { return capture({}); }
    Start capture(const CaptureRequest &request);
    // Calls off the capture under way while it counts down or while the user chooses; nothing
    // is added and the window is left as it was.
    void cancel();

    // Whether a mode can be offered here. A window needs X11's window list or a portal whose
    // dialog picks windows; until the portal has answered probePortal(), it is not offered there.
    bool supports(CaptureMode mode) const;
    // Asks the portal once what its dialog offers, where captures go through the portal.
    void probePortal();

    ScreenshotRoute route() const;
    // The overlay while the user chooses a region or a window, for tests.
    RegionOverlay *overlay() const;

signals:
    // The picture and its PNG: still to be written, or (from the portal) written already.
    void taken(const std::shared_ptr<tarvello::ReservedPng> &file, const QImage &picture);
    void failed(tarvello::Screenshooter::Failure failure);
    // Called off by the user, at whatever step: nothing is added and nothing is said.
    void cancelled();
    // The seconds left before the capture, once a second while a delay runs; 0 once it is over.
    void countdown(int secondsLeft);
    void busyChanged(bool busy);
    void supportChanged();

private:
    enum class Step { Idle, Counting, SteppingAside, Freezing, Choosing };

    void stepAside();
    void freeze();
    void shootThroughPortal();
    void pickThroughPortal();
    void frozen(const QImage &desktop);
    void comeBack();
    void succeed(const QImage &picture);
    void fail(Failure failure);
    void end();
    void setStep(Step step);
    PortalScreenshot *newPortal();

    QWidget *m_window;
    CaptureCountdown *m_countdown;
    QPointer<RegionOverlay> m_overlay;
    Step m_step = Step::Idle;
    CaptureRequest m_request;
    std::shared_ptr<ReservedPng> m_file;
    bool m_steppedAside = false; // the window was hidden for the capture and comes back after
    std::unique_ptr<PortalScreenshot> m_probe;
    bool m_probed = false;
    bool m_portalPicksWindows = false;
};

} // namespace tarvello
