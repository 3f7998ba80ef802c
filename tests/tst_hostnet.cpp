// The host process over real sockets: raw requests where a well-behaved client cannot send the
// attack, curl for TLS.

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

const QByteArray boundary = "---------------------------723690991551375881941828858";
const QByteArray uploadPath = "/upload/index/bitlyonly/true/";

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A PNG of about `bytes` bytes (noise does not compress).
QByteArray png(int bytes = 0)
{
    const int side = qMax(2, int(std::sqrt(bytes / 3.0)));
    QImage image(side, side, QImage::Format_RGB888);
    quint32 seed = 7;
    for (int y = 0; y < side; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < side * 3; ++x)
            line[x] = uchar((seed = seed * 1103515245 + 12345) >> 16);
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

// The body as the uploader builds it: no line end after the close delimiter.
QByteArray form(const QByteArray &file, const QByteArray &filename = "a.png", const QByteArray &desc = "")
{
    const QByteArray b = "--" + boundary;
    return b + "\r\nContent-Disposition: form-data; name=\"action\"\r\n\r\n\r\n" + b
        + "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"" + filename
        + "\"\r\nContent-Type: image/png\r\n\r\n" + file + "\r\n" + b
        + "\r\nContent-Disposition: form-data; name=\"desc\"\r\n\r\n" + desc + "\r\n\r\n" + b + "--";
}

QByteArray post(const QByteArray &body, const QByteArray &extraHeaders = QByteArray(),
                const QByteArray &path = uploadPath)
{
    return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
           "Content-Type: multipart/form-data; boundary=" + boundary + "\r\n"
        + (extraHeaders.contains("Content-Length") || extraHeaders.contains("Transfer-Encoding")
               ? QByteArray() : "Content-Length: " + QByteArray::number(body.size()) + "\r\n")
        + extraHeaders + "\r\n" + body;
}

QByteArray get(const QByteArray &path, const QByteArray &extraHeaders = QByteArray())
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + extraHeaders + "\r\n";
}

struct Answer
{
    int status = 0;
    QByteArray head; // lower-cased header lines
    QByteArray body;
    QByteArray header(const QByteArray &name) const
    {
        const QRegularExpression line("(?:^|\r\n)" + QRegularExpression::escape(QString::fromLatin1(name.toLower()))
                                      + ": ([^\r]*)");
        return line.match(QString::fromLatin1(head)).captured(1).toLatin1();
    }
};

// Sends the request (as much of it as the host reads) and reads the answer until the host
// closes or the body is complete.
Answer exchange(quint16 port, const QByteArray &request, int timeoutMs = 5000)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    Answer answer;
    if (!socket.waitForConnected(timeoutMs))
        return answer;
    QElapsedTimer clock;
    clock.start();
    QByteArray received;
    qsizetype sent = 0;
    while (clock.elapsed() < timeoutMs) {
        if (sent < request.size() && socket.state() == QAbstractSocket::ConnectedState
            && socket.bytesToWrite() < 1024 * 1024) {
            const qsizetype n = qMin<qsizetype>(256 * 1024, request.size() - sent);
            socket.write(request.constData() + sent, n);
            sent += n;
        }
        socket.waitForBytesWritten(10);
        socket.waitForReadyRead(10);
        received += socket.readAll();
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (end >= 0) {
            answer.head = received.left(end).toLower();
            const QByteArray length = answer.header("content-length");
            if (!length.isEmpty() && received.size() >= end + 4 + length.toLongLong())
                break;
        }
        if (socket.state() != QAbstractSocket::ConnectedState && socket.bytesAvailable() == 0)
            break;
    }
    const qsizetype end = received.indexOf("\r\n\r\n");
    if (received.startsWith("HTTP/1.") && end > 0) {
        answer.status = received.mid(9, 3).toInt();
        answer.head = received.left(end).toLower();
        answer.body = received.mid(end + 4);
    }
    return answer;
}

// The host as a child process on a free port; stopped with the object.
class Host
{
public:
    bool start(const QString &dataDir, const QStringList &extra = {}, const QStringList &prefix = {})
    {
        m_data = dataDir;
        const QString portFile = dataDir + QStringLiteral(".port");
        QFile::remove(portFile);
        const QStringList args = QStringList{"--port", "0", "--data", dataDir, "--port-file", portFile} + extra;
        if (prefix.isEmpty()) {
            m_process.setProgram(qEnvironmentVariable("TARVELLO_HOST_BIN"));
            m_process.setArguments(args);
        } else {
            m_process.setProgram(prefix.first());
            m_process.setArguments(prefix.mid(1) + QStringList{qEnvironmentVariable("TARVELLO_HOST_BIN")} + args);
        }
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted())
            return false;
        QElapsedTimer clock;
        clock.start();
        while (m_port == 0 && clock.elapsed() < 5000 && m_process.state() == QProcess::Running) {
            m_process.waitForFinished(20);
            m_port = fileBytes(portFile).trimmed().toUShort();
        }
        return m_port != 0;
    }
    ~Host()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    quint16 port() const { return m_port; }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    QProcess &process() { return m_process; }
    QStringList images() const { return QDir(m_data).entryList({"*.png", "*.svg", "*.bmp", "*.gif"}, QDir::Files); }
    QStringList leftovers() const { return QDir(m_data).entryList({".upload-*"}, QDir::Files | QDir::Hidden); }

private:
    QProcess m_process;
    QString m_data;
    quint16 m_port = 0;
};

// Connections that send a few bytes of a request and then hold on.
std::vector<std::unique_ptr<QTcpSocket>> slowClients(quint16 port, int count, const QByteArray &start)
{
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), port);
        if (socket->waitForConnected(2000)) {
            socket->write(start);
            socket->waitForBytesWritten(1000);
        }
        sockets.push_back(std::move(socket));
    }
    return sockets;
}

bool run(const QString &program, const QStringList &args, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitCode() == 0;
}

} // namespace

class tst_HostNet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startup_data();
    void startup();
    void refusals_data();
    void refusals();
    void accepted_data();
    void accepted();
    void serving_data();
    void serving();
    void links_data();
    void links();
    void indexPage();
    void slowClients();
    void deadline();
    void stopsWhileClientsHang();
    void crashLeavesNothing();
    void fullDisk_data();
    void fullDisk();
    void tls();

private:
    QString data(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
    QByteArray m_png;
};

void tst_HostNet::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo(qEnvironmentVariable("TARVELLO_HOST_BIN")).isExecutable(), "TARVELLO_HOST_BIN");
    m_png = png();
    QFile users(data("users.txt"));
    QVERIFY(users.open(QIODevice::WriteOnly));
    users.write("\xef\xbb\xbf" "ann:pw\n");
}

void tst_HostNet::startup_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("port abc") << QStringList{"--port", "abc"} << 2;
    QTest::newRow("port 99999") << QStringList{"--port", "99999"} << 2;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2;
    QTest::newRow("users is a folder") << QStringList{"--users", QDir::tempPath()} << 1;
    QTest::newRow("missing certificate") << QStringList{"--tls-cert", "/nonexistent", "--tls-key", "/nonexistent"} << 1;
    QTest::newRow("help") << QStringList{"--help"} << 0;
}

void tst_HostNet::startup()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QProcess process;
    process.start(qEnvironmentVariable("TARVELLO_HOST_BIN"),
                  QStringList{"--data", data("startup"), "--port", "0"} + arguments);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), exitCode);
    if (exitCode == 2)
        QVERIFY(process.readAllStandardError().contains("usage:"));
}

void tst_HostNet::refusals_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");

    const QByteArray body = form(m_png);
    QTest::newRow("chunked") << post("200\r\n" + QByteArray(0x200, 'x') + "\r\n", "Transfer-Encoding: chunked\r\n") << 411;
    QTest::newRow("no length") << post(QByteArray(), "Transfer-Encoding: identity\r\n") << 411;
    QTest::newRow("gzip") << post(body, "Content-Encoding: gzip\r\n") << 415;
    // Only the headers are sent: the answer must come without waiting for the body.
    QTest::newRow("length over the limit") << post(QByteArray(), "Content-Length: 4000000000\r\n") << 413;
    QTest::newRow("two lengths") << post(body, "Content-Length: " + QByteArray::number(body.size())
                                               + "\r\nContent-Length: 5\r\n") << 400;
    QTest::newRow("long header") << post(body, "X-Long: " + QByteArray(300 * 1024, 'a') + "\r\n") << 431;
    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += "X-" + QByteArray::number(i) + ": y\r\n";
    QTest::newRow("many headers") << post(body, many) << 431;
    QTest::newRow("script as svg") << post(form("<html><svg onload=alert(1)></svg></html>", "x.svg")) << 415;
    QTest::newRow("BM and bytes") << post(form("BM" + QByteArray(60, 'x'), "x.bmp")) << 415;
    QTest::newRow("no close delimiter") << post(body.left(body.size() - 2 - boundary.size() - 4)) << 400;
    QTest::newRow("wrong password") << post(body, {}, uploadPath + "user/ann/pw/nope") << 403;
}

void tst_HostNet::refusals()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    Host host;
    QVERIFY(host.start(data("refusals"), {"--max-size", "1000000", "--users", data("users.txt")}));
    const Answer answer = exchange(host.port(), request);
    QCOMPARE(answer.status / (status == 431 ? 10 : 1), status / (status == 431 ? 10 : 1)); // 413 or 431
    QVERIFY(!answer.body.startsWith("http"));
    QVERIFY(host.images().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(host.leftovers().isEmpty(), 2000);
}

void tst_HostNet::accepted_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("type");

    const QByteArray b = "--" + boundary;
    const QByteArray file = "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"a.png\"\r\n\r\n" + m_png + "\r\n";
    QTest::newRow("uploader") << post(form(m_png)) << QByteArray("image/png");
    QTest::newRow("empty preamble") << post("\r\n" + form(m_png)) << QByteArray("image/png");
    QTest::newRow("unquoted name, no space")
        << post(b + "\r\nContent-Disposition: form-data;name=file\r\n\r\n" + m_png + "\r\n" + b + "--\r\n")
        << QByteArray("image/png");
    QTest::newRow("boundary, then a parameter")
        << QByteArray(post(form(m_png))).replace("boundary=" + boundary, "boundary=\"" + boundary + "\"; charset=UTF-8")
        << QByteArray("image/png");
    QTest::newRow("same length twice") << post(form(m_png), "Content-Length: " + QByteArray::number(form(m_png).size())
                                                               + "\r\nContent-Length: " + QByteArray::number(form(m_png).size()) + "\r\n")
                                       << QByteArray("image/png");
    QTest::newRow("login, users file with BOM") << post(form(m_png), {}, uploadPath + "user/ann/pw/pw") << QByteArray("image/png");
    QTest::newRow("svg with script") << post(form("<svg xmlns=\"http://www.w3.org/2000/svg\"><script>alert(1)</script></svg>", "s.svg"))
                                     << QByteArray("image/svg+xml");
}

// Valid variants are stored, and every image is served so that nothing in it runs as a page.
void tst_HostNet::accepted()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, type);
    Host host;
    QVERIFY(host.start(data("accepted"), {"--users", data("users.txt")}));
    const Answer answer = exchange(host.port(), request);
    QCOMPARE(answer.status, 200);
    QVERIFY2(answer.body.startsWith(host.base().toLatin1() + "/i/"), answer.body.constData());
    const Answer image = exchange(host.port(), get(answer.body.mid(host.base().size())));
    QCOMPARE(image.status, 200);
    QCOMPARE(image.header("content-type"), type);
    QCOMPARE(image.header("x-content-type-options"), QByteArray("nosniff"));
    QVERIFY(image.header("content-security-policy").contains("default-src 'none'"));
    QVERIFY(image.header("content-security-policy").contains("sandbox"));
    QCOMPARE(image.header("content-disposition").startsWith("attachment"), type.contains("svg"));
}

void tst_HostNet::serving_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("length"); // -1: the whole file

    QTest::newRow("whole") << QByteArray() << 200 << 0 << -1;
    QTest::newRow("one range") << QByteArray("bytes=10-19") << 206 << 10 << 10;
    QTest::newRow("suffix") << QByteArray("bytes=-7") << 206 << -7 << 7;
    QByteArray many = "bytes=0-";
    for (int i = 0; i < 499; ++i)
        many += ",0-";
    QTest::newRow("500 ranges") << many << 200 << 0 << -1;
    QTest::newRow("beyond the end") << QByteArray("bytes=999999999-") << 416 << 0 << 0;
}

void tst_HostNet::serving()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(int, first);
    QFETCH(int, length);
    Host host;
    QVERIFY(host.start(data("serving")));
    const QByteArray image = png(300 * 1024);
    const Answer stored = exchange(host.port(), post(form(image)));
    QCOMPARE(stored.status, 200);
    const Answer answer = exchange(host.port(), get(stored.body.mid(host.base().size()),
                                                     range.isEmpty() ? QByteArray() : "Range: " + range + "\r\n"));
    QCOMPARE(answer.status, status);
    if (length < 0)
        QCOMPARE(answer.body, image);
    else
        QCOMPARE(answer.body, image.mid(first < 0 ? image.size() + first : first, length));
}

void tst_HostNet::links_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("linkStart"); // %1: the port

    const QByteArray body = form(m_png);
    QTest::newRow("host header ignored")
        << QStringList() << QByteArray(post(body)).replace("Host: 127.0.0.1", "Host: evil.example:666")
        << QString("http://127.0.0.1:%1/i/");
    QTest::newRow("HTTP/1.0 without host")
        << QStringList() << QByteArray(post(body)).replace("HTTP/1.1\r\nHost: 127.0.0.1\r\n", "HTTP/1.0\r\n")
        << QString("http://127.0.0.1:%1/i/");
    QTest::newRow("public url") << QStringList{"--public-url", "https://img.example.org/pics/"} << post(body)
                                << QString("https://img.example.org/pics/i/");
    QTest::newRow("wildcard: the address reached")
        << QStringList{"--listen", "0.0.0.0"} << post(body) << QString("http://127.0.0.1:%1/i/");
}

void tst_HostNet::links()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, request);
    QFETCH(QString, linkStart);
    Host host;
    QVERIFY(host.start(data("links"), arguments));
    const Answer answer = exchange(host.port(), request);
    QCOMPARE(answer.status, 200);
    QVERIFY2(answer.body.startsWith(linkStart.replace("%1", QString::number(host.port())).toLatin1()), answer.body.constData());
}

void tst_HostNet::indexPage()
{
    Host host;
    QVERIFY(host.start(data("index")));
    const QByteArray utf8 = "caf\xc3\xa9 \xe2\x82\xac";
    const QByteArray latin1 = "caf\xe9 &#8364;";
    QCOMPARE(exchange(host.port(), post(form(m_png, "<b>first.png", utf8))).status, 200);
    QCOMPARE(exchange(host.port(), post(form(m_png, "C:\\Pictures\\second.png", latin1 + QByteArray(5000, 'x')))).status, 200);
    for (int i = 0; i < 200; ++i)
        QCOMPARE(exchange(host.port(), post(form(m_png, "n" + QByteArray::number(i) + ".png"))).status, 200);

    const Answer page = exchange(host.port(), get("/"));
    QCOMPARE(page.status, 200);
    const QByteArray policy = page.header("content-security-policy");
    QVERIFY(policy.contains("default-src 'none'"));
    QVERIFY(!policy.contains("script"));
    QCOMPARE(page.body.count("<tr><td>"), 200);
    QVERIFY(page.body.indexOf("n199.png") < page.body.indexOf("n198.png")); // newest first
    QVERIFY(page.body.contains("?page=1"));
    QVERIFY(page.body.contains("loading=\"lazy\" width=\"160\" height=\"90\""));
    QVERIFY(QRegularExpression("\\d+(\\.\\d)? KB|\\d+ bytes").match(QString::fromUtf8(page.body)).hasMatch());
    QVERIFY(QRegularExpression("<td class=\"date\">\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d</td>").match(QString::fromUtf8(page.body)).hasMatch());

    const Answer older = exchange(host.port(), get("/?page=1"));
    QCOMPARE(older.body.count("<tr><td>"), 2);
    QVERIFY(older.body.contains("&lt;b&gt;first.png"));
    QVERIFY(older.body.contains(">second.png<"));
    QCOMPARE(older.body.count(utf8), 2); // from UTF-8, and from Latin-1 with a reference
    QVERIFY(!older.body.contains(QByteArray(1001, 'x')));
    QVERIFY(older.body.contains(QByteArray(994, 'x')));
}

void tst_HostNet::slowClients()
{
    Host host;
    QVERIFY(host.start(data("slow")));
    const auto slow = ::slowClients(host.port(), 100, "POST " + uploadPath + " HTTP/1.1\r\nHost: 1");
    QElapsedTimer clock;
    clock.start();
    const Answer answer = exchange(host.port(), post(form(m_png)), 3000);
    QCOMPARE(answer.status, 200);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
}

// A client that keeps sending a byte now and then is still cut off at its deadline.
void tst_HostNet::deadline()
{
    Host host;
    QVERIFY(host.start(data("deadline"), {"--header-timeout", "1"}));
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), host.port());
    QVERIFY(socket.waitForConnected(2000));
    socket.write("GET / HTTP/1.1\r\n");
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, &socket, [&socket] { socket.write("X"); });
    drip.start(200);
    QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 5000);
}

void tst_HostNet::stopsWhileClientsHang()
{
    Host host;
    QVERIFY(host.start(data("stop")));
    const auto slow = ::slowClients(host.port(), 20, "POST " + uploadPath + " HTTP/1.1\r\nHost: 1");
    const QByteArray body = form(png(200 * 1024));
    const auto uploading = ::slowClients(host.port(), 5, post(body).left(100 * 1024));
    host.process().terminate();
    QVERIFY(host.process().waitForFinished(3000));
    QCOMPARE(host.process().exitStatus(), QProcess::NormalExit);
    QVERIFY(host.leftovers().isEmpty());
}

void tst_HostNet::crashLeavesNothing()
{
    const QString dir = data("crash");
    {
        Host host;
        QVERIFY(host.start(dir));
        const auto uploading = ::slowClients(host.port(), 1, post(form(png(200 * 1024))).left(150 * 1024));
        QTRY_VERIFY_WITH_TIMEOUT(!host.leftovers().isEmpty(), 3000);
        host.process().kill();
        QVERIFY(host.process().waitForFinished(3000));
        QVERIFY(host.images().isEmpty());
    }
    Host again;
    QVERIFY(again.start(dir));
    QVERIFY(again.leftovers().isEmpty());
    QVERIFY(exchange(again.port(), get("/")).body.contains("0 images"));
}

void tst_HostNet::fullDisk_data()
{
    QTest::addColumn<int>("fileSizeLimit");
    QTest::addColumn<int>("indexBytes");
    QTest::addColumn<int>("imageBytes");

    QTest::newRow("image does not fit") << 20000 << 0 << 60000;
    QTest::newRow("index line does not fit") << 100000 << 100000 - 10 << 20000;
}

// A file size limit stands in for a full disk: writes past it fail as they would there.
void tst_HostNet::fullDisk()
{
    QFETCH(int, fileSizeLimit);
    QFETCH(int, indexBytes);
    QFETCH(int, imageBytes);
    const QString dir = data("full") + QString::number(fileSizeLimit);
    QVERIFY(QDir().mkpath(dir));
    QByteArray index;
    while (index.size() < indexBytes)
        index += "0000000000000000.png\t1\t\tx\n";
    index = index.left(indexBytes - indexBytes % 26);
    QFile file(dir + "/index.tsv");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(index);
    file.close();

    Host host;
    QVERIFY(host.start(dir, {}, {"prlimit", "--fsize=" + QString::number(fileSizeLimit)}));
    const Answer answer = exchange(host.port(), post(form(png(imageBytes))));
    QCOMPARE(answer.status, 507);
    QVERIFY(!answer.body.startsWith("http"));
    QVERIFY(host.images().isEmpty());
    QVERIFY(host.leftovers().isEmpty());
    QCOMPARE(fileBytes(dir + "/index.tsv"), index);
}

void tst_HostNet::tls()
{
    const QString cert = data("cert.pem"), key = data("key.pem");
    QVERIFY(run("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                            "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", cert}));
    Host host;
    QVERIFY(host.start(data("tls"), {"--tls-cert", cert, "--tls-key", key}));
    const QString base = QStringLiteral("https://127.0.0.1:%1").arg(host.port());
    const QString image = data("tls.png");
    QFile file(image);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(m_png);
    file.close();
    QByteArray link;
    QVERIFY(run("curl", {"-sf", "--max-time", "10", "--cacert", cert, "-F", "action=", "-F", "file=@" + image,
                         "-F", "desc=", base + QString::fromLatin1(uploadPath)}, &link));
    QVERIFY2(link.startsWith(base.toLatin1() + "/i/"), link.constData());
    QByteArray fetched;
    QVERIFY(run("curl", {"-sf", "--max-time", "10", "--cacert", cert, QString::fromLatin1(link)}, &fetched));
    QCOMPARE(fetched, m_png);
    // Plain HTTP on the TLS port gets no image.
    QVERIFY(exchange(host.port(), get(link.mid(base.size())), 3000).status != 200);
}

QTEST_GUILESS_MAIN(tst_HostNet)
#include "tst_hostnet.moc"
