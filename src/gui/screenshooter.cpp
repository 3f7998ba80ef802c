#include "gui/screenshooter.h"

#include <QDBusConnection>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#include "base/capturecountdown.h"
#include "base/image.h"
#include "base/tempfile.h"
#include "base/x11windows.h"
#include "gui/regionoverlay.h"

namespace tarvello {

namespace {

// How long the desktop gets to repaint what the window covered before the screen is taken.
constexpr int repaintDelayMs = 200;
// A window manager that never unmaps the window must not stop the capture.
constexpr int unmapTimeoutMs = 1000;

QImage grabScreen()
{
    // Every screen may have gone while the capture waited.
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    // The screen's own pixels are kept: a scaled screen gives more of them than it has points.
    QImage picture = screen->grabWindow(0).toImage();
    picture.setDevicePixelRatio(1.0);
    return picture;
}

// Runs `work` on a worker and hands its picture to `done` on the GUI thread.
template <typename Work, typename Done>
void offThread(QObject *context, Work work, Done done)
{
    auto *watcher = new QFutureWatcher<QImage>(context);
    QObject::connect(watcher, &QFutureWatcher<QImage>::finished, context, [watcher, done] {
        watcher->deleteLater();
        done(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

Screenshooter::Failure failureOf(PortalScreenshot::Outcome outcome)
{
    switch (outcome) {
    case PortalScreenshot::Outcome::NoPortal:
        return Screenshooter::Failure::NoPortal;
    case PortalScreenshot::Outcome::TimedOut:
        return Screenshooter::Failure::NoAnswer;
    default:
        return Screenshooter::Failure::Refused;
    }
}

} // namespace

Screenshooter::Screenshooter(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_countdown(new CaptureCountdown(this))
{
    connect(m_countdown, &CaptureCountdown::tick, this, &Screenshooter::countdown);
    connect(m_countdown, &CaptureCountdown::finished, this, [this] {
        emit countdown(0);
        stepAside();
    });
}

Screenshooter::~Screenshooter()
{
    delete m_overlay.data();
}

ScreenshotRoute Screenshooter::route() const
{
    return screenshotRoute(QGuiApplication::platformName(), qEnvironmentVariable("XDG_SESSION_TYPE"),
                           qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("TARVELLO_SCREENSHOT"));
}

RegionOverlay *Screenshooter::overlay() const
{
    return m_overlay.data();
}

bool Screenshooter::supports(CaptureMode mode) const
{
    if (mode != CaptureMode::Window)
        return true;
    switch (route()) {
    case ScreenshotRoute::GrabWithoutWindow:
        return true;
    case ScreenshotRoute::Portal:
        return m_portalPicksWindows;
    case ScreenshotRoute::Grab:
        break;
    }
    return false;
}

void Screenshooter::probePortal()
{
    if (m_probe || m_probed || route() != ScreenshotRoute::Portal)
        return;
    // Not a child: the capture's own request is the one portal object the window holds.
    m_probe = std::make_unique<PortalScreenshot>(QDBusConnection::sessionBus());
    connect(m_probe.get(), &PortalScreenshot::probed, this, [this](const PortalAbilities &abilities) {
        m_probe.release()->deleteLater();
        m_probed = true;
        m_portalPicksWindows = abilities.windowPick(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
        emit supportChanged();
    });
    m_probe->probe();
}

Screenshooter::Start Screenshooter::capture(const CaptureRequest &request)
{
    if (isBusy())
        return Start::Busy;
    if (!supports(request.mode))
        return Start::Unsupported;
    m_file = ReservedPng::create();
    if (!m_file->isValid()) {
        m_file.reset();
        emit failed(Failure::NotSaved);
        return Start::Started;
    }
    m_request = request;
    setStep(Step::Counting);
    // At once, as the button has always been: the file and the portal's request exist when the
    // press returns.
    if (request.delaySeconds <= 0)
        stepAside();
    else
        m_countdown->start(request.delaySeconds);
    return Start::Started;
}

void Screenshooter::cancel()
{
    switch (m_step) {
    case Step::Counting:
        m_countdown->cancel();
        emit countdown(0);
        m_file->discard();
        end();
        emit cancelled();
        break;
    case Step::Choosing:
        if (m_overlay)
            m_overlay->cancel();
        break;
    default:
        // The desktop has the screen (its own dialog, which has its own Cancel) for a moment.
        break;
    }
}

void Screenshooter::stepAside()
{
    setStep(Step::SteppingAside);
    m_steppedAside = false;
    // Qt's own grab sees only Qt's screen, where the window is no bother.
    if (route() == ScreenshotRoute::Grab || !m_window->isVisible()) {
        freeze();
        return;
    }
    m_steppedAside = true;
    // Qt tells an X11 window manager where a window goes only once the program has placed it
    // itself; a window the user or the window manager moved would be placed anew when it is
    // shown again. Placed where it is, it comes back there.
    if (QWindow *window = m_window->windowHandle())
        window->setPosition(window->position());
    m_window->hide();
    // Once the window is off the screen, the desktop still has to paint what it covered.
    auto *wait = new QTimer(this);
    wait->setInterval(10);
    auto waited = std::make_shared<int>(0);
    connect(wait, &QTimer::timeout, this, [this, wait, waited] {
        *waited += wait->interval();
        const QWindow *window = m_window->windowHandle();
        if (window && window->isExposed() && *waited < unmapTimeoutMs)
            return;
        wait->deleteLater();
        QTimer::singleShot(repaintDelayMs, this, &Screenshooter::freeze);
    });
    wait->start();
}

void Screenshooter::freeze()
{
    setStep(Step::Freezing);
    if (route() != ScreenshotRoute::Portal) {
        const QImage desktop = grabScreen();
        if (desktop.isNull()) {
            fail(Failure::Refused);
            return;
        }
        frozen(desktop);
        return;
    }
    if (m_request.mode == CaptureMode::Window)
        pickThroughPortal();
    else
        shootThroughPortal();
}

PortalScreenshot *Screenshooter::newPortal()
{
    return new PortalScreenshot(QDBusConnection::sessionBus(), this);
}

void Screenshooter::shootThroughPortal()
{
    PortalScreenshot *portal = newPortal();
    connect(portal, &PortalScreenshot::finished, this,
            [this, portal](PortalScreenshot::Outcome outcome, const QString &localFile) {
        portal->deleteLater();
        if (outcome == PortalScreenshot::Outcome::Cancelled) {
            m_file->discard();
            comeBack();
            end();
            emit cancelled();
            return;
        }
        if (outcome != PortalScreenshot::Outcome::Taken) {
            fail(failureOf(outcome));
            return;
        }
        // The portal may reuse its file for the next screenshot: copy it right away, off the
        // window's thread, as decoding and encoding a whole screen takes a while. The whole
        // screen is written as it is; a region is cut from the copy first.
        const std::shared_ptr<ReservedPng> file = m_file;
        const bool whole = m_request.mode == CaptureMode::Whole;
        offThread(this, [file, localFile, whole] { return whole ? file->copyFrom(localFile) : loadImage(localFile); },
                  [this](const QImage &picture) {
            if (picture.isNull())
                fail(Failure::NotRead);
            else
                frozen(picture);
        });
    });
    // The window has stepped aside: it is nobody's parent now.
    portal->request(m_window->isVisible() && QGuiApplication::platformName() == QLatin1String("xcb")
                            ? QStringLiteral("x11:%1").arg(m_window->winId(), 0, 16)
                            : QString());
}

void Screenshooter::pickThroughPortal()
{
    // No program may see other windows here: the desktop's own dialog picks one.
    PortalScreenshot *portal = newPortal();
    connect(portal, &PortalScreenshot::finished, this,
            [this, portal](PortalScreenshot::Outcome outcome, const QString &localFile) {
        portal->deleteLater();
        if (outcome == PortalScreenshot::Outcome::Cancelled) {
            m_file->discard();
            comeBack();
            end();
            emit cancelled();
            return;
        }
        if (outcome != PortalScreenshot::Outcome::Taken) {
            fail(failureOf(outcome));
            return;
        }
        const std::shared_ptr<ReservedPng> file = m_file;
        offThread(this, [file, localFile] { return file->copyFrom(localFile); }, [this](const QImage &picture) {
            if (picture.isNull())
                fail(Failure::NotRead);
            else
                succeed(picture);
        });
    });
    portal->requestInteractive(QString(), PortalAbilities::Window);
}

void Screenshooter::frozen(const QImage &desktop)
{
    if (m_request.mode == CaptureMode::Whole) {
        succeed(desktop);
        return;
    }
    setStep(Step::Choosing);
    // The frozen picture has no windows in it to outline on a desktop that hides them from us.
    QList<QRect> frames;
    if (m_request.mode == CaptureMode::Window) {
        // Read with the picture, while our own window is away: the stacking may change as the
        // overlay comes up.
        frames = x11WindowFrames({m_window->winId()});
    }
    m_overlay = new RegionOverlay(desktop, this);
    if (m_request.mode == CaptureMode::Window)
        m_overlay->setWindows(frames);
    connect(m_overlay, &RegionOverlay::selected, this, [this](const QRect &, const QImage &picture) {
        m_overlay->deleteLater();
        succeed(picture);
    });
    connect(m_overlay, &RegionOverlay::cancelled, this, [this] {
        m_overlay->deleteLater();
        m_file->discard();
        comeBack();
        end();
        emit cancelled();
    });
    m_overlay->start();
}

void Screenshooter::comeBack()
{
    if (!m_steppedAside)
        return;
    m_steppedAside = false;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void Screenshooter::succeed(const QImage &picture)
{
    comeBack();
    const std::shared_ptr<ReservedPng> file = std::move(m_file);
    end();
    emit taken(file, picture);
}

void Screenshooter::fail(Failure failure)
{
    if (m_file)
        m_file->discard();
    comeBack();
    end();
    emit failed(failure);
}

void Screenshooter::end()
{
    m_file.reset();
    setStep(Step::Idle);
}

void Screenshooter::setStep(Step step)
{
    const bool wasBusy = isBusy();
    m_step = step;
    if (wasBusy != isBusy())
        emit busyChanged(isBusy());
}

} // namespace tarvello
