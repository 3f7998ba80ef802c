// The window on the desktop: screenshots the way each kind of desktop allows them, and the size,
// place and choices kept between runs.

#include "gui/mw.h"

#include <QDBusConnection>
#include <QFile>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#include "base/image.h"
#include "base/portal.h"
#include "base/preferences.h"
#include "base/screenshot.h"
#include "base/tempfile.h"
#include "gui/mwui.h"

using namespace tarvello;

namespace {

// Room for the title bar and frame a window manager adds around the window.
constexpr int frameAllowance = 40;

// How long the desktop gets to repaint what the window covered before the screen is grabbed.
constexpr int repaintDelayMs = 200;
// A window manager that never unmaps the window must not stop the screenshot.
constexpr int unmapTimeoutMs = 1000;

} // namespace

// A screenshot from the press of the button to its row. The name is taken at the press, so it
// tells when the button was pressed, however long the desktop takes to give the picture; a
// screenshot that never comes leaves no empty file behind.
struct mw::PendingShot
{
    PendingShot() { name = openTempPng(*file); }
    ~PendingShot()
    {
        if (!added)
            discard();
    }
    Q_DISABLE_COPY_MOVE(PendingShot)

    void discard()
    {
        if (file && file->isOpen())
            discardTempPng(*file);
    }

    std::unique_ptr<QFile> file = std::make_unique<QFile>();
    QString name;
    bool added = false;
};

void mw::setUpForDesktop()
{
    // A short screen still shows two rows of the queue; the rest of the window does not shrink.
    QTableWidget *table = ui->tableWidget;
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height()
                            + 2 * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());


    fitToScreen();

    // QIcon, unlike QPixmap, takes the @2x drawing on a scaled screen.
    const QPixmap banner = ui->label->pixmap();
    ui->label->setPixmap(QIcon(QStringLiteral(":/tarvello/zor.png")).pixmap(banner.size(), devicePixelRatioF()));
}

void mw::fitToScreen()
{
    const QScreen *screen = this->screen();
    if (!screen || minimumSizeHint().height() <= screen->availableGeometry().height() - frameAllowance)
        return;
    // An 800 x 600 screen, or a laptop's once its panel is counted: the form's spacing is kept
    // where it fits, and only a short screen gets this tighter one.
    for (QGridLayout *grid : findChildren<QGridLayout *>()) {
        const bool outer = grid == layout();
        grid->setSpacing(3);
        grid->setContentsMargins(6, outer ? 3 : 1, 6, outer ? 1 : 3);
        // The boxes' sizes are asked for before the window is shown and lays itself out.
        grid->parentWidget()->updateGeometry();
    }
}

void mw::takeScreenshot()
{
    auto shot = std::make_shared<PendingShot>();
    if (shot->name.isEmpty()) {
        notify(tr("The screenshot could not be saved in the temporary folder."));
        return;
    }
    const ScreenshotRoute route = screenshotRoute(QGuiApplication::platformName(),
                                                  qEnvironmentVariable("XDG_SESSION_TYPE"),
                                                  qEnvironmentVariable("WAYLAND_DISPLAY"),
                                                  qEnvironmentVariable("TARVELLO_SCREENSHOT"));
    switch (route) {
    case ScreenshotRoute::Grab:
        addScreenshot(shot, QGuiApplication::primaryScreen()->grabWindow(0).toImage());
        break;
    case ScreenshotRoute::GrabWithoutWindow:
        grabWithoutWindow(shot);
        break;
    case ScreenshotRoute::Portal:
        shootThroughPortal(shot);
        break;
    }
}

void mw::grabWithoutWindow(const std::shared_ptr<PendingShot> &shot)
{
    if (!isVisible()) {
        addScreenshot(shot, QGuiApplication::primaryScreen()->grabWindow(0).toImage());
        return;
    }
    m_shooting = true;
    hide();
    auto *wait = new QTimer(this);
    wait->setInterval(10);
    auto waited = std::make_shared<int>(0);
    connect(wait, &QTimer::timeout, this, [this, wait, waited, shot] {
        *waited += wait->interval();
        const QWindow *window = windowHandle();
        if (window && window->isExposed() && *waited < unmapTimeoutMs)
            return;
        wait->deleteLater();
        QTimer::singleShot(repaintDelayMs, this, [this, shot] {
            const QImage picture = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            show();
            raise();
            activateWindow();
            m_shooting = false;
            addScreenshot(shot, picture);
        });
    });
    wait->start();
}

void mw::shootThroughPortal(const std::shared_ptr<PendingShot> &shot)
{
    m_shooting = true;
    auto *portal = new PortalScreenshot(QDBusConnection::sessionBus(), this);
    connect(portal, &PortalScreenshot::finished, this,
            [this, portal, shot](PortalScreenshot::Outcome outcome, const QString &localFile) {
        portal->deleteLater();
        switch (outcome) {
        case PortalScreenshot::Outcome::Taken: {
            // The portal may reuse its file for the next screenshot: copy it right away, off the
            // window's thread, as decoding and encoding a whole screen takes a while.
            auto *copy = new QFutureWatcher<QImage>(this);
            connect(copy, &QFutureWatcher<QImage>::finished, this, [this, copy, shot] {
                copy->deleteLater();
                m_shooting = false;
                const QImage picture = copy->result();
                if (picture.isNull())
                    notify(tr("The screenshot could not be read or saved."));
                else
                    addScreenshot(shot, picture);
            });
            copy->setFuture(QtConcurrent::run([shot, localFile] { return copyAsPng(localFile, *shot->file); }));
            return;
        }
        case PortalScreenshot::Outcome::Cancelled:
            break;
        case PortalScreenshot::Outcome::Failed:
            notify(tr("The desktop could not take the screenshot."));
            break;
        case PortalScreenshot::Outcome::NoPortal:
            notify(tr("No screenshot: the desktop offers no screenshot portal."));
            break;
        }
        shot->discard();
        m_shooting = false;
    });
    const QString parent = QGuiApplication::platformName() == QLatin1String("xcb")
            ? QStringLiteral("x11:%1").arg(winId(), 0, 16)
            : QString();
    portal->request(parent);
}

void mw::addScreenshot(const std::shared_ptr<PendingShot> &shot, const QImage &picture)
{
    shot->added = true;
    // The screen's own pixels are kept; the preview is sized in the label's pixels.
    QPixmap pixels = QPixmap::fromImage(picture);
    pixels.setDevicePixelRatio(1.0);
    if (shot->file->isOpen()) {
        // The row is there at once; the PNG is written on a worker.
        addPicture(shot->name, pixels, std::move(shot->file));
        return;
    }
    ui->label->setPixmap(previewOf(pixels));
    addObj(shot->name, true);
}

void mw::rememberDesktopState()
{
    m_remembersDesktop = true;
    const DesktopPreferences preferences = readDesktopPreferences();
    ui->checkBox_2->setChecked(preferences.autoUpload);
    m_browseFolder = preferences.browseFolder;
    if (!preferences.geometry.isEmpty() && restoreGeometry(preferences.geometry))
        return;
    if (const QScreen *screen = this->screen()) {
        const QSize available = screen->availableGeometry().size() - QSize(0, frameAllowance);
        resize(fittedSize(size(), minimumSizeHint(), available));
    }
}

void mw::saveDesktopState() const
{
    writeDesktopPreferences({saveGeometry(), ui->checkBox_2->isChecked(), m_browseFolder});
}
