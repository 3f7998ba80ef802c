// The window on the desktop: its size on small screens, the 2x banner, the size, place and
// choices kept between runs, the captures offered from the Screenshot button and its keys, and
// the tray icon.

#include "gui/mw.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>

#include "base/preferences.h"
#include "gui/captureactions.h"
#include "gui/eventhook.h"
#include "gui/statusline.h"
#include "gui/trayicon.h"
#include "gui/mwui.h"

using namespace tarvello;

namespace {

// Room for the title bar and frame a window manager adds around the window.
constexpr int frameAllowance = 40;
// Rows of the queue shown at the smallest size, and the rows a taller window gives the queue
// before the picture grows back to a whole preview.
constexpr int rowsAtMinimum = 2;
constexpr int rowsBeforePicture = 5;
// Width the queue needs beside the picture before the two are put side by side.
constexpr int queueBesidePicture = 420;

} // namespace

void mw::setUpForDesktop()
{
    // The queue takes whatever height the window gains: it asks for none of its own, and the
    // picture is given its share by arrange(). A short screen still shows two rows of it.
    QTableWidget *table = ui->tableWidget;
    ui->gridLayout->setRowStretch(0, 1);
    ui->gridLayout_3->setRowStretch(1, 1);
    ui->gridLayout_3->setColumnStretch(1, 1);
    QSizePolicy queuePolicy = table->sizePolicy();
    queuePolicy.setVerticalPolicy(QSizePolicy::Ignored);
    table->setSizePolicy(queuePolicy);
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height()
                            + rowsAtMinimum * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
    fitToScreen();

    // QIcon, unlike QPixmap, takes the @2x drawing on a scaled screen.
    const QPixmap banner = ui->label->pixmap();
    ui->label->setPixmap(QIcon(QStringLiteral(":/tarvello/zor.png")).pixmap(banner.size(), devicePixelRatioF()));

    new EventHook(this, [this](QEvent *event) {
        if (event->type() == QEvent::Resize)
            arrange();
        return false;
    });
    arrange();
}

void mw::arrange()
{
    // Wide, as maximised on a laptop: the queue stands beside the picture and the controls, and
    // has the window's whole height. Narrow: the queue is under them. Focus moves the same way in
    // both: the picture's column first.
    const bool wide = width() >= ui->groupBox->sizeHint().width() + queueBesidePicture;
    QGridLayout *outer = ui->gridLayout_3;
    if (wide != m_wide) {
        m_wide = wide;
        for (QWidget *part : std::initializer_list<QWidget *>{ui->groupBox, ui->groupBox_2, ui->label_2})
            outer->removeWidget(part);
        if (wide) {
            outer->addWidget(ui->groupBox, 0, 0);
            outer->addWidget(ui->groupBox_2, 0, 1);
            outer->addWidget(ui->label_2, 1, 0, 1, 2);
        } else {
            outer->addWidget(ui->groupBox, 0, 0, 1, 2);
            outer->addWidget(ui->groupBox_2, 1, 0, 1, 2);
            outer->addWidget(ui->label_2, 2, 0, 1, 2);
        }
        outer->setRowStretch(0, wide ? 1 : 0);
        outer->setRowStretch(1, wide ? 0 : 1);
        // Beside the queue the picture takes the column's spare height, not the buttons.
        ui->gridLayout_4->setRowStretch(0, wide ? 1 : 0);
    }

    QLabel *picture = ui->label;
    if (wide) {
        picture->setMaximumHeight(QWIDGETSIZE_MAX);
        return;
    }
    // Under the queue the picture grows only once the queue shows a few rows.
    const int smallest = picture->minimumSizeHint().height();
    const int spare = height() - minimumSizeHint().height() - queueRowsFirst();
    picture->setMaximumHeight(qBound(smallest, smallest + spare, qMax(smallest, picture->sizeHint().height())));
}

void mw::orderFocus()
{
    // Tab goes the way the window reads, top to bottom and left to right: the picture and the
    // controls under it, then the queue and what is under it. Side by side the picture's column
    // still comes first.
    const QList<QWidget *> order = {
        ui->label, ui->cw90, ui->ccw90, ui->rot180, ui->fliph, ui->flipv,
        ui->browsefiles, ui->screens, ui->clipb, ui->usr, ui->pw, ui->checkBox,
        ui->tableWidget, ui->checkBox_2, ui->uploadfile,
        findChild<QWidget *>(QStringLiteral("destinationBox")), findChild<QWidget *>(QStringLiteral("menuButton")),
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // A new user's first step; from there Tab goes on in reading order.
    ui->browsefiles->setFocus();
}

int mw::queueRowsFirst() const
{
    return (rowsBeforePicture - rowsAtMinimum) * ui->tableWidget->verticalHeader()->defaultSectionSize();
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
    // The destination and the menu move onto the status line's row, after it, and the queue's
    // rows are as tall as their text needs.
    if (auto *row = qobject_cast<QBoxLayout *>(ui->gridLayout->itemAtPosition(2, 0)->layout())) {
        ui->gridLayout->removeWidget(ui->statusLine);
        row->insertWidget(0, ui->statusLine, 1);
    }
    QTableWidget *table = ui->tableWidget;
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height()
                            + 2 * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
}

void mw::rememberDesktopState()
{
    m_remembersDesktop = true;
    const DesktopPreferences preferences = readDesktopPreferences();
    ui->checkBox_2->setChecked(preferences.autoUpload);
    m_browseFolder = preferences.browseFolder;
    m_copyLinks->setChecked(preferences.copyLinks);
    m_trayPreferences = readTrayPreferences();
    if (m_trayPreferences.icon && TrayIcon::isAvailable())
        m_captures->trayAction()->setChecked(true);
    if (!preferences.geometry.isEmpty() && restoreGeometry(preferences.geometry))
        return;
    if (const QScreen *screen = this->screen()) {
        // The first run: the queue's first rows and a whole preview, where the screen has room.
        const QSize available = screen->availableGeometry().size() - QSize(0, frameAllowance);
        const int roomy = minimumSizeHint().height() + queueRowsFirst() + ui->label->sizeHint().height()
                - ui->label->minimumSizeHint().height();
        resize(fittedSize(size().expandedTo(QSize(0, roomy)), minimumSizeHint(), available));
    }
}

void mw::saveDesktopState() const
{
    writeDesktopPreferences({saveGeometry(), ui->checkBox_2->isChecked(), m_browseFolder, m_copyLinks->isChecked()});
}

void mw::setUpCaptures()
{
    m_captures = new CaptureActions(this);
    connect(m_captures, &CaptureActions::captureRequested, this, &mw::capture);
    connect(m_captures->cancelAction(), &QAction::triggered, m_shooter, &Screenshooter::cancel);
    connect(m_shooter, &Screenshooter::busyChanged, m_captures, &CaptureActions::setBusy);
    auto offerWindow = [this] { m_captures->setWindowOffered(m_shooter->supports(CaptureMode::Window)); };
    offerWindow();
    connect(m_shooter, &Screenshooter::supportChanged, this, offerWindow);
    // Wayland: whether the desktop's dialog picks windows is asked once, now.
    m_shooter->probePortal();

    connect(m_shooter, &Screenshooter::countdown, this, [this](int secondsLeft) {
        if (secondsLeft == 1)
            m_status->notify(tr("Capture in 1 second. Esc calls it off."));
        else if (secondsLeft > 1)
            m_status->notify(tr("Capture in %1 seconds. Esc calls it off.").arg(secondsLeft));
        else
            m_status->withdraw();
        if (m_tray)
            m_tray->setCountdown(secondsLeft);
    });

    // The button's click stays the whole screen at once; the other captures are one step away,
    // on an arrow inside it, on a right click and on the Menu key.
    QPushButton *screens = ui->screens;
    auto *arrow = new QToolButton(screens);
    arrow->setObjectName(QStringLiteral("screensMenu"));
    arrow->setArrowType(Qt::DownArrow);
    arrow->setAutoRaise(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setToolTip(tr("Region, window, delay"));
    arrow->setAccessibleName(tr("More Captures"));
    auto popUp = [this, screens] { m_captures->menu()->popup(screens->mapToGlobal(QPoint(0, screens->height()))); };
    connect(arrow, &QToolButton::clicked, this, popUp);
    screens->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(screens, &QWidget::customContextMenuRequested, this, popUp);
    auto placeArrow = [screens, arrow] {
        const int side = qMax(0, screens->height() - 6);
        arrow->setGeometry(screens->width() - side - 3, 3, side, side);
    };
    placeArrow();
    new EventHook(screens, [placeArrow](QEvent *event) {
        if (event->type() == QEvent::Resize)
            placeArrow();
        return false;
    });
    // Room for the arrow beside the text.
    screens->setMinimumWidth(screens->sizeHint().width() + screens->sizeHint().height());

    QAction *tray = m_captures->trayAction();
    tray->setVisible(TrayIcon::isAvailable());
    connect(tray, &QAction::toggled, this, [this](bool on) {
        setTrayIconShown(on);
        m_trayPreferences.icon = on;
        if (m_remembersDesktop)
            writeTrayPreferences(m_trayPreferences);
    });
}

Screenshooter::Start mw::capture(const CaptureRequest &request)
{
    const Screenshooter::Start start = m_shooter->capture(request);
    switch (start) {
    case Screenshooter::Start::Started:
        break;
    case Screenshooter::Start::Busy:
        m_status->notify(tr("A capture is under way already: finish it or call it off first."));
        break;
    case Screenshooter::Start::Unsupported:
        m_status->notify(tr("This desktop does not let the uploader capture a single window."));
        break;
    }
    return start;
}

void mw::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void mw::setTrayIconShown(bool shown)
{
    if (!shown) {
        delete m_tray;
        m_tray = nullptr;
        return;
    }
    if (m_tray)
        return;
    m_tray = new TrayIcon(m_captures->captures(), this);
    connect(m_tray, &TrayIcon::showRequested, this, &mw::bringToFront);
    connect(m_tray, &TrayIcon::quitRequested, this, &mw::quitFromTray);
    m_tray->setVisible(true);
}

bool mw::keepsRunningInTray()
{
    if (!m_tray || m_quitting || !isVisible())
        return false;
    if (m_trayPreferences.closing == TrayPreferences::Closing::Ask) {
        QMessageBox question(QMessageBox::Question, windowTitle(),
                             tr("Keep the uploader running in the system tray when its window is closed?"),
                             QMessageBox::NoButton, this);
        question.setInformativeText(tr("Its tray icon takes captures and brings the window back. "
                                       "Quit ends it for good."));
        QPushButton *keep = question.addButton(tr("Keep Running"), QMessageBox::AcceptRole);
        question.addButton(tr("Quit"), QMessageBox::DestructiveRole);
        question.setDefaultButton(keep);
        question.exec();
        m_trayPreferences.closing = question.clickedButton() == keep ? TrayPreferences::Closing::KeepRunning
                                                                     : TrayPreferences::Closing::Quit;
        if (m_remembersDesktop)
            writeTrayPreferences(m_trayPreferences);
    }
    return m_trayPreferences.closing == TrayPreferences::Closing::KeepRunning;
}

void mw::quitFromTray()
{
    m_quitting = true;
    // A capture under way would bring the window back after it closed.
    m_shooter->cancel();
    // A hidden window is no last window to close: the program ends here once the window agreed.
    if (close())
        QCoreApplication::quit();
    else
        m_quitting = false;
}
