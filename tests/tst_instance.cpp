// One program for every key, on a private session bus (CTest runs this under dbus-run-session):
// a second process hands the first a screenshot or files, the first refuses what it cannot do,
// nobody answers when none runs, and another user's process never gets through.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <unistd.h>

#include "base/instance.h"

using namespace tarvello;
using Outcome = InstanceAnswer::Outcome;
Q_DECLARE_METATYPE(InstanceRefusal)
Q_DECLARE_METATYPE(Outcome)

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class tst_Instance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void commands_data();
    void commands();
    void noneRunning();
    void refusedRequests();
    void oneProgramPerBus();
    void otherUser();

private:
    // The helper as a second process, with the bus and the user given.
    Run run(const QStringList &arguments, const QString &busAddress = QString(), bool asNobody = false);
    // A client call from another thread, since this one must answer it.
    InstanceAnswer ask(const std::function<InstanceAnswer()> &call);

    QTemporaryDir m_dir;
    std::unique_ptr<InstanceService> m_service;
    InstanceRefusal m_refusal = InstanceRefusal::None;
    QStringList m_asked; // what the program was asked, in words of the test
};

void tst_Instance::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    for (const QString &name : {QStringLiteral("a.png"), QStringLiteral("sub/b.png")})
        QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
}

void tst_Instance::init()
{
    m_refusal = InstanceRefusal::None;
    m_asked.clear();
    m_service = std::make_unique<InstanceService>();
    m_service->setCaptureHandler([this](const CaptureRequest &request) {
        m_asked.append(captureModeName(request.mode) + QLatin1Char(' ') + QString::number(request.delaySeconds));
        return m_refusal;
    });
    m_service->setAddHandler([this](const QStringList &paths) {
        m_asked.append(QStringLiteral("add ") + paths.join(QLatin1Char(' ')));
        return m_refusal;
    });
    QCOMPARE(m_service->registerOn(QDBusConnection::sessionBus()), InstanceService::Registration::Registered);
}

void tst_Instance::cleanup()
{
    m_service.reset();
}

Run tst_Instance::run(const QStringList &arguments, const QString &busAddress, bool asNobody)
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!busAddress.isEmpty())
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    process.setProcessEnvironment(environment);
    QStringList command{QStringLiteral(INSTANCE_HELPER)};
    if (asNobody) {
        command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                              QStringLiteral("--clear-groups")} + command;
    }
    // The program answers from this event loop, so wait in it.
    QSignalSpy finished(&process, &QProcess::finished);
    const QString program = command.takeFirst();
    process.start(program, command + arguments);
    Run result;
    if (!process.waitForStarted(5000) || !finished.wait(15000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

InstanceAnswer tst_Instance::ask(const std::function<InstanceAnswer()> &call)
{
    InstanceAnswer answer;
    std::unique_ptr<QThread> thread(QThread::create([&answer, call] { answer = call(); }));
    thread->start();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(thread->isFinished(), 10000); }();
    thread->wait();
    return answer;
}

void tst_Instance::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<InstanceRefusal>("refusal"); // what the program answers
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");            // on standard error
    QTest::addColumn<QString>("asked");           // what the program was asked; $DIR is the caller's folder

    const InstanceRefusal yes = InstanceRefusal::None;
    QTest::newRow("whole screen") << QStringList{"--screenshot"} << yes << 0 << "" << "whole 0";
    QTest::newRow("region after 3 s") << QStringList{"--screenshot", "--region", "--delay", "3"} << yes << 0 << "" << "region 3";
    QTest::newRow("busy") << QStringList{"--screenshot", "--window"} << InstanceRefusal::Busy << 1 << "busy with another capture"
                          << "window 0";
    QTest::newRow("not on this desktop") << QStringList{"--screenshot", "--window"} << InstanceRefusal::Unsupported << 1
                                         << "cannot do that on this desktop" << "window 0";
    QTest::newRow("files, made absolute") << QStringList{"--add", "a.png", "sub/b.png"} << yes << 0 << ""
                                          << "add $DIR/a.png $DIR/sub/b.png";
    QTest::newRow("a missing file: nothing sent") << QStringList{"--add", "a.png", "gone.png"} << yes << 2
                                                  << "gone.png does not exist" << "";
}

void tst_Instance::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(InstanceRefusal, refusal);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(QString, asked);

    m_refusal = refusal;
    const Run result = run(arguments);
    QVERIFY2(result.status == status, qPrintable(result.err + result.out));
    QVERIFY2(said.isEmpty() ? result.err.isEmpty() : result.err.contains(said), qPrintable(result.err));
    asked.replace(QStringLiteral("$DIR"), m_dir.path());
    QCOMPARE(m_asked, asked.isEmpty() ? QStringList() : QStringList{asked});
}

void tst_Instance::noneRunning()
{
    m_service.reset();
    for (const QStringList &arguments : {QStringList{"--screenshot", "--region"}, QStringList{"--add", "a.png"}}) {
        const Run result = run(arguments);
        QVERIFY2(result.status == 3, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("none running\n"));
    }
    // And the name is free for the program the caller starts.
    InstanceService started;
    QCOMPARE(started.registerOn(QDBusConnection::sessionBus()), InstanceService::Registration::Registered);
    const Run result = run({QStringLiteral("--screenshot")});
    QCOMPARE(result.status, 1); // reached, and it has no handler yet
    QVERIFY(result.err.contains(QLatin1String("cannot do that")));
}

void tst_Instance::refusedRequests()
{
    // What the command line would never send, from a client of its own.
    const QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    const InstanceClient client(bus);
    for (const InstanceAnswer &answer : {ask([&] { return client.add({QStringLiteral("a.png")}); }),
                                         ask([&] { return client.capture({CaptureMode::Region, maxCaptureDelay + 1}); })}) {
        QCOMPARE(answer.outcome, Outcome::Refused);
        QCOMPARE(answer.refusal, InstanceRefusal::BadRequest);
    }
    QVERIFY(m_asked.isEmpty());
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
}

void tst_Instance::oneProgramPerBus()
{
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("second"));
    {
        InstanceService second;
        QCOMPARE(second.registerOn(other), InstanceService::Registration::Taken);
        m_service.reset(); // the first one closes
        QCOMPARE(second.registerOn(other), InstanceService::Registration::Registered);
    }
    // Given back with its object.
    QCOMPARE(InstanceService().registerOn(QDBusConnection::sessionBus()), InstanceService::Registration::Registered);
    QDBusConnection::disconnectFromBus(QStringLiteral("second"));
}

void tst_Instance::otherUser()
{
    // A session bus lets in only its own user, so another user's process finds no program at all;
    // a bus set up to let everyone in must not get them the program either.
    if (::getuid() != 0)
        QSKIP("needs root to run the other user's process");
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=" TARVELLO_TEST_DATA "/open-bus.conf"),
                                                 QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY(daemon.waitForReadyRead(5000));
    const QString address = QString::fromLatin1(daemon.readLine()).trimmed();
    InstanceService onOpenBus;
    onOpenBus.setCaptureHandler([this](const CaptureRequest &) {
        m_asked.append(QStringLiteral("reached"));
        return InstanceRefusal::None;
    });
    QCOMPARE(onOpenBus.registerOn(QDBusConnection::connectToBus(address, QStringLiteral("open"))),
             InstanceService::Registration::Registered);

    const Run result = run({QStringLiteral("--screenshot")}, address, true);
    QVERIFY2(result.status == 1 && result.err.contains(QLatin1String("belongs to another user")), qPrintable(result.err));
    QVERIFY(m_asked.isEmpty());
    const Run mine = run({QStringLiteral("--screenshot")}, address); // and the check lets the user in
    QCOMPARE(mine.status, 0);
    QCOMPARE(m_asked, QStringList{QStringLiteral("reached")});
    QDBusConnection::disconnectFromBus(QStringLiteral("open"));
}

QTEST_GUILESS_MAIN(tst_Instance)
#include "tst_instance.moc"
