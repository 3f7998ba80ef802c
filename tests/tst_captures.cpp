// Captures as the window offers them, offscreen: the whole screen, a region dragged on the
// frozen desktop, called off at every step, after a countdown the status line shows; a second
// capture while one runs, and a window capture where the desktop has no window list.

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "base/tempfile.h"
#include "gui/captureactions.h"
#include "gui/mw.h"
#include "gui/regionoverlay.h"
#include "testutil.h"

using tarvello::CaptureMode;
using tarvello::CaptureRequest;
using tarvello::RegionOverlay;
using tarvello::Screenshooter;

namespace {

enum class Ending {
    Taken,           // the whole screen needs nothing more
    Dragged,         // a drag and Enter on the overlay
    EscOnOverlay,
    RightClick,
    CancelCountdown, // Esc in the window while the seconds run
};

QStringList pngsIn(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files);
}

} // namespace

Q_DECLARE_METATYPE(Ending)

class tst_Captures : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void capture_data();
    void capture();
    void secondCaptureRefused();
    void windowNotOffered();
    void menu();

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
};

void tst_Captures::init()
{
    m_tmp.reset(); // before the next one, which would otherwise be made inside it
    m_tmp = std::make_unique<QTemporaryDir>();
    qputenv("TMPDIR", QFile::encodeName(m_tmp->path()));
}

void tst_Captures::cleanup()
{
    tarvello::removeCreatedTempFiles();
}

void tst_Captures::capture_data()
{
    QTest::addColumn<CaptureMode>("mode");
    QTest::addColumn<int>("delay");
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<QSize>("added"); // the picture's size, or empty when nothing is added

    const QSize nothing;
    QTest::newRow("whole screen") << CaptureMode::Whole << 0 << Ending::Taken << QSize(800, 800);
    QTest::newRow("region") << CaptureMode::Region << 0 << Ending::Dragged << QSize(120, 60);
    QTest::newRow("region after a second") << CaptureMode::Region << 1 << Ending::Dragged << QSize(120, 60);
    QTest::newRow("region, Esc") << CaptureMode::Region << 0 << Ending::EscOnOverlay << nothing;
    QTest::newRow("region, right click") << CaptureMode::Region << 0 << Ending::RightClick << nothing;
    QTest::newRow("countdown called off") << CaptureMode::Whole << 3 << Ending::CancelCountdown << nothing;
}

void tst_Captures::capture()
{
    QFETCH(CaptureMode, mode);
    QFETCH(int, delay);
    QFETCH(Ending, ending);
    QFETCH(QSize, added);

    mw window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QString before = window.lastNotice();
    Screenshooter *shooter = window.screenshooter();
    QSignalSpy busy(shooter, &Screenshooter::busyChanged);
    QCOMPARE(window.capture({mode, delay}), Screenshooter::Start::Started);
    // The whole screen at once is taken before the call returns, as the button always took it.
    QCOMPARE(shooter->isBusy(), mode != CaptureMode::Whole || delay > 0);
    // The name is taken at the press.
    QCOMPARE(pngsIn(m_tmp->path()).size(), 1);

    if (delay > 0) {
        QTRY_VERIFY(window.lastNotice().startsWith(delay == 1 ? QStringLiteral("Capture in 1 second.")
                                                               : QStringLiteral("Capture in %1 seconds.").arg(delay)));
        if (ending == Ending::CancelCountdown) {
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(!shooter->isBusy());
            QVERIFY(window.findChild<QLabel *>(QStringLiteral("statusLine"))->text() != window.lastNotice());
        }
    }
    if (mode == CaptureMode::Region) {
        QTRY_VERIFY(shooter->overlay() && !shooter->overlay()->windows().isEmpty());
        QWidget *screen = shooter->overlay()->windows().at(0);
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QWindow *handle = screen->windowHandle();
        const QPoint from(30, 40);
        const QPoint to = from + QPoint(added.isEmpty() ? 50 : added.width(), added.isEmpty() ? 50 : added.height());
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(handle, to);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
        if (ending == Ending::RightClick)
            QTest::mouseClick(handle, Qt::RightButton, {}, to);
        else
            QTest::keyClick(screen, ending == Ending::Dragged ? Qt::Key_Return : Qt::Key_Escape);
    }

    QTRY_VERIFY(!shooter->isBusy());
    QCOMPARE(busy.size(), 2); // busy, then free again
    QVERIFY(window.isVisible());
    if (added.isEmpty()) {
        QVERIFY(window.entries().isEmpty());
        QVERIFY(pngsIn(m_tmp->path()).isEmpty()); // the name taken at the press is given back
        if (delay == 0)
            QCOMPARE(window.lastNotice(), before); // a call-off says nothing
        return;
    }
    QCOMPARE(window.entries().size(), 1);
    const imgobj &entry = window.entries().at(0);
    QVERIFY(entry.temp);
    QCOMPARE(QFileInfo(entry.file).path(), m_tmp->path());
    QTRY_VERIFY(testutil::savesDone(&window));
    QCOMPARE(QImage(entry.file).size(), added);
}

void tst_Captures::secondCaptureRefused()
{
    mw window;
    window.show();
    Screenshooter *shooter = window.screenshooter();
    QCOMPARE(window.capture({CaptureMode::Region, 0}), Screenshooter::Start::Started);
    QTRY_VERIFY(shooter->overlay());
    RegionOverlay *overlay = shooter->overlay();
    for (const CaptureRequest &request : {CaptureRequest{CaptureMode::Whole, 0}, CaptureRequest{CaptureMode::Region, 3}}) {
        QCOMPARE(window.capture(request), Screenshooter::Start::Busy);
        QVERIFY(window.lastNotice().contains(QLatin1String("under way")));
    }
    window.screens(); // the button, too
    QCOMPARE(pngsIn(m_tmp->path()).size(), 1);
    QCOMPARE(shooter->overlay(), overlay);
    overlay->cancel();
    QTRY_VERIFY(!shooter->isBusy());
    QVERIFY(window.entries().isEmpty());
}

void tst_Captures::windowNotOffered()
{
    // Offscreen there is no list of windows, as on a desktop without one.
    mw window;
    QAction *windowAction = window.captureActions()->captures().at(int(CaptureMode::Window));
    QVERIFY(!windowAction->isVisible());
    QCOMPARE(window.capture({CaptureMode::Window, 0}), Screenshooter::Start::Unsupported);
    QVERIFY(window.lastNotice().contains(QLatin1String("single window")));
    QVERIFY(!window.screenshooter()->isBusy());
    QVERIFY(pngsIn(m_tmp->path()).isEmpty());
}

void tst_Captures::menu()
{
    mw window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    tarvello::CaptureActions *actions = window.captureActions();
    auto *arrow = window.findChild<QToolButton *>(QStringLiteral("screensMenu"));
    QVERIFY(arrow);
    QCOMPARE(arrow->parentWidget(), window.findChild<QPushButton *>(QStringLiteral("screens")));
    QVERIFY(arrow->isVisible());
    arrow->click();
    QTRY_VERIFY(actions->menu()->isVisible());
    QStringList shown;
    for (const QAction *action : actions->menu()->actions()) {
        if (action->isVisible() && !action->isSeparator())
            shown.append(action->text());
    }
    QCOMPARE(shown, (QStringList{"Whole Screen", "Region…", "No delay", "After 3 seconds", "After 5 seconds",
                                 "After 10 seconds", "Cancel the Capture"}));
    actions->menu()->hide();

    // A delay chosen holds for the keys as well; the button's own click stays at once.
    actions->setDelay(5);
    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(window.lastNotice().startsWith(QLatin1String("Capture in 5 seconds")));
    QVERIFY(actions->cancelAction()->isEnabled());
    actions->cancelAction()->trigger();
    QVERIFY(!window.screenshooter()->isBusy());
    QVERIFY(!actions->cancelAction()->isEnabled());
    window.findChild<QPushButton *>(QStringLiteral("screens"))->click();
    QCOMPARE(window.entries().size(), 1);
}

QTEST_MAIN(tst_Captures)
#include "tst_captures.moc"
