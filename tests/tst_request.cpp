// The upload request: body, address and headers, byte for byte.

#include <QNetworkRequest>
#include <QTest>

#include <QTemporaryDir>

#include "base/request.h"
#include "base/uploadbody.h"

namespace {

const QByteArray boundary = "---------------------------723690991551375881941828858";
const QByteArray delimiter = "--" + boundary + "\r\n";

QByteArray expectedBody(const QByteArray &name, const QByteArray &subtype, const QByteArray &content,
                        const QByteArray &desc)
{
    return delimiter + "Content-Disposition: form-data; name=\"action\"\r\n\r\n\r\n" + delimiter
            + "Content-Disposition: form-data; name=\"file\"; filename=\"" + name + "\"\r\n"
            + "Content-Type: image/" + subtype + "\r\n\r\n" + content + "\r\n" + delimiter
            + "Content-Disposition: form-data; name=\"desc\"\r\n\r\n"
            + (desc.isEmpty() ? QByteArray() : desc + "\r\n") + "\r\n--" + boundary + "--";
}

} // namespace

class tst_Request : public QObject
{
    Q_OBJECT

private slots:
    void boundaryConstant();
    void body_data();
    void body();
    void bodyShape();
    void address_data();
    void address();
    void dotLogins();
    void boundaryAvoidsContent_data();
    void boundaryAvoidsContent();
    void headers();
    void hostOverride();
    void streamedBody_data();
    void streamedBody();
    void streamedBodyMissingOrShrinking();
};

void tst_Request::boundaryConstant()
{
    QCOMPARE(QByteArray(tarvello::uploadBoundary), boundary);
    QCOMPARE(boundary.size(), 54);
}

void tst_Request::body_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("desc");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("size");

    QTest::newRow("empty a.png") << "a.png" << QByteArray() << QString()
                                 << expectedBody("a.png", "png", "", "") << 424;
    QTest::newRow("with description") << "a.png" << QByteArray() << "abc"
                                      << expectedBody("a.png", "png", "", "abc") << 429;
    QTest::newRow("capital suffix") << "Photo.JPG" << QByteArray("\xff\xd8\xff", 3) << QString()
                                    << expectedBody("Photo.JPG", "jpg", "\xff\xd8\xff", "") << 416 + 9 + 3 + 3;
    QTest::newRow("no dot") << "README" << QByteArray("x") << QString()
                            << expectedBody("README", "", "x", "") << 416 + 6 + 0 + 1;
    QTest::newRow("last dot decides") << "a.tar.GZ" << QByteArray() << QString()
                                      << expectedBody("a.tar.GZ", "gz", "", "") << 416 + 8 + 2;
    QTest::newRow("binary content with CR LF and zeros") << "b.bmp" << QByteArray("\r\n--\0\r\n", 7) << QString()
                                                         << expectedBody("b.bmp", "bmp", QByteArray("\r\n--\0\r\n", 7), "") << 416 + 5 + 3 + 7;
    QTest::newRow("latin-1 name and description") << QString::fromUtf8("caf\u00e9.png") << QByteArray()
                                                  << QString::fromUtf8("na\u00efve")
                                                  << expectedBody("caf\xe9.png", "png", "", "na\xefve") << 416 + 8 + 3 + 5 + 2;
    // A name beyond Latin-1 travels as UTF-8; descriptions carry numeric references.
    QTest::newRow("outside latin-1") << QString::fromUtf8("\u0444\u043e\u0442\u043e \u65e5.png") << QByteArray()
                                     << QString::fromUtf8("\u65e5\u672c")
                                     << expectedBody("\xd1\x84\xd0\xbe\xd1\x82\xd0\xbe \xe6\x97\xa5.png", "png", "",
                                                     "&#26085;&#26412;")
                                     << 416 + 16 + 3 + 16 + 2;
    QTest::newRow("latin-1 and beyond, quote") << QString::fromUtf8("caf\u00e9 \u0416\".png") << QByteArray() << QString()
                                               << expectedBody("caf\xc3\xa9 \xd0\x96%22.png", "png", "", "")
                                               << 416 + 15 + 3;
    QTest::newRow("cyrillic, cjk, emoji, latin-1 in one") << "a.png" << QByteArray()
            << QString::fromUtf8("\u041f\u0440\u0438 \u65e5 \U0001F600 caf\u00e9")
            << expectedBody("a.png", "png", "", "&#1055;&#1088;&#1080; &#26085; &#128512; caf\xe9") << 424 + 45 + 2;
    // Typed "&#65;" is sent as it is within Latin-1, as browsers do; beside references, "&" is one too.
    QTest::newRow("reference typed, latin-1") << "a.png" << QByteArray() << "&#65; & b"
                                              << expectedBody("a.png", "png", "", "&#65; & b") << 424 + 9 + 2;
    QTest::newRow("reference typed, beside cyrillic") << "a.png" << QByteArray() << QString::fromUtf8("&#65; Ж")
                                                      << expectedBody("a.png", "png", "", "&#38;#65; &#1046;") << 424 + 17 + 2;
    QTest::newRow("quote in name") << "a\"b.png" << QByteArray() << QString()
                                   << expectedBody("a%22b.png", "png", "", "") << 416 + 9 + 3;
    QTest::newRow("line breaks in name") << "a\r\nX-Evil: 1.png" << QByteArray() << QString()
                                         << expectedBody("a%0D%0AX-Evil: 1.png", "png", "", "") << 416 + 20 + 3;
}

void tst_Request::body()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, desc);
    QFETCH(QByteArray, expected);
    QFETCH(int, size);

    const QByteArray body = tarvello::multipartBody(fileName, content, desc);
    QCOMPARE(body, expected);
    QCOMPARE(body.size(), size);
}

void tst_Request::bodyShape()
{
    const QByteArray body = tarvello::multipartBody(QStringLiteral("x.png"), "PIXELS", QStringLiteral("abc"));
    QVERIFY(body.startsWith(delimiter));
    QCOMPARE(body.count(delimiter), 3);
    QVERIFY(body.endsWith("--" + boundary + "--"));
    QVERIFY(body.endsWith("abc\r\n\r\n--" + boundary + "--"));
    QVERIFY(body.contains("\r\n\r\nPIXELS\r\n" + delimiter));
}

void tst_Request::address_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("encoded");

    const QByteArray base = "http://img.example:81/upload/index/bitlyonly/true/";
    QTest::newRow("anonymous") << QString() << QString() << base;
    QTest::newRow("password without name") << QString() << "secret" << base;
    QTest::newRow("name and password") << "ann" << "secret" << base + "user/ann/pw/secret";
    QTest::newRow("name without password") << "ann" << QString() << base + "user/ann/pw/";
    QTest::newRow("blanks count") << "  " << "x" << base + "user/%20%20/pw/x";
    QTest::newRow("reserved characters") << "a/b?c" << "p#q%r/" << base + "user/a%2Fb%3Fc/pw/p%23q%25r%2F";
    QTest::newRow("ordinary punctuation") << "ann.lee_1-2~" << "p@ss:w!rd+$" << base + "user/ann.lee_1-2~/pw/p@ss:w!rd+$";
    QTest::newRow("non-ascii") << QString::fromUtf8("j\u00f6rg") << "x" << base + "user/j%C3%B6rg/pw/x";
    QTest::newRow("dots inside a name") << ".ann." << "..x" << base + "user/.ann./pw/..x";
}

void tst_Request::address()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, encoded);

    const QUrl url = tarvello::uploadAddress(QStringLiteral("img.example:81"), user, password);
    QVERIFY(url.isValid());
    QCOMPARE(url.toEncoded(), encoded);
    QVERIFY(url.query().isEmpty());
    QVERIFY(url.fragment().isEmpty());
    QVERIFY(tarvello::isSendableLogin(user, password));
    QCOMPARE(tarvello::uploadAddress(QStringLiteral("https://img.example:81"), user, password).toEncoded(),
             "https" + encoded.mid(4));
}

void tst_Request::dotLogins()
{
    // Every HTTP request has its path normalised, "%2E" included, so these would be dropped.
    for (const auto &[user, password] : {std::pair{".", "x"}, {"..", "x"}, {"ann", "."}, {"ann", ".."}})
        QVERIFY(!tarvello::isSendableLogin(QString::fromLatin1(user), QString::fromLatin1(password)));
    QVERIFY(tarvello::isSendableLogin(QString(), QStringLiteral(".."))); // no login is sent
}

void tst_Request::boundaryAvoidsContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("desc");
    QTest::addColumn<bool>("specified");

    QTest::newRow("ordinary file") << QByteArray("\x89PNG\r\n--abc") << QString() << true;
    QTest::newRow("delimiter in a text chunk") << "\x89PNGtEXt\r\n--" + boundary + "--\r\n" << QString() << false;
    QTest::newRow("delimiter at the start") << "--" + boundary << QString() << false;
    QTest::newRow("both delimiters") << "--" + boundary + " --" + boundary + "0" << QString() << false;
    QTest::newRow("delimiter in the description") << QByteArray("x") << QString::fromLatin1("--" + boundary) << false;
}

void tst_Request::boundaryAvoidsContent()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, desc);
    QFETCH(bool, specified);

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("b.png")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const QByteArray chosen = tarvello::boundaryFor(file.fileName(), tarvello::formText(desc));
    QCOMPARE(chosen == boundary, specified);
    const QByteArray body = tarvello::multipartBody(QStringLiteral("b.png"), content, desc, chosen);
    // The only delimiters in the body are the three the body itself sets.
    QCOMPARE(body.count("--" + chosen), 4);
    QVERIFY(!content.contains("--" + chosen));
}

void tst_Request::headers()
{
    QNetworkRequest request(QUrl(QStringLiteral("http://h/")));
    tarvello::setUploadHeaders(request, 424);
    QCOMPARE(request.rawHeaderList(), (QList<QByteArray>{"Accept-Encoding", "Content-Type", "Content-Length"}));
    QCOMPARE(request.rawHeader("Accept-Encoding"), QByteArray("gzip,deflate"));
    QCOMPARE(request.rawHeader("Content-Type"), "multipart/form-data; boundary=" + boundary);
    QCOMPARE(request.rawHeader("Content-Length"), QByteArray("424"));
}

void tst_Request::hostOverride()
{
    qunsetenv("TARVELLO_HOST");
    const QString builtIn = tarvello::imageHost();
    QVERIFY(!builtIn.isEmpty());
    qputenv("TARVELLO_HOST", "127.0.0.1:9");
    QCOMPARE(tarvello::imageHost(), QStringLiteral("127.0.0.1:9"));
    qunsetenv("TARVELLO_HOST");
    QCOMPARE(tarvello::imageHost(), builtIn);

    qputenv("TARVELLO_TRANSFER_TIMEOUT_MS", "250");
    QCOMPARE(tarvello::transferTimeoutMs(), 250);
    qunsetenv("TARVELLO_TRANSFER_TIMEOUT_MS");
    QVERIFY(tarvello::transferTimeoutMs() >= 30000);
}

void tst_Request::streamedBody_data()
{
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<int>("chunk");
    QTest::newRow("empty file, whole") << 0 << 100000;
    QTest::newRow("small file, byte by byte") << 300 << 1;
    QTest::newRow("large file, odd pieces") << 1000003 << 4093;
    QTest::newRow("large file, large pieces") << 1000003 << (1 << 20);
}

void tst_Request::streamedBody()
{
    QFETCH(int, fileSize);
    QFETCH(int, chunk);

    QTemporaryDir dir;
    QByteArray content(fileSize, Qt::Uninitialized);
    for (int i = 0; i < fileSize; ++i)
        content[i] = char(i * 7 + i / 251);
    QFile file(dir.filePath(QStringLiteral("p.png")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    const QByteArray expected = tarvello::multipartBody(QStringLiteral("p.png"), content, QStringLiteral("d"));
    tarvello::UploadBody body(tarvello::multipartHead(QStringLiteral("p.png")), file.fileName(),
                              tarvello::multipartTail(QStringLiteral("d")));
    QVERIFY(body.open(QIODevice::ReadOnly));
    QCOMPARE(body.size(), expected.size());

    // Until it has all been read, the network layer may rewind (a connection that failed early);
    // any position reads what the body holds there.
    for (qint64 at : {qint64(expected.size() / 2), qint64(expected.size() - 8), qint64(0)}) {
        QVERIFY(body.seek(at));
        QCOMPARE(body.read(5), expected.mid(at, 5));
    }
    QVERIFY(body.seek(0));
    QByteArray read;
    while (!body.atEnd()) {
        const QByteArray piece = body.read(chunk);
        QVERIFY(!piece.isEmpty());
        read += piece;
    }
    QCOMPARE(read, expected);
    // Once all of it went out, it is not sent a second time.
    QVERIFY(!body.seek(0));
}

void tst_Request::streamedBodyMissingOrShrinking()
{
    QTemporaryDir dir;
    const QByteArray head = tarvello::multipartHead(QStringLiteral("gone.png"));
    const QByteArray tail = tarvello::multipartTail(QString());
    tarvello::UploadBody missing(head, dir.filePath(QStringLiteral("gone.png")), tail);
    QVERIFY(missing.open(QIODevice::ReadOnly));
    QCOMPARE(missing.readAll(), head + tail);

    QFile file(dir.filePath(QStringLiteral("s.png")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1000, 'x'));
    file.close();
    tarvello::UploadBody shrinking(head, file.fileName(), tail);
    QVERIFY(shrinking.open(QIODevice::ReadOnly));
    QVERIFY(file.resize(10));
    QCOMPARE(shrinking.read(head.size() + 10).size(), head.size() + 10);
    QCOMPARE(shrinking.read(100), QByteArray()); // an error, not made-up bytes
}

QTEST_GUILESS_MAIN(tst_Request)
#include "tst_request.moc"
