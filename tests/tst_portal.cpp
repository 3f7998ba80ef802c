// Screenshots through the desktop portal, against a portal of our own on a private session bus
// (CTest runs this under dbus-run-session): the request, its Response, a cancel, a refusal,
// and no portal at all.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <optional>

#include "base/portal.h"
#include "gui/mw.h"
#include "testutil.h"

using Outcome = tarvello::PortalScreenshot::Outcome;

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");

// Answers Screenshot the way xdg-desktop-portal does: the request object's path at once, the
// Response on that path a moment later.
class FakePortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version MEMBER version)
    Q_PROPERTY(uint AvailableTargets MEMBER targets)

public:
    explicit FakePortal(const QDBusConnection &bus)
        : m_bus(bus)
    {
    }

    uint code = 0;    // 0 picture, 1 cancelled, 2 other; silent: no answer at all
    bool silent = false;
    // Another program on the bus answers first, on the request's path, with a picture of its own.
    std::optional<QDBusConnection> impostor;
    QString picture;  // the file the portal hands over
    QString parent;   // what the caller gave
    QVariantMap options;
    int calls = 0;
    uint version = 2;
    uint targets = 0;

public slots:
    QDBusObjectPath Screenshot(const QString &parentWindow, const QVariantMap &callOptions)
    {
        ++calls;
        parent = parentWindow;
        options = callOptions;
        QString sender = message().service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path = objectPath + QStringLiteral("/request/") + sender + QLatin1Char('/')
                + callOptions.value(QStringLiteral("handle_token")).toString();
        const auto answer = [path](QDBusConnection bus, uint code, const QString &file) {
            QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                               QStringLiteral("Response"));
            QVariantMap results;
            if (code == 0)
                results.insert(QStringLiteral("uri"), QUrl::fromLocalFile(file).toString());
            response << code << results;
            bus.send(response);
        };
        if (impostor)
            answer(*impostor, 0, QStringLiteral("/etc/hostname"));
        if (silent)
            return QDBusObjectPath(path);
        QTimer::singleShot(0, this, [this, answer] { answer(m_bus, code, picture); });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection m_bus;
};

} // namespace

class tst_Portal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void requestPath_data();
    void requestPath();
    void answers_data();
    void answers();
    void window_data();
    void window();
    void abilities_data();
    void abilities();
    void interactive();
    void windowPick_data();
    void windowPick();

private:
    QStringList pngsInTemp() const { return QDir(m_tmp.path()).entryList({QStringLiteral("*.png")}, QDir::Files); }

    QTemporaryDir m_home;
    QTemporaryDir m_tmp;
    std::unique_ptr<FakePortal> m_portal;
    QString m_picture;
};

void tst_Portal::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    qputenv("TMPDIR", QFile::encodeName(m_tmp.path()));
    qputenv("TARVELLO_SCREENSHOT", "portal");
    // The portal's own folder, as the real one keeps its pictures apart from ours.
    m_picture = testutil::writeImage(m_home.filePath(QStringLiteral("portal-out.png")), 64, 40, QColor(31, 157, 85));
}

void tst_Portal::init()
{
    // Its own connection, so the portal is another bus name than the program, as in real life.
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portal"));
    m_portal = std::make_unique<FakePortal>(bus);
    m_portal->picture = m_picture;
    QVERIFY(bus.registerObject(objectPath, m_portal.get(), QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(bus.registerService(serviceName));
}

void tst_Portal::cleanup()
{
    QDBusConnection bus(QStringLiteral("portal"));
    bus.unregisterService(serviceName);
    bus.unregisterObject(objectPath);
    m_portal.reset();
    for (const QString &name : pngsInTemp())
        QFile::remove(m_tmp.filePath(name));
}

void tst_Portal::requestPath_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("path");

    QTest::newRow("unique name") << ":1.42" << "tarvello7" << "/org/freedesktop/portal/desktop/request/1_42/tarvello7";
    QTest::newRow("longer") << ":12.345" << "t" << "/org/freedesktop/portal/desktop/request/12_345/t";
}

void tst_Portal::requestPath()
{
    QFETCH(QString, sender);
    QFETCH(QString, token);
    QFETCH(QString, path);
    QCOMPARE(tarvello::portalRequestPath(sender, token), path);
}

void tst_Portal::answers_data()
{
    QTest::addColumn<bool>("portal");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<Outcome>("outcome");

    QTest::newRow("picture") << true << 0u << "" << Outcome::Taken;
    QTest::newRow("cancelled") << true << 1u << "" << Outcome::Cancelled;
    QTest::newRow("refused") << true << 2u << "" << Outcome::Failed;
    QTest::newRow("no portal") << false << 0u << "" << Outcome::NoPortal;
    QTest::newRow("another program answers first") << true << 1u << "impostor" << Outcome::Cancelled;
    QTest::newRow("never answers") << true << 0u << "silent" << Outcome::TimedOut;
}

void tst_Portal::answers()
{
    QFETCH(bool, portal);
    QFETCH(uint, code);
    QFETCH(QString, trouble);
    QFETCH(Outcome, outcome);
    if (!portal)
        QDBusConnection(QStringLiteral("portal")).unregisterService(serviceName);
    m_portal->code = code;
    m_portal->silent = trouble == QLatin1String("silent");
    if (trouble == QLatin1String("impostor"))
        m_portal->impostor = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("impostor"));

    tarvello::PortalScreenshot shot(QDBusConnection::sessionBus());
    shot.setTimeout(300);
    QSignalSpy finished(&shot, &tarvello::PortalScreenshot::finished);
    shot.request(QStringLiteral("x11:2a"));
    QVERIFY(finished.isEmpty()); // never from inside the call
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), outcome);
    QCOMPARE(finished.at(0).at(1).toString(), outcome == Outcome::Taken ? m_picture : QString());
    QCOMPARE(m_portal->calls, portal ? 1 : 0);
    if (portal) {
        QCOMPARE(m_portal->parent, QStringLiteral("x11:2a"));
        QCOMPARE(m_portal->options.value(QStringLiteral("interactive")), QVariant(false));
        QVERIFY(!m_portal->options.value(QStringLiteral("handle_token")).toString().isEmpty());
    }
    // Whatever was already under way is delivered; none of it is a second answer.
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 1);
}

void tst_Portal::window_data()
{
    QTest::addColumn<bool>("portal");
    QTest::addColumn<uint>("code");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("notice");

    QTest::newRow("picture") << true << 0u << true << QString();
    QTest::newRow("cancelled") << true << 1u << false << QString();
    QTest::newRow("refused") << true << 2u << false << "The desktop could not take the screenshot.";
    QTest::newRow("no portal") << false << 0u << false << "No screenshot: the desktop offers no screenshot portal.";
}

void tst_Portal::window()
{
    QFETCH(bool, portal);
    QFETCH(uint, code);
    QFETCH(bool, added);
    QFETCH(QString, notice);
    if (!portal)
        QDBusConnection(QStringLiteral("portal")).unregisterService(serviceName);
    m_portal->code = code;

    mw window;
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    const QPixmap banner = window.findChild<QLabel *>(QStringLiteral("label"))->pixmap();
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    window.findChild<QPushButton *>(QStringLiteral("screens"))->click();
    const qint64 after = QDateTime::currentMSecsSinceEpoch();
    // The name is taken at the press, whenever the picture comes.
    QCOMPARE(pngsInTemp().size(), 1);
    const qint64 stamp = QFileInfo(pngsInTemp().at(0)).completeBaseName().toLongLong();
    QVERIFY(stamp >= before && stamp <= after + 10);

    auto *request = window.findChild<tarvello::PortalScreenshot *>();
    QVERIFY(request);
    window.screens(); // a second press while the first is under way is not a second screenshot
    const QString busy = window.lastNotice();
    QVERIFY2(busy.contains(QLatin1String("under way")), qPrintable(busy));
    QCOMPARE(pngsInTemp().size(), 1);
    QSignalSpy finished(request, &tarvello::PortalScreenshot::finished);
    QVERIFY(finished.wait(5000));

    if (added) {
        QTRY_COMPARE_WITH_TIMEOUT(window.entries().size(), 1, 5000);
        const imgobj &entry = window.entries().at(0);
        QVERIFY(entry.temp);
        QCOMPARE(QFileInfo(entry.file).completeBaseName().toLongLong(), stamp);
        const QImage saved(entry.file);
        QCOMPARE(saved.size(), QSize(64, 40));
        QCOMPARE(saved.pixelColor(10, 10), QColor(31, 157, 85));
        QVERIFY(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().cacheKey() != banner.cacheKey());
    } else {
        QCOMPARE(window.entries().size(), 0);
        QVERIFY(pngsInTemp().isEmpty()); // the name taken at the press is given back
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().cacheKey(), banner.cacheKey());
    }
    QCOMPARE(window.lastNotice(), notice.isEmpty() ? busy : notice);
    QCOMPARE(m_portal->calls, portal ? 1 : 0);
    QVERIFY(sent.isEmpty());
    QVERIFY(QFile::exists(m_picture)); // the portal's file is the portal's
}

void tst_Portal::abilities_data()
{
    QTest::addColumn<bool>("portal");
    QTest::addColumn<uint>("version");
    QTest::addColumn<uint>("targets");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("interactive");
    QTest::addColumn<bool>("windowPick");

    QTest::newRow("no portal") << false << 2u << 0u << "GNOME" << false << false;
    QTest::newRow("version 1: no dialog") << true << 1u << 0u << "GNOME" << false << false;
    QTest::newRow("version 2 on GNOME") << true << 2u << 0u << "GNOME" << true << true;
    QTest::newRow("version 2 on sway: regions only") << true << 2u << 0u << "sway:wlroots" << true << false;
    QTest::newRow("version 3 without windows") << true << 3u << 5u << "KDE" << true << false;
    QTest::newRow("version 3 with windows") << true << 3u << 7u << "sway" << true << true;
}

void tst_Portal::abilities()
{
    QFETCH(bool, portal);
    QFETCH(uint, version);
    QFETCH(uint, targets);
    QFETCH(QString, desktop);
    QFETCH(bool, interactive);
    QFETCH(bool, windowPick);
    if (!portal)
        QDBusConnection(QStringLiteral("portal")).unregisterService(serviceName);
    m_portal->version = version;
    m_portal->targets = targets;

    tarvello::PortalScreenshot probe(QDBusConnection::sessionBus());
    QSignalSpy probed(&probe, &tarvello::PortalScreenshot::probed);
    probe.probe();
    QVERIFY(probed.isEmpty());
    QVERIFY(probed.wait(5000));
    const auto abilities = probed.at(0).at(0).value<tarvello::PortalAbilities>();
    QCOMPARE(abilities.reachable, portal);
    QCOMPARE(abilities.interactive(), interactive);
    QCOMPARE(abilities.windowPick(desktop), windowPick);
}

void tst_Portal::interactive()
{
    tarvello::PortalScreenshot shot(QDBusConnection::sessionBus());
    QSignalSpy finished(&shot, &tarvello::PortalScreenshot::finished);
    shot.requestInteractive(QString(), tarvello::PortalAbilities::Window);
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), Outcome::Taken);
    QCOMPARE(m_portal->options.value(QStringLiteral("interactive")), QVariant(true));
    QCOMPARE(m_portal->options.value(QStringLiteral("target")), QVariant(2u));
}

void tst_Portal::windowPick_data()
{
    QTest::addColumn<uint>("version");
    QTest::addColumn<uint>("targets");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("offered");

    QTest::newRow("GNOME's dialog") << 2u << 0u << "GNOME" << true;
    QTest::newRow("sway: regions only") << 2u << 0u << "sway" << false;
    QTest::newRow("a portal that lists windows") << 3u << 7u << "sway" << true;
}

void tst_Portal::windowPick()
{
    QFETCH(uint, version);
    QFETCH(uint, targets);
    QFETCH(QString, desktop);
    QFETCH(bool, offered);
    m_portal->version = version;
    m_portal->targets = targets;
    qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());

    // The window asks the portal once, as it starts, whether its dialog picks windows.
    mw window;
    QSignalSpy answered(window.screenshooter(), &tarvello::Screenshooter::supportChanged);
    QVERIFY(answered.wait(5000));
    QCOMPARE(window.screenshooter()->supports(tarvello::CaptureMode::Window), offered);
    const auto start = window.capture({tarvello::CaptureMode::Window, 0});
    if (!offered) {
        QCOMPARE(start, tarvello::Screenshooter::Start::Unsupported);
        QCOMPARE(m_portal->calls, 0);
        return;
    }
    QCOMPARE(start, tarvello::Screenshooter::Start::Started);
    QTRY_COMPARE(window.entries().size(), 1);
    QCOMPARE(m_portal->options.value(QStringLiteral("interactive")), QVariant(true));
    QCOMPARE(m_portal->options.value(QStringLiteral("target")), QVariant(2u));
    QCOMPARE(QImage(window.entries().at(0).file).size(), QSize(64, 40));
}

QTEST_MAIN(tst_Portal)
#include "tst_portal.moc"
