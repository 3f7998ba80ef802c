// Uploads kept in the history as the queue hands them back, from the queue itself, the window
// and the real program; the window's links on the clipboard and its word when a batch ends out
// of sight, against a notification service of the test's own (CTest runs this under
// dbus-run-session).

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "base/history.h"
#include "base/notifications.h"
#include "base/sxcu.h"
#include "base/tempfile.h"
#include "fakenotifications.h"
#include "gui/historymodel.h"
#include "gui/historyrecorder.h"
#include "gui/historytexts.h"
#include "gui/historywindow.h"
#include "gui/mw.h"
#include "capture.h"
#include "testutil.h"

using namespace tarvello;

class tst_HistoryRecording : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recorded_data();
    void recorded();
    void window_data();
    void window();
    void commandLine_data();
    void commandLine();

private:
    QTemporaryDir m_dir;
    QString m_image;
    CaptureServer m_server;
};

void tst_HistoryRecording::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
    m_image = testutil::writeImage(m_dir.filePath(QStringLiteral("shot.png")), 8, 6, Qt::green);
    QVERIFY(m_server.listen());
    qputenv("TARVELLO_HOST", m_server.hostPort().toLatin1());
}

void tst_HistoryRecording::recorded_data()
{
    QTest::addColumn<QByteArray>("sxcu"); // empty for the built-in host
    QTest::addColumn<QByteArray>("answer"); // empty: the upload is removed while on the wire
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QStringList>("links"); // link, thumbnail, deletion
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("destination");

    const QString builtIn = QStringLiteral("Built-in host (%1)").arg(m_server.hostPort());
    QTest::newRow("a link") << QByteArray() << QByteArray("http://h/a") << false
                            << QStringList{"http://h/a", "", ""} << "" << builtIn;
    QTest::newRow("a pasted picture keeps no path") << QByteArray() << QByteArray("http://h/p") << true
                                                    << QStringList{"http://h/p", "", ""} << "" << builtIn;
    QTest::newRow("a failure in the row's words") << QByteArray() << QByteArray("Server on fire\nline two") << false
                                                  << QStringList{"", "", ""} << "Server on fire" << builtIn;
    QTest::newRow("a destination's thumbnail and deletion links")
            << QByteArray(R"({"Name": "J", "RequestURL": "http://HOST/u", "Body": "MultipartFormData",
                 "FileFormName": "f", "Headers": {"Authorization": "Bearer s3cret"}, "URL": "{json:url}",
                 "ThumbnailURL": "{json:thumb}", "DeletionURL": "{json:delete}"})")
            << QByteArray(R"({"url": "https://i.test/a.png", "thumb": "https://i.test/t.png", "delete": "https://i.test/d/1"})")
            << false << QStringList{"https://i.test/a.png", "https://i.test/t.png", "https://i.test/d/1"} << ""
            << "J";
    QTest::newRow("removed on the wire: nothing") << QByteArray() << QByteArray() << false << QStringList() << ""
                                                  << "";
}

void tst_HistoryRecording::recorded()
{
    QFETCH(QByteArray, sxcu);
    QFETCH(QByteArray, answer);
    QFETCH(bool, pasted);
    QFETCH(QStringList, links);
    QFETCH(QString, failure);
    QFETCH(QString, destination);

    m_server.requests.clear();
    m_server.setAutoResponse(answer.isEmpty() ? QByteArray() : CaptureServer::httpResponse(answer));
    Target target;
    if (!sxcu.isEmpty())
        target.destination = *readSxcu(sxcu.replace("HOST", m_server.hostPort().toLatin1())).destination;
    QVector<imgobj> entries;
    QNetworkAccessManager manager;
    UploadQueue queue(entries, &manager);
    HistoryStore store(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".sqlite")));
    HistoryRecorder recorder(&queue, &store);
    QSignalSpy handled(&queue, &UploadQueue::handled);
    const int row = pasted ? queue.addPicture(QImage(m_image), ReservedPng::create(), target)
                           : queue.add(m_image, false, target, QStringLiteral("beach"));
    if (answer.isEmpty()) {
        QTRY_COMPARE(m_server.requests.size(), 1);
        queue.remove({row});
    }
    if (handled.isEmpty())
        QVERIFY(handled.wait(5000));
    QTRY_VERIFY(store.isIdle());

    const QList<HistoryRecord> records = store.read(QString());
    QCOMPARE(records.size(), links.isEmpty() ? 0 : 1);
    if (links.isEmpty())
        return;
    const HistoryRecord &record = records.first();
    QCOMPARE((QStringList{record.link, record.thumbnailLink, record.deletionLink}), links);
    QVERIFY2(failure.isEmpty() ? record.failure.isEmpty() : record.failure.contains(failure), qPrintable(record.failure));
    QCOMPARE(record.destination, destination);
    QCOMPARE(record.fileName, QFileInfo(pasted ? entries.at(row).file : m_image).fileName());
    QCOMPARE(record.filePath, pasted ? QString() : m_image);
    QCOMPARE(record.description, pasted ? QString() : QStringLiteral("beach"));
    QCOMPARE(record.imageSize, QSize(8, 6));
    QCOMPARE(record.fileSize, QFileInfo(entries.at(row).file).size());
    QVERIFY(!store.thumbnail(record.id).isEmpty());
}

void tst_HistoryRecording::window_data()
{
    QTest::addColumn<bool>("broken"); // the history cannot be opened
    QTest::addColumn<bool>("copy");   // new links go to the clipboard

    QTest::newRow("history, links copied") << false << true;
    QTest::newRow("no history, links left alone") << true << false;
}

void tst_HistoryRecording::window()
{
    QFETCH(bool, broken);
    QFETCH(bool, copy);

    QDBusConnection daemonBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("daemon"));
    testutil::FakeNotifications daemon;
    QVERIFY(daemonBus.registerObject(testutil::objectPath, &daemon, QDBusConnection::ExportAllSlots));
    QVERIFY(daemonBus.registerService(testutil::serviceName));
    const auto unregister = qScopeGuard([&daemonBus] {
        daemonBus.unregisterService(testutil::serviceName);
        daemonBus.unregisterObject(testutil::objectPath);
    });
    m_server.requests.clear();
    m_server.setAutoResponse(CaptureServer::httpResponse("http://h/a"));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));

    // A folder where the file should be makes the history unusable; uploads go on regardless.
    const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(broken ? QFile(folder).open(QIODevice::WriteOnly) : QDir().mkpath(folder));
    HistoryStore store(folder + QStringLiteral("/history.sqlite"));
    mw window;
    window.setHistory(&store);
    window.findChild<QAction *>(QStringLiteral("copyLinksAction"))->setChecked(copy);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    if (broken)
        QTRY_COMPARE(window.lastNotice(), historyFaultText(HistoryFault::CannotOpen, store.path(), QString()));

    // In front: the link on the clipboard and no word from the desktop.
    window.addObj(m_image);
    testutil::queueOf(&window)->describe(0, QStringLiteral("beach"));
    window.upload(QString(), 0);
    QTRY_COMPARE(window.entries().at(0).state, EntryState::Handled);
    QCOMPARE(clipboard->text(), copy ? QStringLiteral("http://h/a") : QStringLiteral("before"));
    if (copy)
        QCOMPARE(window.lastNotice(), QStringLiteral("Link copied"));

    // The row's menu copies it in other forms too.
    auto *table = window.findChild<QTableWidget *>();
    emit table->customContextMenuRequested(table->visualRect(table->model()->index(0, 0)).center());
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    for (QAction *format : menu->findChild<QMenu *>()->actions()) {
        if (format->text() == QLatin1String("Markdown image"))
            format->trigger();
    }
    menu->close();
    QCOMPARE(clipboard->text(), QStringLiteral("![beach](http://h/a)"));
    clipboard->setText(QStringLiteral("before"));

    // Out of sight, behind another program: the batch's links, one a line, and a word that
    // brings the window back.
    {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    window.addObj(m_image);
    window.addObj(m_image);
    window.uploadall();
    QTRY_COMPARE(daemon.shown.size(), 1);
    QCOMPARE(window.entries().at(2).state, EntryState::Handled);
    QCOMPARE(daemon.shown.at(0).at(4).toString(), copy ? QStringLiteral("2 uploaded. The links are on the clipboard.")
                                                       : QStringLiteral("2 uploaded."));
    QCOMPARE(clipboard->text(), copy ? QStringLiteral("http://h/a\nhttp://h/a") : QStringLiteral("before"));
    QTRY_COMPARE(window.findChild<DesktopNotifier *>()->currentId(), 41u);
    testutil::emitSignal(QStringLiteral("ActionInvoked"), {41u, QStringLiteral("default")});
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QTRY_COMPARE(daemon.closed, QList<uint>{41u}); // back in front, the word is taken away
    QCOMPARE(window.entries().size(), 3);

    // Ctrl+H; the oldest upload sent again, with its description, through the queue.
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    auto *history = window.findChild<HistoryWindow *>();
    QVERIFY(history && history->isVisible());
    QTRY_VERIFY(store.isIdle());
    if (broken) {
        QVERIFY(history->statusText().contains(store.path()));
        return;
    }
    history->model()->reload();
    QCOMPARE(history->model()->rowCount(), 3);
    history->findChild<QTableView *>()->selectRow(2);
    history->findChild<QAction *>(QStringLiteral("historyUploadAgain"))->trigger();
    QCOMPARE(window.entries().size(), 4);
    QCOMPARE(window.entries().at(3).desc, QStringLiteral("beach"));
    QTRY_COMPARE(window.entries().at(3).state, EntryState::Handled);
}

void tst_HistoryRecording::commandLine_data()
{
    QTest::addColumn<QString>("prepare"); // what stands where the history goes
    QTest::addColumn<QString>("said");    // once, on standard error of the upload
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("listed"); // of the two uploads, newest first
    QTest::addColumn<QString>("err");

    QTest::newRow("newest first") << "" << "" << QStringList{"--history"} << 0 << 2 << "";
    QTest::newRow("the newest one") << "" << "" << QStringList{"--history", "1"} << 0 << 1 << "";
    QTest::newRow("not a number") << "" << "" << QStringList{"--history", "x"} << 2 << 0 << "--history takes";
    QTest::newRow("no history can be made") << "blocked" << "No upload history" << QStringList{"--history"} << 0
                                            << 0 << "";
    QTest::newRow("a damaged one set aside") << "damaged" << "was damaged" << QStringList{"--history"} << 0
                                             << 2 << "";
}

void tst_HistoryRecording::commandLine()
{
    QFETCH(QString, prepare);
    QFETCH(QString, said);
    QFETCH(QStringList, listing);
    QFETCH(int, status);
    QFETCH(int, listed);
    QFETCH(QString, err);

    m_server.setAutoResponse(CaptureServer::httpResponse("http://h/c"));
    QTemporaryDir home;
    QFile blocker(home.filePath(prepare == QLatin1String("blocked") ? QStringLiteral("data/tarvello")
                                                                    : QStringLiteral("data/tarvello/history.sqlite")));
    QVERIFY(QDir().mkpath(QFileInfo(blocker.fileName()).path()));
    if (!prepare.isEmpty())
        QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write(QByteArray(4096, 'x')) == 4096);
    blocker.close();

    QProcess program;
    program.setWorkingDirectory(home.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    program.setProcessEnvironment(environment);
    // The fake host answers from this event loop, so the test waits in it.
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(qEnvironmentVariable("TARVELLO_BIN"), {QStringLiteral("--upload"), m_image, QStringLiteral("-")});
    program.write(testutil::fileBytes(m_image));
    program.closeWriteChannel();
    QVERIFY(finished.wait(10000));
    QCOMPARE(program.readAllStandardOutput(), QByteArray("http://h/c\nhttp://h/c\n"));
    const QString uploadErr = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(uploadErr.count(QLatin1String("upload history")), said.isEmpty() ? 0 : 1);
    QVERIFY2(uploadErr.contains(said), qPrintable(uploadErr));

    program.start(qEnvironmentVariable("TARVELLO_BIN"), listing);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), status);
    QVERIFY(QString::fromLocal8Bit(program.readAllStandardError()).contains(err));
    const QStringList lines = QString::fromLocal8Bit(program.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), listed);
    QStringList names;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        QCOMPARE(fields.mid(1, 1), QStringList{"http://h/c"});
        QCOMPARE(fields.mid(3), QStringList{"Built-in host (" + m_server.hostPort() + ")"});
        names.append(fields.value(2));
    }
    if (listed == 0)
        return;
    // Both uploads, listed newest first: the order the host answered in, which two uploads on
    // the wire together do not fix.
    HistoryStore store(home.filePath(QStringLiteral("data/tarvello/history.sqlite")));
    QTRY_VERIFY(store.isOpen());
    const QList<HistoryRecord> records = store.read(QString());
    QCOMPARE(records.size(), 2);
    const HistoryRecord &shot = records.at(0).fileName == QLatin1String("shot.png") ? records.at(0) : records.at(1);
    const HistoryRecord &piped = records.at(0).fileName == QLatin1String("shot.png") ? records.at(1) : records.at(0);
    QCOMPARE(piped.fileName, QStringLiteral("stdin.png"));
    QCOMPARE(names, (QStringList{records.at(0).fileName, records.at(1).fileName}.mid(0, listed)));
    // Standard input's copy is gone, but not before its thumbnail was made.
    QCOMPARE(piped.filePath, QString());
    QVERIFY(!store.thumbnail(piped.id).isEmpty());
    QCOMPARE(shot.filePath, m_image);
}

QTEST_MAIN(tst_HistoryRecording)
#include "tst_historyrecording.moc"
