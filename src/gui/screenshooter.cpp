#include "gui/screenshooter.h"

#include <QDBusConnection>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#include "base/portal.h"
#include "base/screenshot.h"
#include "base/tempfile.h"

namespace tarvello {

namespace {

// How long the desktop gets to repaint what the window covered before the screen is grabbed.
constexpr int repaintDelayMs = 200;
// A window manager that never unmaps the window must not stop the screenshot.
constexpr int unmapTimeoutMs = 1000;

QImage grabScreen()
{
    // The screen's own pixels are kept: a scaled screen gives more of them than it has points.
    QImage picture = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    picture.setDevicePixelRatio(1.0);
    return picture;
}

} // namespace

Screenshooter::Screenshooter(QWidget *window)
    : QObject(window)
    , m_window(window)
{
}

void Screenshooter::take()
{
    if (m_busy)
        return;
    const auto file = ReservedPng::create();
    if (!file->isValid()) {
        emit failed(Failure::NotSaved);
        return;
    }
    const ScreenshotRoute route = screenshotRoute(QGuiApplication::platformName(),
                                                  qEnvironmentVariable("XDG_SESSION_TYPE"),
                                                  qEnvironmentVariable("WAYLAND_DISPLAY"),
                                                  qEnvironmentVariable("TARVELLO_SCREENSHOT"));
    switch (route) {
    case ScreenshotRoute::Grab:
        finish(file, grabScreen());
        break;
    case ScreenshotRoute::GrabWithoutWindow:
        grabWithoutWindow(file);
        break;
    case ScreenshotRoute::Portal:
        shootThroughPortal(file);
        break;
    }
}

void Screenshooter::finish(const std::shared_ptr<ReservedPng> &file, const QImage &picture)
{
    m_busy = false;
    emit taken(file, picture);
}

void Screenshooter::grabWithoutWindow(const std::shared_ptr<ReservedPng> &file)
{
    if (!m_window->isVisible()) {
        finish(file, grabScreen());
        return;
    }
    m_busy = true;
    m_window->hide();
    auto *wait = new QTimer(this);
    wait->setInterval(10);
    auto waited = std::make_shared<int>(0);
    connect(wait, &QTimer::timeout, this, [this, wait, waited, file] {
        *waited += wait->interval();
        const QWindow *window = m_window->windowHandle();
        if (window && window->isExposed() && *waited < unmapTimeoutMs)
            return;
        wait->deleteLater();
        QTimer::singleShot(repaintDelayMs, this, [this, file] {
            const QImage picture = grabScreen();
            m_window->show();
            m_window->raise();
            m_window->activateWindow();
            finish(file, picture);
        });
    });
    wait->start();
}

void Screenshooter::shootThroughPortal(const std::shared_ptr<ReservedPng> &file)
{
    m_busy = true;
    auto *portal = new PortalScreenshot(QDBusConnection::sessionBus(), this);
    connect(portal, &PortalScreenshot::finished, this,
            [this, portal, file](PortalScreenshot::Outcome outcome, const QString &localFile) {
        portal->deleteLater();
        switch (outcome) {
        case PortalScreenshot::Outcome::Taken: {
            // The portal may reuse its file for the next screenshot: copy it right away, off the
            // window's thread, as decoding and encoding a whole screen takes a while.
            auto *copy = new QFutureWatcher<QImage>(this);
            connect(copy, &QFutureWatcher<QImage>::finished, this, [this, copy, file] {
                copy->deleteLater();
                const QImage picture = copy->result();
                if (picture.isNull()) {
                    m_busy = false;
                    emit failed(Failure::NotRead);
                } else {
                    finish(file, picture);
                }
            });
            copy->setFuture(QtConcurrent::run([file, localFile] { return file->copyFrom(localFile); }));
            return;
        }
        case PortalScreenshot::Outcome::Cancelled:
            m_busy = false;
            file->discard();
            emit cancelled();
            return;
        case PortalScreenshot::Outcome::Failed:
            m_busy = false;
            file->discard();
            emit failed(Failure::Refused);
            return;
        case PortalScreenshot::Outcome::NoPortal:
            m_busy = false;
            file->discard();
            emit failed(Failure::NoPortal);
            return;
        case PortalScreenshot::Outcome::TimedOut:
            m_busy = false;
            file->discard();
            emit failed(Failure::NoAnswer);
            return;
        }
    });
    const QString parent = QGuiApplication::platformName() == QLatin1String("xcb")
            ? QStringLiteral("x11:%1").arg(m_window->winId(), 0, 16)
            : QString();
    portal->request(parent);
}

} // namespace tarvello
