// Uploads to custom destinations, end to end: the queue sends what a custom-uploader file asks
// for to fake image hosts of four kinds and reads their answers; and the command line a script
// uses, from the real program.

#include <QNetworkAccessManager>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "base/sxcu.h"
#include "base/uploadqueue.h"
#include "capture.h"
#include "gui/texts.h"
#include "testutil.h"

using namespace tarvello;

class tst_Destinations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hosts_data();
    void hosts();
    void script_data();
    void script();

private:
    // The file with HOST standing for the fake host's address.
    static Destination destination(QByteArray sxcu, const CaptureServer &server);

    QTemporaryDir m_dir;
    QString m_image;
};

void tst_Destinations::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_image = testutil::writeImage(m_dir.filePath(QStringLiteral("shot.png")), 8, 6, Qt::green);
}

Destination tst_Destinations::destination(QByteArray sxcu, const CaptureServer &server)
{
    sxcu.replace("HOST", server.hostPort().toLatin1());
    const SxcuReading reading = readSxcu(sxcu);
    return reading.destination.value_or(Destination());
}

void tst_Destinations::hosts_data()
{
    QTest::addColumn<QByteArray>("sxcu");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("requestLine");
    QTest::addColumn<QByteArrayList>("sent"); // in the request's head or body
    QTest::addColumn<QString>("link");         // empty: it failed
    QTest::addColumn<QString>("details");      // part of the row's tooltip

    QTest::newRow("multipart, authorization, json answer")
            << QByteArray(R"({"Name": "J", "RequestURL": "http://HOST/api/upload", "Body": "MultipartFormData",
                 "FileFormName": "image", "Headers": {"Authorization": "Bearer s3cret-token"}, "Arguments": {"album": "x"},
                 "URL": "{json:data.url}", "ThumbnailURL": "{json:data.thumb}", "DeletionURL": "{json:data.delete}"})")
            << CaptureServer::httpResponse(R"({"data": {"url": "https://img.test/a.png", "thumb": "https://img.test/t.png",
                                              "delete": "https://img.test/del/1"}})")
            << QByteArray("POST /api/upload HTTP/1.1")
            << QByteArrayList{"Authorization: Bearer s3cret-token", "name=\"image\"; filename=\"shot.png\"",
                              "Content-Type: image/png", "name=\"album\"\r\n\r\nx"}
            << "https://img.test/a.png" << "https://img.test/a.png";
    QTest::newRow("multipart, text answer read by a regex")
            << QByteArray(R"x({"Name": "R", "RequestURL": "http://HOST/u", "Body": "MultipartFormData", "FileFormName": "f",
                 "RegexList": ["Stored as (\\w+\\.png)"], "URL": "https://img.test/v/$regex:1|1$"})x")
            << CaptureServer::httpResponse("OK. Stored as q1w2.png, thanks\n")
            << QByteArray("POST /u HTTP/1.1") << QByteArrayList{"name=\"f\"; filename=\"shot.png\""}
            << "https://img.test/v/q1w2.png" << "";
    QTest::newRow("PUT of the raw file, link in Location")
            << QByteArray(R"({"Name": "P", "RequestMethod": "PUT", "RequestURL": "http://HOST/files/{filename}",
                 "Body": "Binary", "URL": "{header:Location}"})")
            << CaptureServer::httpResponse("", 201, "Location: https://img.test/files/shot.png\r\n")
            << QByteArray("PUT /files/shot.png HTTP/1.1") << QByteArrayList{"Content-Type: image/png", "\x89PNG"}
            << "https://img.test/files/shot.png" << "";
    QTest::newRow("error answer read by ErrorMessage")
            << QByteArray(R"({"Name": "E", "RequestURL": "http://HOST/u", "Body": "MultipartFormData", "FileFormName": "f",
                 "Parameters": {"api_key": "s3cret"}, "URL": "{json:url}", "ErrorMessage": "{json:error.message}"})")
            << CaptureServer::httpResponse(R"({"error": {"message": "Quota exceeded for s3cret"}})", 429)
            << QByteArray("POST /u?api_key=s3cret HTTP/1.1") << QByteArrayList{}
            << "" << "The host said: Quota exceeded for ***";
}

void tst_Destinations::hosts()
{
    QFETCH(QByteArray, sxcu);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, requestLine);
    QFETCH(QByteArrayList, sent);
    QFETCH(QString, link);
    QFETCH(QString, details);

    CaptureServer server;
    QVERIFY(server.listen());
    server.setAutoResponse(answer);
    const Destination target = destination(sxcu, server);
    QVERIFY(!target.name.isEmpty());

    QVector<imgobj> entries;
    QNetworkAccessManager manager;
    UploadQueue queue(entries, &manager);
    QSignalSpy handled(&queue, &UploadQueue::handled);
    queue.add(m_image, false, Target{target, {}});
    QVERIFY(handled.wait(5000));

    QCOMPARE(server.requests.size(), 1);
    const CaptureServer::Request &request = server.requests.first();
    QVERIFY2(request.head.startsWith(requestLine), request.head.constData());
    for (const QByteArray &part : sent)
        QVERIFY2(request.raw.contains(part), part.constData());
    const UploadResult &result = queue.record(0).result;
    QVERIFY2(result.linked() == !link.isEmpty(), qPrintable(resultDetails(result)));
    QCOMPARE(result.link.toString(), link);
    QVERIFY2(resultDetails(result).contains(details), qPrintable(resultDetails(result)));
    // The secret of the destination never shows.
    QVERIFY(!resultDetails(result).contains(QLatin1String("s3cret")));
    if (QTest::currentDataTag() == QByteArray("multipart, authorization, json answer")) {
        QCOMPARE(result.thumbnail.toString(), QStringLiteral("https://img.test/t.png"));
        QCOMPARE(result.deletion.toString(), QStringLiteral("https://img.test/del/1"));
    }
}

void tst_Destinations::script_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("stdinImage");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");   // a line that begins so
    QTest::addColumn<QString>("err");

    QTest::newRow("list") << QStringList{"--list-destinations"} << false << 0 << "built-in\nJ" << "";
    QTest::newRow("upload from standard input") << QStringList{"--upload", "--destination", "j", "-"} << true << 0
                                                << "https://img.test/a.png" << "";
    QTest::newRow("a failure among links") << QStringList{"--upload", "--destination", "J", "nothing.png", "-"} << true
                                           << 1 << "https://img.test/a.png" << "nothing.png: The file does not exist.";
    QTest::newRow("unknown destination") << QStringList{"--upload", "--destination", "K", "-"} << true << 2 << ""
                                         << "No destination is called K";
    QTest::newRow("no file") << QStringList{"--upload"} << false << 2 << "" << "--upload needs at least one file";
    QTest::newRow("import refused") << QStringList{"--import-destination", "broken.sxcu"} << false << 1 << ""
                                    << "broken.sxcu: ";
}

void tst_Destinations::script()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, stdinImage);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    CaptureServer server;
    QVERIFY(server.listen());
    server.setAutoResponse(CaptureServer::httpResponse(R"({"data": {"url": "https://img.test/a.png"}})"));
    QTemporaryDir config;
    QFile sxcu(config.filePath(QStringLiteral("j.sxcu")));
    QVERIFY(sxcu.open(QIODevice::WriteOnly));
    sxcu.write(QByteArray(R"({"Name": "J", "RequestURL": "http://HOST/api", "Body": "MultipartFormData",
                              "FileFormName": "image", "URL": "{json:data.url}"})").replace("HOST", server.hostPort().toLatin1()));
    sxcu.close();
    QFile broken(config.filePath(QStringLiteral("broken.sxcu")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"Name\": ");
    broken.close();

    QProcess program;
    program.setWorkingDirectory(config.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")); // no keyring: the file keeps nothing secret here
    program.setProcessEnvironment(environment);
    const QString binary = qEnvironmentVariable("TARVELLO_BIN");
    program.start(binary, {QStringLiteral("--import-destination"), sxcu.fileName()});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput(), QByteArray("J\n"));

    // The fake host answers from this event loop, so the test waits in it.
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(binary, arguments);
    if (stdinImage)
        program.write(testutil::fileBytes(m_image));
    program.closeWriteChannel();
    QVERIFY(finished.wait(10000));
    const QString standardOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString standardErr = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(out.isEmpty() || standardOut.startsWith(out), qPrintable(standardOut));
    QVERIFY2(standardErr.contains(err), qPrintable(standardErr));
    if (stdinImage && status != 2) {
        QCOMPARE(server.requests.size(), 1);
        QVERIFY(server.requests.first().body.contains("filename=\"stdin.png\""));
        QVERIFY(server.requests.first().body.contains(testutil::fileBytes(m_image)));
    }
}

QTEST_MAIN(tst_Destinations)
#include "tst_destinations.moc"
