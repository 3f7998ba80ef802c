// The region and window overlay with synthetic input. CTest runs it on one screen at scale 1, on
// one at scale 2, and on two screens of different scales: the expected pixels follow from the
// screens it finds.

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "gui/regionoverlay.h"

using tarvello::RegionOverlay;

namespace {

enum class End { Selected, Cancelled, Nothing };

// Every pixel tells where it is, so that a cut shows which part of the picture it took.
QImage pattern(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    }
    return image;
}

// The desktop in device pixels, each screen at its corner, as the X11 grab gives it.
QSize desktopSize()
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop |= QRect(screen->geometry().topLeft(), screen->geometry().size() * screen->devicePixelRatio());
    return QSize(desktop.right() + 1, desktop.bottom() + 1);
}

qreal scale()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

QRect scaled(const QRect &logical)
{
    return QRect(logical.topLeft() * scale(), logical.size() * scale());
}

// Sends "Right Shift+Down Ctrl+Left Esc Return" to the overlay's first window.
void press(QWidget *window, const QString &keys)
{
    for (const QString &key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QKeySequence sequence(key);
        const QKeyCombination combination = sequence[0];
        QTest::keyClick(window, combination.key(), combination.keyboardModifiers());
    }
}

} // namespace

Q_DECLARE_METATYPE(End)

class tst_Overlay : public QObject
{
    Q_OBJECT

private slots:
    void showsEveryScreen();
    void region_data();
    void region();
    void acrossScreens();
    void window_data();
    void window();
    void screenChangeCancels();

private:
    // Starts an overlay on the pattern and waits until every screen shows it.
    bool start(RegionOverlay &overlay);
};

bool tst_Overlay::start(RegionOverlay &overlay)
{
    overlay.start();
    for (QWidget *window : overlay.windows()) {
        if (!window || !QTest::qWaitForWindowExposed(window))
            return false;
    }
    return true;
}

void tst_Overlay::showsEveryScreen()
{
    const QImage desktop = pattern(desktopSize());
    RegionOverlay overlay(desktop);
    QVERIFY(start(overlay));
    const QList<QScreen *> screens = QGuiApplication::screens();
    QCOMPARE(overlay.windows().size(), screens.size());
    for (int i = 0; i < screens.size(); ++i) {
        QWidget *window = overlay.windows().at(i);
        QCOMPARE(window->geometry(), screens.at(i)->geometry());
        QCOMPARE(window->cursor().shape(), Qt::CrossCursor);
        // Its own part of the picture, pixel for pixel, dimmed while nothing is chosen.
        const QImage shown = window->grab().toImage();
        const qreal ratio = screens.at(i)->devicePixelRatio();
        QCOMPARE(shown.size(), screens.at(i)->geometry().size() * ratio);
        const QPoint corner = screens.at(i)->geometry().topLeft();
        for (const QPoint device : {QPoint(3, 5), QPoint(shown.width() - 2, shown.height() - 7)}) {
            const QColor expected = desktop.pixelColor(corner + device);
            const QColor seen = shown.pixelColor(device);
            QVERIFY2(qAbs(seen.red() - expected.red() * 145 / 255) <= 1 && qAbs(seen.green() - expected.green() * 145 / 255) <= 1,
                     qPrintable(QStringLiteral("screen %1 at %2,%3").arg(i).arg(device.x()).arg(device.y())));
        }
    }
}

void tst_Overlay::region_data()
{
    QTest::addColumn<QPoint>("from"); // where the drag starts and ends, on the first screen
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("rightClick");
    QTest::addColumn<QPoint>("moved"); // what the keys did, in device pixels
    QTest::addColumn<QSize>("grown"); // (0, 0) for none
    QTest::addColumn<End>("end");

    const QPoint none;
    QTest::newRow("drag, Enter") << QPoint(10, 10) << QPoint(110, 60) << "Return" << false << none << QSize(0, 0) << End::Selected;
    QTest::newRow("drawn up, nudged, keypad Enter") << QPoint(120, 70) << QPoint(20, 20) << "Right Right Down Enter" << false << QPoint(2, 1)
                            << QSize(0, 0) << End::Selected;
    QTest::newRow("ten at a time") << QPoint(20, 20) << QPoint(120, 70) << "Ctrl+Left Ctrl+Down Return" << false
                                   << QPoint(-10, 10) << QSize(0, 0) << End::Selected;
    QTest::newRow("resized") << QPoint(20, 20) << QPoint(120, 70) << "Shift+Right Shift+Up Shift+Up Return" << false
                             << none << QSize(1, -2) << End::Selected;
    QTest::newRow("Esc cancels") << QPoint(10, 10) << QPoint(110, 60) << "Esc" << false << none << QSize(0, 0) << End::Cancelled;
    QTest::newRow("right click cancels") << QPoint(10, 10) << QPoint(110, 60) << "" << true << none << QSize(0, 0) << End::Cancelled;
    QTest::newRow("zero size ignored") << QPoint(50, 50) << QPoint(50, 50) << "Return" << false << none << QSize(0, 0) << End::Nothing;
}

void tst_Overlay::region()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, keys);
    QFETCH(bool, rightClick);
    QFETCH(QPoint, moved);
    QFETCH(QSize, grown);
    QFETCH(End, end);

    const QImage desktop = pattern(desktopSize());
    RegionOverlay overlay(desktop);
    QSignalSpy selected(&overlay, &RegionOverlay::selected);
    QSignalSpy cancelled(&overlay, &RegionOverlay::cancelled);
    QVERIFY(start(overlay));
    QWidget *first = overlay.windows().at(0);
    QWindow *window = first->windowHandle();

    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, (from + to) / 2);
    QTest::mouseMove(window, to);
    QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    press(first, keys);
    if (rightClick)
        QTest::mouseClick(window, Qt::RightButton, {}, to);

    if (end == End::Nothing) {
        // Still up, still waiting: only Esc ends it.
        QCoreApplication::processEvents();
        QVERIFY(selected.isEmpty() && cancelled.isEmpty());
        QVERIFY(first->isVisible());
        press(first, QStringLiteral("Esc"));
        QTRY_COMPARE(cancelled.size(), 1);
        return;
    }
    // Input may already have run the event loop: count, rather than wait for a new signal.
    QSignalSpy &spy = end == End::Selected ? selected : cancelled;
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(selected.size() + cancelled.size(), 1);
    QTRY_VERIFY(overlay.windows().at(0) == nullptr); // gone from the screens
    if (end == End::Cancelled)
        return;

    const QPoint corner(qMin(from.x(), to.x()), qMin(from.y(), to.y()));
    const QRect expected(corner * scale() + moved, QSize(qAbs(to.x() - from.x()), qAbs(to.y() - from.y())) * scale() + grown);
    const QRect area = selected.at(0).at(0).toRect();
    QCOMPARE(area, expected);
    const QImage cut = selected.at(0).at(1).value<QImage>();
    QCOMPARE(cut.size(), expected.size());
    QCOMPARE(cut.pixel(0, 0), desktop.pixel(expected.topLeft()));
    QCOMPARE(cut.pixel(cut.width() - 1, cut.height() - 1), desktop.pixel(expected.bottomRight()));
}

void tst_Overlay::acrossScreens()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        QSKIP("needs two screens");
    const QImage desktop = pattern(desktopSize());
    RegionOverlay overlay(desktop);
    QSignalSpy selected(&overlay, &RegionOverlay::selected);
    QVERIFY(start(overlay));
    QWindow *window = overlay.windows().at(0)->windowHandle();

    // From the first screen into the second: the end is counted in the second one's pixels.
    const QPoint from(700, 100);
    const QPoint to = screens.at(1)->geometry().topLeft() + QPoint(50, 200) - window->position();
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, to);
    QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    QTest::keyClick(overlay.windows().at(0), Qt::Key_Return);
    QTRY_COMPARE(selected.size(), 1);
    const qreal right = screens.at(1)->devicePixelRatio();
    const QPoint end = screens.at(1)->geometry().topLeft() + QPoint(50, 200) * right;
    QCOMPARE(selected.at(0).at(0).toRect(), QRect(QPoint(from * scale()), QSize(end.x() - 700, end.y() - 100)));
}

void tst_Overlay::window_data()
{
    QTest::addColumn<bool>("withDesktop"); // a window as large as the desktop at the bottom
    QTest::addColumn<QPoint>("at");        // where the pointer goes, on the first screen
    QTest::addColumn<bool>("click");       // or Enter
    QTest::addColumn<int>("picked");       // which frame, or -1 for none

    QTest::newRow("click the top window") << true << QPoint(150, 150) << true << 2;
    QTest::newRow("Enter takes the window under the pointer") << true << QPoint(150, 150) << false << 2;
    QTest::newRow("off the desktop: clipped") << true << QPoint(395, 30) << true << 3;
    QTest::newRow("the desktop itself") << true << QPoint(20, 380) << true << 0;
    QTest::newRow("nothing there") << false << QPoint(20, 380) << true << -1;
}

void tst_Overlay::window()
{
    QFETCH(bool, withDesktop);
    QFETCH(QPoint, at);
    QFETCH(bool, click);
    QFETCH(int, picked);

    const QSize size = desktopSize();
    // In device pixels, bottom to top, as the X11 list gives them.
    QList<QRect> frames{QRect(QPoint(0, 0), size), scaled(QRect(50, 50, 300, 200)), scaled(QRect(100, 100, 100, 100)),
                        scaled(QRect(380, 20, 2000, 50))};
    if (!withDesktop)
        frames[0] = QRect();
    const QImage desktop = pattern(size);
    RegionOverlay overlay(desktop);
    overlay.setWindows(frames);
    QSignalSpy selected(&overlay, &RegionOverlay::selected);
    QSignalSpy cancelled(&overlay, &RegionOverlay::cancelled);
    QVERIFY(start(overlay));
    QWindow *window = overlay.windows().at(0)->windowHandle();

    // From elsewhere: Qt drops a move to where the pointer already is.
    QTest::mouseMove(window, at + QPoint(1, 1));
    QTest::mouseMove(window, at);
    const QRect expected = picked < 0 ? QRect() : frames.at(picked) & QRect(QPoint(0, 0), size);
    QCOMPARE(overlay.selection(), expected); // outlined before the click
    if (click)
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
    else
        QTest::keyClick(overlay.windows().at(0), Qt::Key_Return);
    if (picked < 0) {
        QCoreApplication::processEvents();
        QVERIFY(selected.isEmpty() && cancelled.isEmpty());
        return;
    }
    QTRY_COMPARE(selected.size(), 1);
    QCOMPARE(selected.at(0).at(0).toRect(), expected);
    QCOMPARE(selected.at(0).at(1).value<QImage>().size(), expected.size());
}

void tst_Overlay::screenChangeCancels()
{
    RegionOverlay overlay(pattern(desktopSize()));
    QSignalSpy cancelled(&overlay, &RegionOverlay::cancelled);
    QVERIFY(start(overlay));
    QScreen *screen = QGuiApplication::screens().constLast();
    emit screen->geometryChanged(screen->geometry().adjusted(0, 0, -100, 0));
    QTRY_COMPARE(cancelled.size(), 1);
    QTRY_VERIFY(overlay.windows().constLast() == nullptr);
}

QTEST_MAIN(tst_Overlay)
#include "tst_overlay.moc"
