// Desktop notifications against a notification service of our own on a private session bus
// (CTest runs this under dbus-run-session): the call, replacing our last one, a click on ours
// and on others', and no service at all.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

#include <utility>

#include "base/notifications.h"
#include "fakenotifications.h"

using namespace testutil;

class tst_Notifications : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void notify();
    void replacesOurs();
    void clicks_data();
    void clicks();
    void noService();

private:
    std::unique_ptr<FakeNotifications> m_daemon;
};

void tst_Notifications::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
}

void tst_Notifications::init()
{
    // A connection of its own: the daemon is another bus name than the program, as in real life.
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("daemon"));
    m_daemon = std::make_unique<FakeNotifications>();
    QVERIFY(bus.registerObject(objectPath, m_daemon.get(), QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(serviceName));
}

void tst_Notifications::cleanup()
{
    QDBusConnection bus(QStringLiteral("daemon"));
    bus.unregisterService(serviceName);
    bus.unregisterObject(objectPath);
    m_daemon.reset();
}

void tst_Notifications::notify()
{
    tarvello::DesktopNotifier notifier(QDBusConnection::sessionBus());
    m_daemon->silent = true; // a daemon that never answers keeps nobody waiting
    notifier.show(QStringLiteral("Uploads done"), QStringLiteral("3 uploaded."), QStringLiteral("Show"));
    QVERIFY(m_daemon->shown.isEmpty()); // the call went out; this thread did not wait for it
    QTRY_COMPARE(m_daemon->shown.size(), 1);
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("org.tarvello.Uploader")}};
    QCOMPARE(m_daemon->shown.at(0), (QVariantList{"Tarvello", 0u, "org.tarvello.Uploader", "Uploads done", "3 uploaded.",
                                                  QStringList{"default", "Show"}, hints, -1}));
}

void tst_Notifications::replacesOurs()
{
    tarvello::DesktopNotifier notifier(QDBusConnection::sessionBus());
    notifier.show(QStringLiteral("one"), QString(), QString());
    // Asked again before the first answer came: it must still replace the first.
    notifier.show(QStringLiteral("two"), QString(), QString());
    notifier.show(QStringLiteral("three"), QString(), QString());
    QTRY_COMPARE(m_daemon->shown.size(), 2);
    QTRY_COMPARE(notifier.currentId(), 41u);
    QCOMPARE(m_daemon->shown.at(1).at(3).toString(), QStringLiteral("three")); // the latest words only
    QCOMPARE(m_daemon->shown.at(1).at(1).toUInt(), 41u);

    notifier.withdraw();
    QTRY_COMPARE(m_daemon->closed, QList<uint>{41u});
    notifier.show(QStringLiteral("four"), QString(), QString());
    QTRY_COMPARE(m_daemon->shown.size(), 3);
    QCOMPARE(m_daemon->shown.at(2).at(1).toUInt(), 0u);

    // Withdrawn while the answer is on its way: the one it names goes too, and is not replaced.
    QTRY_VERIFY(notifier.currentId() != 0);
    m_daemon->holding = true;
    notifier.show(QStringLiteral("five"), QString(), QString());
    QTRY_COMPARE(m_daemon->held.size(), 1);
    notifier.withdraw();
    m_daemon->release();
    QTRY_COMPARE(m_daemon->closed.size(), 3);
    QCOMPARE(m_daemon->closed.at(2), m_daemon->shown.at(3).at(1).toUInt());
    m_daemon->holding = false;
    notifier.show(QStringLiteral("six"), QString(), QString());
    QTRY_COMPARE(m_daemon->shown.size(), 5);
    QCOMPARE(m_daemon->shown.at(4).at(1).toUInt(), 0u);
}

void tst_Notifications::clicks_data()
{
    QTest::addColumn<QString>("before"); // what the daemon sends first
    QTest::addColumn<uint>("id");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("raises");

    QTest::newRow("ours") << "" << 41u << "default" << "" << true;
    QTest::newRow("ours, with a token") << "token" << 41u << "default" << "xdg-token-7" << true;
    QTest::newRow("another program's") << "" << 99u << "default" << "" << false;
    QTest::newRow("another action") << "" << 41u << "reply" << "" << false;
    QTest::newRow("after it closed") << "closed" << 41u << "default" << "" << false;
}

void tst_Notifications::clicks()
{
    QFETCH(QString, before);
    QFETCH(uint, id);
    QFETCH(QString, action);
    QFETCH(QString, token);
    QFETCH(bool, raises);

    tarvello::DesktopNotifier notifier(QDBusConnection::sessionBus());
    QSignalSpy activated(&notifier, &tarvello::DesktopNotifier::activated);
    notifier.show(QStringLiteral("Uploads done"), QString(), QString());
    QTRY_COMPARE(notifier.currentId(), 41u);
    if (before == QLatin1String("token"))
        emitSignal(QStringLiteral("ActivationToken"), {41u, token});
    if (before == QLatin1String("closed"))
        emitSignal(QStringLiteral("NotificationClosed"), {41u, 2u});
    emitSignal(QStringLiteral("ActionInvoked"), {id, action});
    if (raises) {
        QVERIFY(activated.wait(5000));
        QCOMPARE(activated.at(0).at(0).toString(), token);
        return;
    }
    // Signals from one sender arrive in order: once a click on another notification of ours
    // has come through, the one before it has been handled.
    QTRY_COMPARE(notifier.currentId(), before == QLatin1String("closed") ? 0u : 41u);
    notifier.show(QStringLiteral("again"), QString(), QString());
    QTRY_VERIFY(notifier.currentId() != 0);
    emitSignal(QStringLiteral("ActionInvoked"), {notifier.currentId(), QStringLiteral("default")});
    QVERIFY(activated.wait(5000));
    QCOMPARE(activated.size(), 1);
}

void tst_Notifications::noService()
{
    QDBusConnection(QStringLiteral("daemon")).unregisterService(serviceName);
    tarvello::DesktopNotifier notifier(QDBusConnection::sessionBus());
    QSignalSpy activated(&notifier, &tarvello::DesktopNotifier::activated);
    notifier.show(QStringLiteral("lost"), QString(), QString());
    // The refusal must not leave it waiting for an answer: once a daemon is there, it works.
    QVERIFY(QDBusConnection(QStringLiteral("daemon")).registerService(serviceName));
    QTRY_VERIFY_WITH_TIMEOUT([&] {
        notifier.show(QStringLiteral("found"), QString(), QString());
        return !m_daemon->shown.isEmpty();
    }(), 5000);
    QCOMPARE(m_daemon->shown.at(0).at(3).toString(), QStringLiteral("found"));
    QCOMPARE(m_daemon->shown.at(0).at(1).toUInt(), 0u);

    tarvello::DesktopNotifier offline(QDBusConnection(QStringLiteral("no such bus")));
    offline.show(QStringLiteral("nowhere"), QString(), QString());
    QCOMPARE(offline.currentId(), 0u);
}

QTEST_GUILESS_MAIN(tst_Notifications)
#include "tst_notifications.moc"
