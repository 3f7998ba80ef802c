// End to end against the real local image host: what the window sends is what the host stores
// and what the links give back.

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "testutil.h"
#include "base/request.h"

namespace {

// The host as a child process on a free port; stopped with the object.
class HostProcess
{
public:
    bool start(const QString &dataDir, const QStringList &extra = {})
    {
        const QString portFile = dataDir + QStringLiteral(".port");
        QFile::remove(portFile);
        m_process.setProgram(qEnvironmentVariable("TARVELLO_HOST_BIN"));
        m_process.setArguments(QStringList{"--port", "0", "--data", dataDir, "--port-file", portFile} + extra);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted())
            return false;
        for (int i = 0; i < 100 && m_port == 0; ++i) {
            QTest::qWait(20);
            m_port = testutil::fileBytes(portFile).trimmed().toUShort();
        }
        return m_port != 0;
    }
    ~HostProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
            m_process.waitForFinished();
        }
    }
    QString hostPort() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

struct Fetched
{
    int status = 0;
    QByteArray body;
    QByteArray contentType;
};

Fetched fetch(QNetworkAccessManager &nam, const QNetworkRequest &request, const QByteArray &postBody = QByteArray(),
              bool post = false)
{
    QNetworkReply *reply = post ? nam.post(request, postBody) : nam.get(request);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    finished.wait(10000);
    Fetched result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    reply->deleteLater();
    return result;
}

} // namespace

class tst_Host : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void throughTheWindow();
    void refusals_data();
    void refusals();
    void tooLarge();
    void storedNamesAreNew();
    void overTls_data();
    void overTls();

private:
    QTemporaryDir m_dir;
    QString m_users;
};

void tst_Host::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    QVERIFY2(QFileInfo(qEnvironmentVariable("TARVELLO_HOST_BIN")).isExecutable(), "TARVELLO_HOST_BIN");
    m_users = m_dir.filePath(QStringLiteral("users.txt"));
    QFile users(m_users);
    QVERIFY(users.open(QIODevice::WriteOnly));
    users.write("# test accounts\nann:s3cr/t?\nbob:\n");
}

void tst_Host::throughTheWindow()
{
    HostProcess host;
    const QString data = m_dir.filePath(QStringLiteral("data1"));
    QVERIFY(host.start(data, {"--users", m_users}));
    qputenv("TARVELLO_HOST", host.hostPort().toLatin1());

    const QString png = testutil::writeImage(m_dir.filePath(QStringLiteral("red.png")), 30, 20);
    const QString jpg = testutil::writeImage(m_dir.filePath(QStringLiteral("Blue.JPG")), 64, 48, Qt::blue, "JPG");

    mw window;
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    auto *usr = window.findChild<QLineEdit *>(QStringLiteral("usr"));
    auto *pw = window.findChild<QLineEdit *>(QStringLiteral("pw"));

    // Anonymous, with a description.
    window.addObj(png, false);
    const auto described = testutil::whenTextDialog(QStringLiteral("a red square"));
    window.handleclick(0, 2);
    window.handleclick(0, 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(0).state, qint16(2), 10000);

    // Logged in, with a password the address must carry escaped.
    usr->setText(QStringLiteral("ann"));
    pw->setText(QStringLiteral("s3cr/t?"));
    window.addObj(jpg, false);
    window.handleclick(1, 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(1).state, qint16(2), 10000);

    // Logged in with an empty password; then a wrong password, which fails.
    usr->setText(QStringLiteral("bob"));
    pw->clear();
    window.addObj(png, false);
    usr->setText(QStringLiteral("ann"));
    pw->setText(QStringLiteral("wrong"));
    window.addObj(png, false);
    window.handleclick(2, 1); // uses the fields as they are at the click
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(2).state, qint16(2), 10000);
    usr->setText(QStringLiteral("bob"));
    pw->clear();
    window.handleclick(3, 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(3).state, qint16(2), 10000);

    QCOMPARE(table->item(2, 1)->text(), QStringLiteral("failed"));
    QCOMPARE(table->item(3, 1)->text().left(7), QStringLiteral("http://"));

    QNetworkAccessManager nam;
    const QList<QPair<int, QString>> uploaded = {{0, png}, {1, jpg}, {3, png}};
    for (const auto &[row, path] : uploaded) {
        const QString link = table->item(row, 1)->text();
        QVERIFY2(link.startsWith(QLatin1String("http://") + host.hostPort() + QLatin1String("/i/")), qPrintable(link));
        const Fetched image = fetch(nam, QNetworkRequest(QUrl(link)));
        QCOMPARE(image.status, 200);
        QCOMPARE(image.body, testutil::fileBytes(path));
        QCOMPARE(image.contentType, path.endsWith(QLatin1String("JPG")) ? QByteArray("image/jpeg") : QByteArray("image/png"));
        // Stored under a name of the host's making, byte for byte.
        const QString stored = data + QLatin1Char('/') + QUrl(link).fileName();
        QCOMPARE(testutil::fileBytes(stored), testutil::fileBytes(path));
        QVERIFY(!QUrl(link).fileName().contains(QLatin1String("red")));
    }
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("a red square"));

    const Fetched index = fetch(nam, QNetworkRequest(QUrl(QLatin1String("http://") + host.hostPort() + QLatin1Char('/'))));
    QCOMPARE(index.status, 200);
    QVERIFY(index.body.contains("a red square"));
    QVERIFY(index.body.contains(QUrl(table->item(1, 1)->text()).fileName().toLatin1()));
    QVERIFY(index.body.contains("<td>ann</td>"));
}

void tst_Host::refusals_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");

    const QByteArray image = testutil::fileBytes(testutil::writeImage(m_dir.filePath(QStringLiteral("ref.png")), 2, 2));
    const QByteArray multipart = "multipart/form-data; boundary=" + QByteArray(tarvello::uploadBoundary);
    const QByteArray good = tarvello::multipartBody(QStringLiteral("x.png"), image, QString());
    QTest::newRow("not multipart") << QByteArray("/upload/index/bitlyonly/true/") << QByteArray("text/plain") << QByteArray("hello") << 400;
    QTest::newRow("no file part") << QByteArray("/upload/index/bitlyonly/true/") << multipart
                                  << QByteArray("--" + QByteArray(tarvello::uploadBoundary) + "\r\nContent-Disposition: form-data; name=\"desc\"\r\n\r\nx\r\n--" + tarvello::uploadBoundary + "--")
                                  << 400;
    QTest::newRow("not an image") << QByteArray("/upload/index/bitlyonly/true/") << multipart
                                  << tarvello::multipartBody(QStringLiteral("x.png"), "plain text", QString()) << 415;
    QTest::newRow("wrong password") << QByteArray("/upload/index/bitlyonly/true/user/ann/pw/nope") << multipart << good << 403;
    QTest::newRow("unknown user") << QByteArray("/upload/index/bitlyonly/true/user/zed/pw/") << multipart << good << 403;
    QTest::newRow("odd path") << QByteArray("/upload/index/bitlyonly/true/user/ann") << multipart << good << 404;
}

void tst_Host::refusals()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(int, status);

    HostProcess host;
    QVERIFY(host.start(m_dir.filePath(QStringLiteral("data2")), {"--users", m_users}));
    QNetworkAccessManager nam;
    QNetworkRequest request(QUrl(QLatin1String("http://") + host.hostPort() + QString::fromLatin1(path)));
    request.setRawHeader("Content-Type", contentType);
    const Fetched answer = fetch(nam, request, body, true);
    QCOMPARE(answer.status, status);
    QVERIFY2(answer.body.startsWith("error: "), answer.body.constData());
    QVERIFY(answer.contentType.startsWith("text/plain"));
    QVERIFY(QDir(m_dir.filePath(QStringLiteral("data2"))).entryList({"*.png"}, QDir::Files).isEmpty());
}

void tst_Host::tooLarge()
{
    HostProcess host;
    QVERIFY(host.start(m_dir.filePath(QStringLiteral("data3")), {"--max-size", "1000"}));
    qputenv("TARVELLO_HOST", host.hostPort().toLatin1());
    mw window;
    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 11) & 255, (x * y) & 255, (y * 91) & 255));
    const QString path = m_dir.filePath(QStringLiteral("noise.png"));
    QVERIFY(noise.save(path));
    window.addObj(path, false);
    window.handleclick(0, 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(0).state, qint16(2), 10000);
    QCOMPARE(window.findChild<QTableWidget *>()->item(0, 1)->text(), QStringLiteral("failed"));
}

void tst_Host::storedNamesAreNew()
{
    HostProcess host;
    const QString data = m_dir.filePath(QStringLiteral("data4"));
    QVERIFY(host.start(data));
    QNetworkAccessManager nam;
    const QByteArray image = testutil::fileBytes(testutil::writeImage(m_dir.filePath(QStringLiteral("same.png")), 3, 3));
    QNetworkRequest request(tarvello::uploadAddress(host.hostPort(), QString(), QString()));
    request.setRawHeader("Content-Type", "multipart/form-data; boundary=" + QByteArray(tarvello::uploadBoundary));
    QSet<QString> links;
    for (int i = 0; i < 5; ++i) {
        const QByteArray body = tarvello::multipartBody(QStringLiteral("../../same.png"), image, QString());
        const Fetched answer = fetch(nam, request, body, true);
        QCOMPARE(answer.status, 200);
        links.insert(QString::fromLatin1(answer.body));
    }
    QCOMPARE(links.size(), 5);
    QCOMPARE(QDir(data).entryList({"*.png"}, QDir::Files).size(), 5);

    // Credentials on a host without accounts are refused rather than ignored.
    QNetworkRequest withLogin(tarvello::uploadAddress(host.hostPort(), QStringLiteral("ann"), QStringLiteral("x")));
    withLogin.setRawHeader("Content-Type", "multipart/form-data; boundary=" + QByteArray(tarvello::uploadBoundary));
    const Fetched refused = fetch(nam, withLogin, tarvello::multipartBody(QStringLiteral("a.png"), image, QString()), true);
    QCOMPARE(refused.status, 403);
}

void tst_Host::overTls_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::newRow("certificate trusted through TARVELLO_CA_FILE") << true;
    QTest::newRow("certificate of unknown origin") << false;
}

void tst_Host::overTls()
{
    QFETCH(bool, trusted);
    const QString cert = m_dir.filePath(QStringLiteral("cert.pem"));
    const QString key = m_dir.filePath(QStringLiteral("key.pem"));
    if (!QFile::exists(cert)) {
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                       "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", cert});
        QVERIFY(openssl.waitForFinished(30000) && openssl.exitCode() == 0);
    }
    HostProcess host;
    const QString data = m_dir.filePath(QStringLiteral("tls-%1").arg(trusted));
    QVERIFY(host.start(data, {"--users", m_users, "--tls-cert", cert, "--tls-key", key}));
    qputenv("TARVELLO_HOST", "https://" + host.hostPort().toLatin1());
    if (trusted)
        qputenv("TARVELLO_CA_FILE", QFile::encodeName(cert));
    const auto restore = qScopeGuard([] {
        qunsetenv("TARVELLO_CA_FILE");
        qunsetenv("TARVELLO_HOST");
    });

    // The login and a description beyond Latin-1 go over TLS; the host shows the words back.
    const QString png = testutil::writeImage(m_dir.filePath(QStringLiteral("tls.png")), 30, 20);
    const QString words = QString::fromUtf8("\u041f\u0440\u0438\u0432\u0435\u0442 \u65e5\u672c \U0001F600 caf\u00e9");
    mw window;
    window.findChild<QLineEdit *>(QStringLiteral("usr"))->setText(QStringLiteral("ann"));
    window.findChild<QLineEdit *>(QStringLiteral("pw"))->setText(QStringLiteral("s3cr/t?"));
    window.addObj(png, false);
    const auto described = testutil::whenTextDialog(words);
    window.handleclick(0, 2);
    window.handleclick(0, 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(0).state, qint16(2), 10000);
    const QTableWidgetItem *status = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"))->item(0, 1);
    if (!trusted) {
        QCOMPARE(status->text(), QStringLiteral("failed"));
        QVERIFY2(status->toolTip().contains(QLatin1String("certificate")), qPrintable(status->toolTip()));
        QVERIFY(QDir(data).entryList({"*.png"}).isEmpty());
        return;
    }
    const QString link = status->text();
    QVERIFY2(link.startsWith(QLatin1String("https://") + host.hostPort() + QLatin1String("/i/")), qPrintable(link));
    QCOMPARE(testutil::fileBytes(data + QLatin1Char('/') + QUrl(link).fileName()), testutil::fileBytes(png));

    QNetworkAccessManager nam;
    QNetworkRequest indexRequest(QUrl(QLatin1String("https://") + host.hostPort() + QLatin1Char('/')));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificates(cert);
    indexRequest.setSslConfiguration(tls);
    const Fetched index = fetch(nam, indexRequest);
    QCOMPARE(index.status, 200);
    QVERIFY(QString::fromUtf8(index.body).contains(words));
}

QTEST_MAIN(tst_Host)
#include "tst_host.moc"
