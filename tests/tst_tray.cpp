// The tray icon against a tray of its own: CTest runs this under Xvfb on a private session bus
// where the test is the desktop's StatusNotifierWatcher, the service through which Qt shows tray
// icons on Linux desktops (the offscreen platform has no tray at all). The option is offered only where a tray exists; with it on, the icon shows the
// countdown in its tooltip, and closing the window asks once whether to keep running there.

#include <QAction>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>


#include "base/preferences.h"
#include "gui/captureactions.h"
#include "gui/mw.h"
#include "gui/trayicon.h"
#include "testutil.h"

namespace {

// What a panel's tray host registers: it takes the icons' names and says a host is there.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)

public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items;

public slots:
    void RegisterStatusNotifierItem(const QString &service)
    {
        items.append(service);
        emit registered(service);
    }
    void RegisterStatusNotifierHost(const QString &) {}

signals:
    void registered(const QString &service);
};

// The tooltip's title as the icon publishes it: (icon name, icon pixmaps, title, text). The icon
// answers from this thread, so the question waits in the event loop.
QString toolTipOf(const QString &item)
{
    const QStringList parts = item.split(QLatin1Char('/'));
    QDBusMessage get = QDBusMessage::createMethodCall(parts.first(), QStringLiteral("/StatusNotifierItem"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("ToolTip");
    QDBusPendingCallWatcher call(QDBusConnection::sessionBus().asyncCall(get));
    QSignalSpy answered(&call, &QDBusPendingCallWatcher::finished);
    if (!answered.wait(5000) || call.isError())
        return QString();
    const QDBusArgument tip = call.reply().arguments().at(0).value<QDBusVariant>().variant().value<QDBusArgument>();
    QString icon, title, text;
    tip.beginStructure();
    tip >> icon;
    tip.beginArray();
    while (!tip.atEnd()) {
        tip.beginStructure();
        int w, h;
        QByteArray bytes;
        tip >> w >> h >> bytes;
        tip.endStructure();
    }
    tip.endArray();
    tip >> title >> text;
    tip.endStructure();
    return title;
}

} // namespace

class tst_Tray : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    // First: Qt announces a process's tray connection to the watcher once, with its first icon.
    void countdownInToolTip();
    void offeredAndOff();
    void closing_data();
    void closing();

private:
    QTemporaryDir m_config;
    // Qt asks the tray with blocking calls: it answers from a thread of its own.
    QThread m_trayThread;
    FakeWatcher *m_watcher = nullptr;
};

void tst_Tray::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    // Before Qt first asks whether there is a tray: it asks once.
    m_watcher = new FakeWatcher;
    m_watcher->moveToThread(&m_trayThread);
    connect(&m_trayThread, &QThread::finished, m_watcher, &QObject::deleteLater);
    m_trayThread.start();
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("tray"));
    QVERIFY(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), m_watcher,
                               QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());
}

void tst_Tray::cleanupTestCase()
{
    m_trayThread.quit();
    m_trayThread.wait();
}

void tst_Tray::offeredAndOff()
{
    mw window;
    QAction *option = window.captureActions()->trayAction();
    QVERIFY(option->isVisible());
    QVERIFY(!option->isChecked());
    QVERIFY(!window.trayIcon());
    option->setChecked(true);
    QVERIFY(window.trayIcon());
    QStringList entries;
    for (const QAction *action : window.trayIcon()->menu()->actions()) {
        if (action->isVisible() && !action->isSeparator())
            entries.append(action->text());
    }
    // X11 lists its windows, so Window… is there too.
    QCOMPARE(entries, (QStringList{"Whole Screen", "Region…", "Window…", "Show Window", "Quit"}));
    option->setChecked(false);
    QVERIFY(!window.trayIcon());
    // A window that keeps nothing between runs wrote nothing.
    QVERIFY(!QFile::exists(m_config.filePath(QStringLiteral("tarvello/tarvello.conf"))));
}

void tst_Tray::countdownInToolTip()
{
    mw window;
    window.show();
    QSignalSpy registered(m_watcher, &FakeWatcher::registered);
    window.captureActions()->trayAction()->setChecked(true);
    QTRY_VERIFY(!registered.isEmpty());
    const QString item = registered.constLast().constFirst().toString();
    QTRY_COMPARE(toolTipOf(item), QStringLiteral("Tarvello uploader"));
    QCOMPARE(window.capture({tarvello::CaptureMode::Whole, 3}), tarvello::Screenshooter::Start::Started);
    QTRY_COMPARE(toolTipOf(item), QStringLiteral("Capture in 3 seconds"));
    window.screenshooter()->cancel();
    QTRY_COMPARE(toolTipOf(item), QStringLiteral("Tarvello uploader"));
    QVERIFY(window.entries().isEmpty());
}

void tst_Tray::closing_data()
{
    QTest::addColumn<bool>("keep");
    QTest::newRow("keep running") << true;
    QTest::newRow("quit") << false;
}

void tst_Tray::closing()
{
    QFETCH(bool, keep);
    QFile::remove(m_config.filePath(QStringLiteral("tarvello/tarvello.conf")));
    mw window;
    window.rememberDesktopState(); // this one keeps the answer
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.captureActions()->trayAction()->setChecked(true);
    bool closed = false;
    {
        const testutil::ModalAnswer answer([keep](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == (keep ? QStringLiteral("Keep Running") : QStringLiteral("Quit")))
                    button->click();
            }
        });
        closed = window.close();
    }
    QCOMPARE(window.isVisible(), false);
    QCOMPARE(closed, !keep);
    const tarvello::TrayPreferences kept = tarvello::readTrayPreferences();
    QVERIFY(kept.icon);
    QCOMPARE(kept.closing, keep ? tarvello::TrayPreferences::Closing::KeepRunning : tarvello::TrayPreferences::Closing::Quit);
    if (!keep)
        return;
    // Asked once: the next close goes to the tray without a question, the tray brings it back.
    window.trayIcon()->showRequested();
    QVERIFY(window.isVisible());
    {
        const testutil::ModalAnswer none([](QWidget *modal) { modal->close(); }, testutil::ModalAnswer::NotExpected);
        closed = window.close();
    }
    QVERIFY(!window.isVisible());
    QVERIFY(!closed);
}

QTEST_MAIN(tst_Tray)
#include "tst_tray.moc"
