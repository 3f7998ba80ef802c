// Captures without a window: where each screen lies in the frozen picture, the rectangle a drag
// and the arrow keys choose, the window a click picks, the cut, the countdown, and the command
// line that asks for them.

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "base/capturecountdown.h"
#include "base/commandline.h"
#include "base/desktopmap.h"
#include "base/regionselection.h"
#include "testutil.h"

using namespace tarvello;
using Action = CommandLine::Action;
using Problem = CommandLine::Problem;
Q_DECLARE_METATYPE(QList<ScreenPlace>)
Q_DECLARE_METATYPE(CaptureRequest)

class tst_Capture : public QObject
{
    Q_OBJECT

private slots:
    void desktopMap_data();
    void desktopMap();
    void selection_data();
    void selection();
    void windowAt();
    void cut_data();
    void cut();
    void countdown_data();
    void countdown();
    void commandLine_data();
    void commandLine();
};

void tst_Capture::desktopMap_data()
{
    QTest::addColumn<QList<ScreenPlace>>("screens");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QPointF>("global");
    QTest::addColumn<QPointF>("inPicture");
    QTest::addColumn<int>("screen");
    QTest::addColumn<QRectF>("area"); // what that screen shows of the picture

    const ScreenPlace plain{QRect(0, 0, 800, 600), 1};
    // X11 with QT_SCALE_FACTOR: the scaled screen keeps its corner, the next one starts in device pixels.
    const QList<ScreenPlace> mixed{{QRect(0, 0, 1280, 800), 2}, {QRect(2560, 0, 1920, 1080), 1}};
    const QList<ScreenPlace> leftOfOrigin{{QRect(-1920, 0, 1920, 1080), 1}, {QRect(0, 0, 1920, 1080), 1}};
    QTest::newRow("scale 1.5") << QList<ScreenPlace>{{QRect(0, 0, 1280, 720), 1.5}} << QSize(1920, 1080) << QPointF(101, 33)
                               << QPointF(151.5, 49.5) << 0 << QRectF(0, 0, 1920, 1080);
    QTest::newRow("shared edge belongs to the right") << QList<ScreenPlace>{plain, {QRect(800, 0, 800, 600), 2}}
                                                      << QSize(2400, 1200) << QPointF(800, 0) << QPointF(800, 0) << 1
                                                      << QRectF(800, 0, 1600, 1200);
    QTest::newRow("mixed, scaled screen") << mixed << QSize(4480, 1600) << QPointF(1000, 700) << QPointF(2000, 1400) << 0
                                          << QRectF(0, 0, 2560, 1600);
    QTest::newRow("between screens: nearest") << mixed << QSize(4480, 1600) << QPointF(1300, 10) << QPointF(2600, 20) << 0
                                              << QRectF(0, 0, 2560, 1600);
    QTest::newRow("left of the origin") << leftOfOrigin << QSize(3840, 1080) << QPointF(100, 5) << QPointF(2020, 5) << 1
                                        << QRectF(1920, 0, 1920, 1080);
    // A portal that gives the desktop at another size than Qt sees it.
    QTest::newRow("portal picture at twice the size") << QList<ScreenPlace>{{QRect(0, 0, 1280, 720), 1}} << QSize(2560, 1440)
                                                      << QPointF(100, 50) << QPointF(200, 100) << 0 << QRectF(0, 0, 2560, 1440);
}

void tst_Capture::desktopMap()
{
    QFETCH(QList<ScreenPlace>, screens);
    QFETCH(QSize, picture);
    QFETCH(QPointF, global);
    QFETCH(QPointF, inPicture);
    QFETCH(int, screen);
    QFETCH(QRectF, area);

    const DesktopMap map(screens, picture);
    QCOMPARE(map.toPicture(global), inPicture);
    QCOMPARE(map.pictureArea(screen), area);
    const QRect geometry = screens.at(screen).geometry;
    if (geometry.contains(global.toPoint())) // and back
        QCOMPARE(map.toScreen(screen, inPicture), global - QPointF(geometry.topLeft()));
}

void tst_Capture::selection_data()
{
    QTest::addColumn<QString>("steps"); // on a 400 x 300 picture
    QTest::addColumn<QRect>("area");

    QTest::newRow("drag") << "press 10,10; drag 60,30; release 110,60" << QRect(10, 10, 100, 50);
    QTest::newRow("drag up and left") << "press 110,60; release 10,10" << QRect(10, 10, 100, 50);
    QTest::newRow("half pixels round") << "press 10.4,10.6; drag 30,30; release 20.5,20.4" << QRect(10, 11, 11, 9);
    QTest::newRow("a click chooses nothing") << "press 50,50; release 50,50" << QRect();
    QTest::newRow("a line chooses nothing") << "press 50,50; release 90,50" << QRect();
    QTest::newRow("a new drag starts over") << "press 10,10; release 110,60; press 200,200; release 210,205" << QRect(200, 200, 10, 5);
    QTest::newRow("kept inside the picture") << "press 350,250; release 900,-40" << QRect(350, 0, 50, 250);
    QTest::newRow("moved, to the edge and no further") << "press 10,10; release 110,60; move 5,-3; move -30,0" << QRect(0, 7, 100, 50);
    QTest::newRow("moved past the far edge") << "press 290,10; release 390,60; move 20,500" << QRect(300, 250, 100, 50);
    QTest::newRow("resized, down to one pixel") << "press 10,10; release 110,60; resize 10,-60" << QRect(10, 10, 110, 1);
    QTest::newRow("resized up to the edge") << "press 390,290; release 395,295; resize 50,50" << QRect(390, 290, 10, 10);
    QTest::newRow("nothing to move") << "move 5,5; resize 5,5" << QRect();
    QTest::newRow("keys wait for the mouse") << "press 10,10; drag 20,20; move 5,5; release 30,30" << QRect(10, 10, 20, 20);
}

void tst_Capture::selection()
{
    QFETCH(QString, steps);
    QFETCH(QRect, area);
    RegionSelection selection(QRect(0, 0, 400, 300));
    for (const QString &step : steps.split(QLatin1Char(';'))) {
        const QStringList parts = step.trimmed().split(QRegularExpression(QStringLiteral("[ ,]")));
        const QPointF point(parts.at(1).toDouble(), parts.at(2).toDouble());
        if (parts.at(0) == QLatin1String("press"))
            selection.press(point);
        else if (parts.at(0) == QLatin1String("drag"))
            selection.drag(point);
        else if (parts.at(0) == QLatin1String("release"))
            selection.release(point);
        else
            selection.nudge(int(point.x()), int(point.y()), parts.at(0) == QLatin1String("resize"));
    }
    QCOMPARE(selection.area(), area);
}

void tst_Capture::windowAt()
{
    // Bottom to top: a desktop, a large window, a small one over it.
    const QList<QRect> frames{QRect(0, 0, 800, 600), QRect(50, 50, 400, 300), QRect(100, 100, 100, 100)};
    QCOMPARE(tarvello::windowAt(frames, QPoint(150, 150)), 2);
    QCOMPARE(tarvello::windowAt(frames, QPoint(199, 199)), 2);
    QCOMPARE(tarvello::windowAt(frames, QPoint(200, 200)), 1);
    QCOMPARE(tarvello::windowAt(frames, QPoint(700, 500)), 0);
    QCOMPARE(tarvello::windowAt(frames, QPoint(900, 10)), -1);
}

void tst_Capture::cut_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("cut"); // what of the picture it holds; empty for a null image

    QTest::newRow("inside") << QRect(5, 6, 10, 4) << QRect(5, 6, 10, 4);
    QTest::newRow("over the far edge") << QRect(30, 25, 20, 20) << QRect(30, 25, 10, 5);
    QTest::newRow("before the origin") << QRect(-5, -5, 10, 10) << QRect(0, 0, 5, 5);
    QTest::newRow("outside") << QRect(50, 50, 10, 10) << QRect();
}

void tst_Capture::cut()
{
    QFETCH(QRect, area);
    QFETCH(QRect, cut);
    QImage picture(40, 30, QImage::Format_RGB32); // every pixel tells where it came from
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x, y, 7));
    }
    const QImage piece = cutFromPicture(picture, area);
    QCOMPARE(piece.isNull(), cut.isEmpty());
    if (!cut.isEmpty()) {
        QCOMPARE(piece.size(), cut.size());
        QCOMPARE(piece.pixel(0, 0), qRgb(cut.left(), cut.top(), 7));
        QCOMPARE(piece.pixel(cut.width() - 1, cut.height() - 1), qRgb(cut.right(), cut.bottom(), 7));
    }
}

void tst_Capture::countdown_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("cancelled"); // at the first tick
    QTest::addColumn<int>("restart");    // at the first tick, if not 0
    QTest::addColumn<QList<int>>("ticks");

    QTest::newRow("three") << 3 << false << 0 << QList<int>{3, 2, 1};
    QTest::newRow("none") << 0 << false << 0 << QList<int>{};
    QTest::newRow("cancelled") << 3 << true << 0 << QList<int>{3};
    QTest::newRow("started over") << 3 << false << 2 << QList<int>{3, 2, 1};
}

void tst_Capture::countdown()
{
    QFETCH(int, seconds);
    QFETCH(bool, cancelled);
    QFETCH(int, restart);
    QFETCH(QList<int>, ticks);

    CaptureCountdown countdown(nullptr, std::chrono::milliseconds(20));
    CaptureCountdown witness(nullptr, std::chrono::milliseconds(20));
    QSignalSpy finished(&countdown, &CaptureCountdown::finished);
    QSignalSpy witnessFinished(&witness, &CaptureCountdown::finished);
    QList<int> seen; // the tick, and what secondsLeft() said then
    connect(&countdown, &CaptureCountdown::tick, this, [&](int left) {
        seen.append(left);
        QCOMPARE(countdown.secondsLeft(), left);
        if (seen.size() == 1 && cancelled)
            countdown.cancel();
        if (seen.size() == 1 && restart)
            countdown.start(restart);
    });
    countdown.start(seconds);
    witness.start(seconds + 2);
    QVERIFY(countdown.isRunning());
    QVERIFY(seen.isEmpty() && finished.isEmpty()); // never from inside start()
    // A longer countdown started with it ends after it would have.
    QVERIFY(witnessFinished.wait(5000));
    QCOMPARE(seen, ticks);
    QCOMPARE(finished.size(), cancelled ? 0 : 1);
    QVERIFY(!countdown.isRunning());
}

void tst_Capture::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<CaptureRequest>("capture");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<QString>("value");

    const CaptureRequest none;
    QTest::newRow("whole") << QStringList{"--screenshot"} << Action::Screenshot << none << Problem::None << "";
    QTest::newRow("window after a delay") << QStringList{"--window", "--delay", "5", "--screenshot"} << Action::Screenshot
                                          << CaptureRequest{CaptureMode::Window, 5} << Problem::None << "";
    QTest::newRow("region, longest delay") << QStringList{"--screenshot", "--delay=60", "--region"} << Action::Screenshot
                                           << CaptureRequest{CaptureMode::Region, 60} << Problem::None << "";
    for (const char *delay : {"61", "-1", "3s"}) {
        QTest::addRow("delay %s", delay) << QStringList{"--screenshot", "--delay", delay} << Action::Error << none
                                         << Problem::BadDelay << delay;
    }
    QTest::newRow("both modes") << QStringList{"--screenshot", "--region", "--window"} << Action::Error << none << Problem::TwoModes << "";
    QTest::newRow("region alone") << QStringList{"--region"} << Action::Error << none << Problem::CaptureWithoutScreenshot << "--region";
    QTest::newRow("delay alone") << QStringList{"--delay", "3", "a.png"} << Action::Error << none
                                 << Problem::CaptureWithoutScreenshot << "--delay";
    QTest::newRow("screenshot and files") << QStringList{"--screenshot", "a.png"} << Action::Error << none
                                          << Problem::ScreenshotWithFiles << "a.png";
    QTest::newRow("screenshot and add") << QStringList{"--screenshot", "--add", "a.png"} << Action::Error << none
                                        << Problem::ScreenshotAndAdd << "";
    QTest::newRow("add nothing: shows the program") << QStringList{"--add"} << Action::Add << none << Problem::None << "";
    QTest::newRow("add a missing file") << QStringList{"--add", "a.png", "gone.png"} << Action::Error << none
                                        << Problem::MissingFile << "gone.png";
    QTest::newRow("add a file and a folder") << QStringList{"--add", "a.png", "sub"} << Action::Add << none << Problem::None << "";
    QTest::newRow("plain files still open a window") << QStringList{"a.png", "gone.png"} << Action::Run << none << Problem::None << "";
}

void tst_Capture::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(CaptureRequest, capture);
    QFETCH(Problem, problem);
    QFETCH(QString, value);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    for (const QString &file : {QStringLiteral("a.png"), QStringLiteral("sub/b.png")})
        testutil::writeImage(dir.filePath(file), 2, 2, Qt::red, "PNG");
    const CommandLine line = [&] {
        const testutil::CurrentDir inside(dir.path());
        return parseCommandLine(QStringList{"/usr/bin/tarvello"} + arguments);
    }();
    QCOMPARE(line.action, action);
    QCOMPARE(line.problem, problem);
    QCOMPARE(line.value, value);
    QCOMPARE(line.capture, capture);
    QStringList paths = arguments;
    paths.removeAll(QStringLiteral("--add"));
    if (action == Action::Add) { // absolute, against the folder the command ran in
        for (QString &path : paths)
            path = dir.filePath(path);
    }
    QCOMPARE(line.paths, action == Action::Error || action == Action::Screenshot ? QStringList() : paths);
}

QTEST_GUILESS_MAIN(tst_Capture)
#include "tst_capture.moc"
