// The window on today's desktops: which way a screenshot is taken, the command line, a window
// that fits small screens, what is kept between runs, sharp pictures at 2x, the desktop entry.
// CTest runs it on a 2560 x 1600 screen at scale 2, and the small-screen cases again on a
// 1280 x 600 one.

#include <QCheckBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "base/preferences.h"
#include "base/version.h"
#include "base/screenshot.h"
#include "base/commandline.h"
#include "gui/mw.h"
#include "testutil.h"

using tarvello::ScreenshotRoute;
using Action = tarvello::CommandLine::Action;
Q_DECLARE_METATYPE(ScreenshotRoute)
Q_DECLARE_METATYPE(Action)

class tst_Desktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void screenshotRoute_data();
    void screenshotRoute();
    void commandLine_data();
    void commandLine();
    void fittedSize_data();
    void fittedSize();
    void fitsSmallScreen();
    void stateKeptBetweenRuns();
    void firstRunFitsScreen();
    void queueRows_data();
    void queueRows();
    void sharpAt2x();
    void screenshotHasPhysicalPixels();
    void desktopEntryListsEveryFormat();

private:
    QTemporaryDir m_dir;
};

void tst_Desktop::initTestCase()
{
    // Before the first QSettings: Qt reads the configuration folder once.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
}

void tst_Desktop::init()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarvello"), QStringLiteral("tarvello")).clear();
}

void tst_Desktop::screenshotRoute_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<ScreenshotRoute>("route");

    QTest::newRow("X11") << "xcb" << "x11" << "" << "" << ScreenshotRoute::GrabWithoutWindow;
    QTest::newRow("X11 without session type") << "xcb" << "" << "" << "" << ScreenshotRoute::GrabWithoutWindow;
    QTest::newRow("XWayland by session type") << "xcb" << "wayland" << "" << "" << ScreenshotRoute::Portal;
    QTest::newRow("XWayland by display") << "xcb" << "" << "wayland-0" << "" << ScreenshotRoute::Portal;
    QTest::newRow("Wayland") << "wayland" << "wayland" << "wayland-0" << "" << ScreenshotRoute::Portal;
    QTest::newRow("Wayland EGL") << "wayland-egl" << "" << "" << "" << ScreenshotRoute::Portal;
    QTest::newRow("offscreen") << "offscreen" << "" << "" << "" << ScreenshotRoute::Grab;
    QTest::newRow("offscreen in a Wayland session") << "offscreen" << "wayland" << "wayland-0" << "" << ScreenshotRoute::Grab;
    QTest::newRow("Windows") << "windows" << "" << "" << "" << ScreenshotRoute::Grab;
    QTest::newRow("portal chosen on X11") << "xcb" << "x11" << "" << "portal" << ScreenshotRoute::Portal;
    QTest::newRow("portal chosen offscreen") << "offscreen" << "" << "" << "portal" << ScreenshotRoute::Portal;
    QTest::newRow("grab chosen on XWayland") << "xcb" << "wayland" << "" << "grab" << ScreenshotRoute::GrabWithoutWindow;
    QTest::newRow("unknown choice ignored") << "xcb" << "wayland" << "" << "bogus" << ScreenshotRoute::Portal;
}

void tst_Desktop::screenshotRoute()
{
    QFETCH(QString, platform);
    QFETCH(QString, session);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, choice);
    QFETCH(ScreenshotRoute, route);
    QCOMPARE(tarvello::screenshotRoute(platform, session, waylandDisplay, choice), route);
}

void tst_Desktop::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("qt"); // what the application object is given

    const QStringList none;
    QTest::newRow("nothing") << QStringList{} << Action::Run << none << none;
    QTest::newRow("images") << QStringList{"a.png", "b c.jpg"} << Action::Run << QStringList{"a.png", "b c.jpg"} << none;
    QTest::newRow("--help") << QStringList{"--help"} << Action::Help << none << none;
    QTest::newRow("-h") << QStringList{"-h"} << Action::Help << none << none;
    QTest::newRow("--help-all") << QStringList{"--help-all"} << Action::Help << none << none;
    QTest::newRow("help next to images") << QStringList{"a.png", "--help"} << Action::Help << none << none;
    QTest::newRow("help next to an unknown option") << QStringList{"--bogus", "--help"} << Action::Help << none << none;
    QTest::newRow("--version") << QStringList{"--version"} << Action::Version << none << none;
    QTest::newRow("-v") << QStringList{"-v"} << Action::Version << none << none;
    QTest::newRow("-- ends the options") << QStringList{"--", "--help", "-v", "a.png"} << Action::Run
                                         << QStringList{"--help", "-v", "a.png"} << none;
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.png"} << Action::Error << none << none;
    // Qt's options: a few by plain names before "--", none that loads code, none after "--".
    QTest::newRow("qt options before --") << QStringList{"-platform", "offscreen", "-reverse", "--style=fusion", "a.png"}
                                          << Action::Run << QStringList{"a.png"}
                                          << QStringList{"-platform", "offscreen", "-reverse", "--style=fusion"};
    QTest::newRow("file names like qt options after --")
            << QStringList{"--", "-platformpluginpath", "-platformpluginpath0", "-reverse", "-platform", "x"}
            << Action::Run << QStringList{"-platformpluginpath", "-platformpluginpath0", "-reverse", "-platform", "x"}
            << none;
    QTest::newRow("-platformpluginpath") << QStringList{"-platformpluginpath", "/tmp/x"} << Action::Error << none << none;
    QTest::newRow("-plugin") << QStringList{"-plugin", "evdevtouch"} << Action::Error << none << none;
    QTest::newRow("-platformtheme") << QStringList{"--platformtheme", "x"} << Action::Error << none << none;
    QTest::newRow("-style by path") << QStringList{"-style", "/tmp/x/evil.so"} << Action::Error << none << none;
    QTest::newRow("-style= by path") << QStringList{"-style=../evil"} << Action::Error << none << none;
    QTest::newRow("-platform by path") << QStringList{"-platform", "/tmp/x"} << Action::Error << none << none;
    // Qt takes no value after -display or -name on some platforms: what follows would be its option.
    QTest::newRow("-display before a code option") << QStringList{"-display", "-platformpluginpath", "x"}
                                                   << Action::Error << none << none;
    QTest::newRow("-name, -title, -geometry") << QStringList{"-name", "a.png"} << Action::Error << none << none;
}

void tst_Desktop::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QStringList, paths);
    QFETCH(QStringList, qt);

    QList<QByteArray> bytes{"/usr/bin/tarvello"};
    for (const QString &argument : std::as_const(arguments))
        bytes.append(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    const tarvello::SplitArguments split = tarvello::splitArguments(int(argv.size()), argv.data());
    QStringList givenToQt;
    QCOMPARE(split.qt.front(), argv.front());
    QCOMPARE(split.qt.back(), nullptr);
    for (std::size_t i = 1; i + 1 < split.qt.size(); ++i)
        givenToQt.append(QString::fromUtf8(split.qt.at(i)));
    QCOMPARE(givenToQt, qt);

    const tarvello::CommandLine line = tarvello::parseCommandLine(split.program);
    QCOMPARE(line.action, action);
    QCOMPARE(line.paths, paths);
    switch (action) {
    case Action::Help:
        QVERIFY2(line.text.startsWith(QLatin1String("Usage: tarvello [options] [images...]")), qPrintable(line.text));
        QVERIFY(line.text.contains(QLatin1String("--version")));
        break;
    case Action::Version: {
        // The second line is the version line the window shows.
        mw window;
        QTextDocument shown;
        shown.setHtml(window.findChild<QLabel *>(QStringLiteral("label_2"))->text());
        QCOMPARE(line.text, QStringLiteral("tarvello " TARVELLO_VERSION "\n") + shown.toPlainText().trimmed() + QLatin1Char('\n'));
        break;
    }
    case Action::Error:
        QVERIFY(line.text.startsWith(QLatin1String("Unknown option")));
        break;
    case Action::Run:
    case Action::Screenshot:
    case Action::Add:
    case Action::Upload:
    case Action::ImportDestination:
    case Action::ListDestinations:
    case Action::History:
        QVERIFY(line.text.isEmpty());
        break;
    }
}

void tst_Desktop::fittedSize_data()
{
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("fitted");

    QTest::newRow("fits") << QSize(380, 695) << QSize(300, 500) << QSize(1920, 1040) << QSize(380, 695);
    QTest::newRow("too tall") << QSize(380, 695) << QSize(300, 500) << QSize(1280, 560) << QSize(380, 560);
    QTest::newRow("minimum wins") << QSize(380, 695) << QSize(300, 500) << QSize(200, 400) << QSize(300, 500);
}

void tst_Desktop::fittedSize()
{
    QFETCH(QSize, wanted);
    QFETCH(QSize, minimum);
    QFETCH(QSize, available);
    QFETCH(QSize, fitted);
    QCOMPARE(tarvello::fittedSize(wanted, minimum, available), fitted);
}

void tst_Desktop::fitsSmallScreen()
{
    mw window;
    // The screen's free area, less a title bar.
    const QSize room = window.screen()->availableGeometry().size() - QSize(0, 24);
    const QSize minimum = window.minimumSizeHint();
    QVERIFY2(minimum.width() <= room.width() && minimum.height() <= room.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
    window.resize(minimum);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto *label = window.findChild<QLabel *>(QStringLiteral("label"));
    // The picture gives way to the queue, but stays a picture.
    QVERIFY2(label->width() >= 160 && label->height() >= 64,
             qPrintable(QStringLiteral("%1 x %2").arg(label->width()).arg(label->height())));

    // The table still shows two rows, and every button stays whole.
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    for (int i = 0; i < 3; ++i)
        window.addObj(testutil::writeImage(m_dir.filePath(QStringLiteral("row%1.png").arg(i)), 4, 4));
    QVERIFY2(table->viewport()->height() >= 2 * table->rowHeight(0),
             qPrintable(QString::number(table->viewport()->height())));
    for (const QPushButton *button : window.findChildren<QPushButton *>())
        QVERIFY2(button->height() >= button->minimumSizeHint().height(), qPrintable(button->objectName()));
    window.close();
}

void tst_Desktop::stateKeptBetweenRuns()
{
    const QString pictures = m_dir.filePath(QStringLiteral("pictures"));
    QDir().mkpath(pictures);
    testutil::writeImage(pictures + QStringLiteral("/one.png"), 5, 5);
    QRect geometry;
    {
        mw window;
        window.rememberDesktopState();
        QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->isChecked());
        window.setGeometry(120, 90, 420, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        geometry = window.geometry();
        {
            const testutil::ModalAnswer pick([&](QWidget *modal) {
                auto *dialog = qobject_cast<QFileDialog *>(modal);
                dialog->setDirectory(pictures);
                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("one.png"));
                static_cast<QDialog *>(dialog)->accept();
            });
            window.browse();
        }
        // Ticked after Browse, so that no upload is running when the window closes.
        window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->setChecked(true);
        window.close();
    }
    mw again;
    QString folder;
    const testutil::ModalAnswer look([&](QWidget *modal) {
        folder = qobject_cast<QFileDialog *>(modal)->directory().absolutePath();
        qobject_cast<QDialog *>(modal)->reject();
    });
    again.rememberDesktopState();
    QCOMPARE(again.geometry(), geometry);
    QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->isChecked());
    again.browse();
    QCOMPARE(folder, pictures);

    // A window that was not asked to remember leaves the kept state alone.
    {
        mw other;
        other.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->setChecked(false);
        other.show();
        other.close();
    }
    QVERIFY(tarvello::readDesktopPreferences().autoUpload);
}

void tst_Desktop::firstRunFitsScreen()
{
    mw window;
    window.rememberDesktopState();
    const QSize room = window.screen()->availableGeometry().size() - QSize(0, 24);
    QVERIFY(window.width() <= room.width() && window.height() <= room.height());
    QVERIFY(window.height() >= window.minimumSizeHint().height());
}

void tst_Desktop::queueRows_data()
{
    QTest::addColumn<QSize>("size"); // invalid: as the program first opens
    QTest::addColumn<int>("rows");

    QTest::newRow("first run") << QSize() << 5;
    QTest::newRow("maximised on a 1280 x 600 screen") << QSize(1280, 570) << 8;
    QTest::newRow("smallest") << QSize(0, 0) << 2;
}

void tst_Desktop::queueRows()
{
    QFETCH(QSize, size);
    QFETCH(int, rows);

    mw window;
    window.rememberDesktopState();
    for (int i = 0; i < 12; ++i)
        window.addObj(testutil::writeImage(m_dir.filePath(QStringLiteral("q%1.png").arg(i)), 400, 300));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (size.isValid()) {
        // Wider first, as a window manager maximising it, then as short as asked.
        window.resize(size.width(), window.height());
        window.resize(size.expandedTo(window.minimumSizeHint()));
    }
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    table->scrollToTop();
    auto fullRows = [table] {
        int shown = 0;
        for (int row = 0; row < table->rowCount(); ++row)
            shown += table->viewport()->rect().contains(table->visualRect(table->model()->index(row, 0)));
        return shown;
    };
    QTRY_VERIFY2(fullRows() >= rows, qPrintable(QStringLiteral("%1 rows in %2 x %3")
                                                        .arg(fullRows()).arg(window.width()).arg(window.height())));
    // The picture gives way, but is still there to see.
    const auto *label = window.findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY2(label->height() >= 64 && label->width() >= 160,
             qPrintable(QStringLiteral("%1 x %2").arg(label->width()).arg(label->height())));
    QVERIFY(label->visibleRegion().boundingRect().height() >= 64);
}

void tst_Desktop::sharpAt2x()
{
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    mw window;
    const QPixmap banner = window.findChild<QLabel *>(QStringLiteral("label"))->pixmap();
    QCOMPARE(banner.devicePixelRatio(), 2.0);
    QCOMPARE(banner.size(), QSize(336, 64));
    QCOMPARE(banner.deviceIndependentSize(), QSizeF(168, 32));
    QCOMPARE(QImage(QStringLiteral(":/tarvello/zor@2x.png")).size(), QSize(336, 64));
    QCOMPARE(window.windowIcon().pixmap(QSize(31, 31), 2.0).size(), QSize(62, 62));
}

void tst_Desktop::screenshotHasPhysicalPixels()
{
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1280, 800));
    mw window;
    window.screens();
    QCOMPARE(window.entries().size(), 1);
    QTRY_VERIFY(testutil::savesDone(&window));
    const QImage saved(window.entries().at(0).file);
    QCOMPARE(saved.size(), QSize(2560, 1600));
    // The preview still fills the label's box in its own pixels.
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().size(), QSize(272, 170));
}

void tst_Desktop::desktopEntryListsEveryFormat()
{
    QFile entry(QStringLiteral(TARVELLO_SOURCE_DIR "/resources/org.tarvello.Uploader.desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList types;
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(QLatin1String("MimeType=")))
            types = line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    QVERIFY(types.contains(QStringLiteral("image/webp")));
    for (const QByteArray &type : QImageReader::supportedMimeTypes())
        QVERIFY2(types.contains(QString::fromLatin1(type)), type.constData());
    // Besides images, custom-uploader files, which it imports.
    QVERIFY(types.removeOne(QStringLiteral("application/x-sxcu")));
    for (const QString &type : types)
        QVERIFY2(QImageReader::supportedMimeTypes().contains(type.toLatin1()), qPrintable(type));
}

QTEST_MAIN(tst_Desktop)
#include "tst_desktop.moc"
