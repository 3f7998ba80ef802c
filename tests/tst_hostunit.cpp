// The host's parts called directly: options, multipart bodies, content checks, text, ranges.

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include "address.h"
#include "brake.h"
#include "content.h"
#include "login.h"
#include "multipart.h"
#include "options.h"
#include "pace.h"
#include "page.h"
#include "store.h"
#include "sxcu.h"

using namespace std::string_literals;

namespace {

std::string str(const QByteArray &bytes)
{
    return bytes.toStdString();
}

QByteArray bytes(const std::string &text)
{
    return QByteArray::fromStdString(text);
}

const QByteArray uploadBoundary = "---------------------------723690991551375881941828858";

QByteArray le16(int v) { return QByteArray(1, char(v & 255)) + char(v >> 8 & 255); }
QByteArray le32(quint32 v) { return le16(v & 0xffff) + le16(v >> 16); }

QByteArray bmp(int declaredSize = -1)
{
    QByteArray info = le32(40) + le32(1) + le32(1) + le16(1) + le16(24) + QByteArray(24, '\0');
    QByteArray pixels(4, '\0');
    const int size = 14 + info.size() + pixels.size();
    return "BM" + le32(declaredSize < 0 ? size : declaredSize) + le32(0) + le32(14 + info.size()) + info + pixels;
}

} // namespace

class tst_HostUnit : public QObject
{
    Q_OBJECT

private slots:
    void options_data();
    void options();
    void boundary_data();
    void boundary();
    void multipart_data();
    void multipart();
    void sniff_data();
    void sniff();
    void clientText_data();
    void clientText();
    void range_data();
    void range();
    void usersFile_data();
    void usersFile();
    void addresses_data();
    void addresses();
    void brake_data();
    void brake();
    void pace_data();
    void pace();
    void basicLogin_data();
    void basicLogin();
    void password_data();
    void password();
    void page_data();
    void page();
    void uploaderFile_data();
    void uploaderFile();
    void reconcile_data();
    void reconcile();
};

void tst_HostUnit::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("outcome"); // ParsedOptions::Outcome
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("publicUrl");

    const int run = host::ParsedOptions::Run, error = host::ParsedOptions::Error;
    QTest::newRow("defaults") << QStringList() << run << 8765 << QString();
    QTest::newRow("port 0") << QStringList{"--port", "0"} << run << 0 << QString();
    QTest::newRow("port 65535") << QStringList{"--port", "65535"} << run << 65535 << QString();
    QTest::newRow("port=") << QStringList{"--port=123"} << run << 123 << QString();
    QTest::newRow("port abc") << QStringList{"--port", "abc"} << error << 0 << QString();
    QTest::newRow("port 99999") << QStringList{"--port", "99999"} << error << 0 << QString();
    QTest::newRow("port 80x") << QStringList{"--port", "80x"} << error << 0 << QString();
    QTest::newRow("port -1") << QStringList{"--port", "-1"} << error << 0 << QString();
    QTest::newRow("port +80") << QStringList{"--port", "+80"} << error << 0 << QString();
    QTest::newRow("port missing") << QStringList{"--port"} << error << 0 << QString();
    QTest::newRow("max-size 0") << QStringList{"--max-size", "0"} << error << 0 << QString();
    QTest::newRow("max-size 1k") << QStringList{"--max-size", "1k"} << error << 0 << QString();
    QTest::newRow("max-size huge") << QStringList{"--max-size", "99999999999999999999"} << error << 0 << QString();
    QTest::newRow("unknown") << QStringList{"--colour", "red"} << error << 0 << QString();
    QTest::newRow("bare word") << QStringList{"8080"} << error << 0 << QString();
    QTest::newRow("cert without key") << QStringList{"--tls-cert", "c.pem"} << error << 0 << QString();
    QTest::newRow("timeout 0") << QStringList{"--header-timeout", "0"} << error << 0 << QString();
    QTest::newRow("public url") << QStringList{"--public-url", "https://img.example.org/"} << run << 8765
                                << QString("https://img.example.org");
    QTest::newRow("public url ftp") << QStringList{"--public-url", "ftp://x"} << error << 0 << QString();
    QTest::newRow("public url bare") << QStringList{"--public-url", "example.org"} << error << 0 << QString();
    QTest::newRow("help") << QStringList{"--port", "1", "--help"} << int(host::ParsedOptions::Help) << 0 << QString();
    QTest::newRow("version") << QStringList{"--port", "1", "--version"} << int(host::ParsedOptions::Version) << 0 << QString();
    QTest::newRow("min-rate 0") << QStringList{"--min-rate", "0"} << error << 0 << QString();
    QTest::newRow("min-upload-rate 0") << QStringList{"--min-upload-rate", "0"} << error << 0 << QString();
    QTest::newRow("min-upload-rate=") << QStringList{"--min-upload-rate=1"} << run << 8765 << QString();
    QTest::newRow("proxy not an address") << QStringList{"--trusted-proxy", "proxy.example"} << error << 0 << QString();
    QTest::newRow("proxy IPv6") << QStringList{"--trusted-proxy", "::1"} << run << 8765 << QString();
}

void tst_HostUnit::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, outcome);
    QFETCH(int, port);
    QFETCH(QString, publicUrl);
    std::vector<std::string> args;
    for (const QString &a : arguments)
        args.push_back(a.toStdString());
    const host::ParsedOptions parsed = host::parseOptions(args);
    QCOMPARE(int(parsed.outcome), outcome);
    QCOMPARE(parsed.error.empty(), outcome != host::ParsedOptions::Error);
    if (outcome == host::ParsedOptions::Run) {
        QCOMPARE(int(parsed.options.port), port);
        QCOMPARE(QString::fromStdString(parsed.options.publicUrl), publicUrl);
    }
}

void tst_HostUnit::boundary_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("boundary");

    QTest::newRow("uploader") << "multipart/form-data; boundary=" + uploadBoundary << uploadBoundary;
    QTest::newRow("quoted") << QByteArray("multipart/form-data; boundary=\"a b:c\"; x=1") << QByteArray("a b:c");
    QTest::newRow("then charset") << QByteArray("multipart/form-data; boundary=xyz; charset=utf-8") << QByteArray("xyz");
    QTest::newRow("after charset") << QByteArray("multipart/form-data;charset=utf-8;boundary=xyz") << QByteArray("xyz");
    QTest::newRow("case") << QByteArray("Multipart/Form-Data; BOUNDARY=xyz") << QByteArray("xyz");
    QTest::newRow("spaces") << QByteArray("multipart/form-data ; boundary = xyz ") << QByteArray("xyz");
    QTest::newRow("not a parameter") << QByteArray("multipart/form-data; xboundary=xyz") << QByteArray();
    QTest::newRow("none") << QByteArray("multipart/form-data") << QByteArray();
    QTest::newRow("empty") << QByteArray("multipart/form-data; boundary=") << QByteArray();
    QTest::newRow("71 long") << "multipart/form-data; boundary=" + QByteArray(71, 'a') << QByteArray();
    QTest::newRow("70 long") << "multipart/form-data; boundary=" + QByteArray(70, 'a') << QByteArray(70, 'a');
    QTest::newRow("bad character") << QByteArray("multipart/form-data; boundary=a<b") << QByteArray();
    QTest::newRow("unclosed quote") << QByteArray("multipart/form-data; boundary=\"xyz") << QByteArray();
    QTest::newRow("other type") << QByteArray("multipart/mixed; boundary=xyz") << QByteArray();
}

void tst_HostUnit::boundary()
{
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, boundary);
    QCOMPARE(bytes(host::multipartBoundary(str(contentType))), boundary);
}

void tst_HostUnit::multipart_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("parts"); // name=content|... ; filename after '@'

    const QByteArray b = "--" + uploadBoundary;
    const QByteArray uploader = b + "\r\nContent-Disposition: form-data; name=\"action\"\r\n\r\n\r\n" + b
        + "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"a.png\"\r\nContent-Type: image/png\r\n\r\n"
          "PNG\r\n-\r\n--" + uploadBoundary.left(10) + "\r\n" + b
        + "\r\nContent-Disposition: form-data; name=\"desc\"\r\n\r\nhi\r\n\r\n" + b + "--";
    const QByteArray uploaderParts = "action=|file@a.png=PNG\r\n-\r\n--" + uploadBoundary.left(10) + "|desc=hi\r\n";
    QTest::newRow("uploader, no line end after close") << uploader << true << uploaderParts;
    QTest::newRow("line end and epilogue") << uploader + "\r\nepilogue" << true << uploaderParts;
    QTest::newRow("empty preamble") << "\r\n" + uploader << true << uploaderParts;
    QTest::newRow("preamble") << "some text\r\n" + uploader << true << uploaderParts;
    QTest::newRow("unquoted name, no spaces")
        << b + "\r\ncontent-disposition:form-data;name=file;filename=x.gif\r\n\r\nGIF\r\n" + b + "--" << true
        << QByteArray("file@x.gif=GIF");
    QTest::newRow("windows path as browsers send it")
        << b + "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"C:\\a\\b.png\"\r\n\r\nP\r\n" + b + "--" << true
        << QByteArray("file@C:\\a\\b.png=P");
    QTest::newRow("white space after delimiter")
        << b + "  \r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n" + b + "--" << true << QByteArray("a=1");
    QTest::newRow("empty part") << b + "\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n\r\n" + b + "--" << true
                                << QByteArray("a=");
    QTest::newRow("no close delimiter") << b + "\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n" << false
                                        << QByteArray();
    QTest::newRow("no disposition") << b + "\r\nContent-Type: text/plain\r\n\r\n1\r\n" + b + "--" << false << QByteArray();
    QTest::newRow("not form-data") << b + "\r\nContent-Disposition: attachment; name=a\r\n\r\n1\r\n" + b + "--" << false
                                   << QByteArray();
    QTest::newRow("junk after delimiter") << b + "x\r\nContent-Disposition: form-data; name=a\r\n\r\n1\r\n" + b + "--"
                                          << false << QByteArray();
    QTest::newRow("no delimiter at all") << QByteArray("hello") << false << QByteArray();
    QTest::newRow("huge part headers") << b + "\r\nX: " + QByteArray(20000, 'a') + "\r\n\r\n1\r\n" + b + "--" << false
                                       << QByteArray();
}

// The same body fed whole and in small pieces gives the same parts.
void tst_HostUnit::multipart()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, valid);
    QFETCH(QByteArray, parts);

    class Collect : public host::MultipartReader::Sink
    {
    public:
        bool partBegins(const host::PartHeader &header) override
        {
            if (!text.isEmpty())
                text += '|';
            text += bytes(header.name) + (header.hasFilename ? "@" + bytes(header.filename) : QByteArray()) + '=';
            return true;
        }
        bool partData(const char *data, size_t size) override
        {
            text.append(data, qsizetype(size));
            return true;
        }
        bool partEnds() override { return true; }
        QByteArray text;
    };
    for (int piece : {0, 1, 2, 7, 61}) {
        Collect collect;
        host::MultipartReader reader(str(uploadBoundary), &collect);
        bool ok = true;
        const int step = piece ? piece : int(body.size());
        for (int at = 0; at < body.size() && ok; at += step)
            ok = reader.feed(body.constData() + at, size_t(qMin(step, int(body.size()) - at)));
        QVERIFY2((ok && reader.complete()) == valid, qPrintable(QString::number(piece)));
        if (valid)
            QCOMPARE(collect.text, parts);
    }
}

void tst_HostUnit::sniff_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("type");

    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108020000009077") + "rest";
    QTest::newRow("png") << png << QByteArray("png");
    QTest::newRow("png signature only") << png.left(8) << QByteArray();
    QTest::newRow("png zero width") << QByteArray(png).replace(16, 4, QByteArray(4, '\0')) << QByteArray();
    QTest::newRow("jpeg") << QByteArray::fromHex("ffd8ffe000104a464946") << QByteArray("jpg");
    QTest::newRow("jpeg no marker") << QByteArray::fromHex("ffd8ffff00") << QByteArray();
    QTest::newRow("gif") << QByteArray("GIF89a") + le16(1) + le16(1) + QByteArray(8, '\0') << QByteArray("gif");
    QTest::newRow("gif cut") << QByteArray("GIF89a\x01") << QByteArray();
    QTest::newRow("bmp") << bmp() << QByteArray("bmp");
    QTest::newRow("bmp wrong size") << bmp(99999) << QByteArray();
    QTest::newRow("BM and bytes") << QByteArray("BM") + QByteArray(40, 'x') << QByteArray();
    QTest::newRow("webp") << "RIFF" + le32(20) + "WEBPVP8L" + QByteArray(12, '\0') << QByteArray("webp");
    QTest::newRow("tiff") << QByteArray("II*\0", 4) + le32(8) + QByteArray(16, '\0') << QByteArray("tiff");
    QTest::newRow("tiff bad offset") << QByteArray("II*\0", 4) + le32(9999) + QByteArray(16, '\0') << QByteArray();
    QTest::newRow("svg") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"/>") << QByteArray("svg");
    QTest::newRow("svg with prolog") << QByteArray("\xef\xbb\xbf<?xml version=\"1.0\"?>\n<!-- c -->\n<!DOCTYPE svg>\n<svg>")
                                     << QByteArray("svg");
    QTest::newRow("text naming svg") << QByteArray("hello <svg onload=alert(1)>") << QByteArray();
    QTest::newRow("html") << QByteArray("<html><svg></svg></html>") << QByteArray();
    QTest::newRow("svgx element") << QByteArray("<svgx>") << QByteArray();
}

void tst_HostUnit::sniff()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, type);
    QCOMPARE(bytes(host::sniffImageType(str(content), uint64_t(content.size()))), type);
}

void tst_HostUnit::clientText_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QByteArray("plain") << 100 << QString("plain");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << 100 << QString("café €");
    QTest::newRow("latin-1") << QByteArray("caf\xe9") << 100 << QString("café");
    QTest::newRow("references") << QByteArray("\xe9&#8364;&#x1F600;&#12354;") << 100 << QString("é€😀あ");
    QTest::newRow("not references") << QByteArray("&#0; &#55296; &#12 &#; &amp; &#99999999;") << 100
                                    << QString("&#0; &#55296; &#12 &#; &amp; &#99999999;");
    QTest::newRow("overlong utf-8 is latin-1") << QByteArray("\xc0\xaf") << 100 << QString("À¯");
    QTest::newRow("cut in characters") << QByteArray("\xc3\xa9\xc3\xa9\xc3\xa9") << 2 << QString("éé");
    QTest::newRow("reference counts once") << QByteArray("&#8364;&#8364;x") << 2 << QString("€€");
}

void tst_HostUnit::clientText()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, max);
    QFETCH(QString, text);
    const std::string out = host::clientText(str(raw), size_t(max));
    QVERIFY(host::isValidUtf8(out));
    QCOMPARE(QString::fromStdString(out), text);
}

void tst_HostUnit::range_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("length");

    const int whole = host::ByteRange::Whole, part = host::ByteRange::Part, none = host::ByteRange::Unsatisfiable;
    QTest::newRow("no header") << QByteArray() << whole << 0 << 100;
    QTest::newRow("from-to") << QByteArray("bytes=10-19") << part << 10 << 10;
    QTest::newRow("open end") << QByteArray("bytes=90-") << part << 90 << 10;
    QTest::newRow("past the end") << QByteArray("bytes=90-500") << part << 90 << 10;
    QTest::newRow("suffix") << QByteArray("bytes=-5") << part << 95 << 5;
    QTest::newRow("suffix larger") << QByteArray("bytes=-500") << part << 0 << 100;
    QTest::newRow("start beyond") << QByteArray("bytes=100-") << none << 0 << 0;
    QTest::newRow("several") << QByteArray("bytes=0-,0-,0-") << whole << 0 << 100;
    QTest::newRow("reversed") << QByteArray("bytes=9-1") << whole << 0 << 100;
    QTest::newRow("other unit") << QByteArray("items=0-1") << whole << 0 << 100;
}

void tst_HostUnit::range()
{
    QFETCH(QByteArray, header);
    QFETCH(int, kind);
    QFETCH(int, first);
    QFETCH(int, length);
    const host::ByteRange r = host::parseRange(str(header), 100);
    QCOMPARE(int(r.kind), kind);
    if (kind != host::ByteRange::Unsatisfiable) {
        QCOMPARE(int(r.first), first);
        QCOMPARE(int(r.length), length);
    }
}

void tst_HostUnit::usersFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the path is a folder
    QTest::addColumn<bool>("loads");
    QTest::addColumn<bool>("annLogsIn");

    QTest::newRow("plain") << QByteArray("ann:pw\nbob:\n") << true << true;
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf" "ann:pw\r\nbob:\r\n") << true << true;
    QTest::newRow("comment") << QByteArray("# ann:pw\nbob:\n") << true << false;
    QTest::newRow("not name:password") << QByteArray("ann\n") << false << false;
    QTest::newRow("a folder") << QByteArray() << false << false;
}

void tst_HostUnit::usersFile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, loads);
    QFETCH(bool, annLogsIn);
    QTemporaryDir dir;
    QString path = dir.filePath("users");
    if (content.isEmpty()) {
        QVERIFY(QDir(dir.path()).mkdir("users"));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    host::Accounts accounts;
    std::string problem;
    QCOMPARE(accounts.load(path.toStdString(), &problem), loads);
    QCOMPARE(problem.empty(), loads);
    QCOMPARE(accounts.check("ann", "pw"), annLogsIn);
    if (loads)
        QVERIFY(accounts.check("bob", ""));
}

void tst_HostUnit::addresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("key");

    QTest::newRow("IPv4") << "192.0.2.7" << "192.0.2.7";
    QTest::newRow("IPv4 as IPv6") << "::ffff:192.0.2.7" << "192.0.2.7";
    QTest::newRow("IPv6: the /64 counts") << "2001:db8:1:2:aaaa:bbbb:cccc:dddd" << "2001:db8:1:2::/64";
    QTest::newRow("IPv6 in brackets, same /64") << "[2001:db8:1:2::1]" << "2001:db8:1:2::/64";
    QTest::newRow("IPv6 next /64") << "2001:db8:1:3::1" << "2001:db8:1:3::/64";
    QTest::newRow("a name") << "proxy.example" << "";
    QTest::newRow("with a port") << "192.0.2.7:80" << "";
}

void tst_HostUnit::addresses()
{
    QFETCH(QString, address);
    QFETCH(QString, key);
    QCOMPARE(QString::fromStdString(host::addressKey(address.toStdString())), key);

    // Two per client, three in all; a connection that ends gives its place back.
    host::ConnectionCounter counter(3, 2);
    const std::string a = "a", b = "b";
    counter.add(a);
    counter.add(a);
    QVERIFY(!counter.admits(a));
    QVERIFY(counter.admits(b));
    counter.add(b);
    QVERIFY(!counter.admits("c"));
    counter.remove(a);
    QVERIFY(counter.admits("c"));
    QVERIFY(counter.admits(a));
}

void tst_HostUnit::pace_data()
{
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<quint64>("rate");
    QTest::addColumn<bool>("behind");

    // A grace of 10 s throughout.
    QTest::newRow("nothing yet, within the grace") << qint64(9999) << quint64(0) << quint64(4096) << false;
    QTest::newRow("exactly on time") << qint64(12000) << quint64(8192) << quint64(4096) << false;
    QTest::newRow("one byte short") << qint64(12000) << quint64(8191) << quint64(4096) << true;
    QTest::newRow("a phone at 20 KB/s, then a minute's pause") << qint64(90000) << quint64(30 * 20000) << quint64(4096) << false;
    QTest::newRow("400 days at the largest rate do not wrap") << qint64(400) * 24 * 3600 * 1000 << ~quint64(0) - 1
                                                             << (quint64(1) << 30) << true;
}

// The average, not the last few seconds, decides; what is due never wraps round to little.
void tst_HostUnit::pace()
{
    QFETCH(qint64, elapsedMs);
    QFETCH(quint64, bytes);
    QFETCH(quint64, rate);
    QFETCH(bool, behind);
    const host::Pace::Clock::time_point start{};
    const host::Pace pace(start, std::chrono::seconds(10), rate);
    QCOMPARE(pace.behind(bytes, start + std::chrono::milliseconds(elapsedMs)), behind);
}

void tst_HostUnit::brake_data()
{
    QTest::addColumn<int>("addressTries");
    QTest::addColumn<int>("accountTries");
    // "SECONDS ADDRESS ACCOUNT fail[*N]|ok|wait EXPECTED"
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("free tries, then doubling") << 2 << 100 << QStringList{
        "0 a ann fail", "0 a ann wait 0", "0 a ann fail", "0 a ann wait 1", "1 a ann fail", "1 a ann wait 2",
        "3 a ann fail", "3 a ann wait 4", "3 a bob wait 4", "3 b ann wait 0"};
    QTest::newRow("an address waits five minutes at most") << 1 << 100 << QStringList{"0 a ann fail*40", "0 a ann wait 300"};
    QTest::newRow("one account guessed from many addresses") << 100 << 3 << QStringList{
        "0 a1 ann fail", "0 a2 ann fail", "0 a3 ann wait 0", "0 a3 ann fail", "0 a4 ann wait 1", "0 a4 bob wait 0"};
    QTest::newRow("an account waits 30 s at most") << 100 << 1 << QStringList{"0 a ann fail*40", "0 z ann wait 30"};
    QTest::newRow("where the owner logged in, no account wait") << 100 << 2 << QStringList{
        "0 home ann ok", "0 x ann fail*10", "0 y ann wait 30", "0 home ann wait 0"};
    QTest::newRow("the owner's slips do not slow others") << 100 << 2 << QStringList{
        "0 home ann ok", "0 home ann fail*5", "0 x ann wait 0"};
    QTest::newRow("forgotten an hour after the last") << 1 << 100 << QStringList{
        "0 a ann fail*3", "0 a ann wait 4", "3700 a ann wait 0", "3700 a ann fail", "3700 a ann wait 1"};
    QTest::newRow("trust ends after 30 days") << 100 << 1 << QStringList{
        "0 home ann ok", "2678500 x ann fail*3", "2678500 home ann wait 4"};
}

void tst_HostUnit::brake()
{
    QFETCH(int, addressTries);
    QFETCH(int, accountTries);
    QFETCH(QStringList, steps);
    host::LoginBrake::Rules rules;
    rules.addressTries = unsigned(addressTries);
    rules.accountTries = unsigned(accountTries);
    host::LoginBrake brake(rules);
    for (const QString &step : steps) {
        const QStringList parts = step.split(QLatin1Char(' '));
        const auto at = host::LoginBrake::Clock::time_point() + std::chrono::hours(1) + std::chrono::seconds(parts[0].toLongLong());
        const std::string address = parts[1].toStdString(), account = parts[2].toStdString();
        if (parts[3].startsWith(QLatin1String("fail"))) {
            const int times = parts[3].contains(QLatin1Char('*')) ? parts[3].section(QLatin1Char('*'), 1).toInt() : 1;
            for (int i = 0; i < times; ++i)
                brake.failed(address, account, at);
        } else if (parts[3] == QLatin1String("ok")) {
            brake.succeeded(address, account, at);
        } else {
            QVERIFY2(brake.wait(address, account, at) == parts[4].toUInt(),
                     qPrintable(step + QStringLiteral(": ") + QString::number(brake.wait(address, account, at))));
        }
    }
}

void tst_HostUnit::basicLogin_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");

    const auto basic = [](const QByteArray &login) { return "Basic " + login.toBase64(); };
    QTest::newRow("plain") << basic("ann:pw") << true << QByteArray("ann") << QByteArray("pw");
    QTest::newRow("scheme in any case, spaces") << "basic  " + QByteArray("ann:pw").toBase64() + " " << true
                                                << QByteArray("ann") << QByteArray("pw");
    QTest::newRow("colon in the password") << basic("ann:a:b") << true << QByteArray("ann") << QByteArray("a:b");
    QTest::newRow("empty password") << basic("bob:") << true << QByteArray("bob") << QByteArray();
    QTest::newRow("UTF-8") << basic("j\xc3\xbcrgen:p\xc3\xa4ss") << true << QByteArray("j\xc3\xbcrgen")
                           << QByteArray("p\xc3\xa4ss");
    QTest::newRow("every byte value") << basic(QByteArray("x:") + QByteArray::fromHex("00ff7f80fe3d")) << true
                                      << QByteArray("x") << QByteArray::fromHex("00ff7f80fe3d");
    QTest::newRow("no colon") << basic("ann") << false << QByteArray() << QByteArray();
    QTest::newRow("padding missing") << QByteArray("Basic YW5uOnA") << false << QByteArray() << QByteArray();
    QTest::newRow("not base64") << QByteArray("Basic YW5u*npw") << false << QByteArray() << QByteArray();
    QTest::newRow("data after padding") << QByteArray("Basic YQ==YW5uOnB3") << false << QByteArray() << QByteArray();
    QTest::newRow("another scheme") << QByteArray("Bearer YW5uOnB3") << false << QByteArray() << QByteArray();
}

void tst_HostUnit::basicLogin()
{
    QFETCH(QByteArray, header);
    QFETCH(bool, valid);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    std::string u, p;
    QCOMPARE(host::parseBasicAuthorization(str(header), &u, &p), valid);
    if (valid) {
        QCOMPARE(bytes(u), user);
        QCOMPARE(bytes(p), password);
        QCOMPARE(bytes(host::base64Encoded(str(user + ':' + password))), (user + ':' + password).toBase64());
    }
    // The login form: '+' is a space, %XX a byte.
    const auto fields = host::parseFormFields("user=ann+b&password=a%26b%3D%zz&empty&=x");
    QCOMPARE(fields.at("user"), "ann b"s);
    QCOMPARE(fields.at("password"), "a&b=%zz"s);
    QCOMPARE(fields.at("empty"), ""s);
}

void tst_HostUnit::password_data()
{
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("same");

    QTest::newRow("same") << QByteArray("pw") << QByteArray("pw") << true;
    QTest::newRow("first byte differs") << QByteArray("xw") << QByteArray("pw") << false;
    QTest::newRow("last byte differs") << QByteArray("px") << QByteArray("pw") << false;
    QTest::newRow("given is shorter") << QByteArray("p") << QByteArray("pw") << false;
    QTest::newRow("given is longer") << QByteArray("pwx") << QByteArray("pw") << false;
    QTest::newRow("a NUL after the stored one") << QByteArray("pw\0", 3) << QByteArray("pw") << false;
    QTest::newRow("nothing stored") << QByteArray("pw") << QByteArray() << false;
    QTest::newRow("nothing given") << QByteArray() << QByteArray("pw") << false;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
    QTest::newRow("high bytes") << QByteArray("\xff\x80") << QByteArray("\xff\x80") << true;
}

// Besides the answer, every byte given is read wherever the first difference is and however
// long the stored password is: with a MiB of zero bytes appended to both, the given one in a
// fresh mapping, reading each of its pages costs this thread a page fault.
void tst_HostUnit::password()
{
    QFETCH(QByteArray, given);
    QFETCH(QByteArray, stored);
    QFETCH(bool, same);
    QCOMPARE(host::samePassword(str(given), str(stored)), same);

    const size_t padding = 1024 * 1024, pageSize = size_t(sysconf(_SC_PAGESIZE));
    const size_t length = size_t(given.size()) + padding;
    void *mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    QVERIFY(mapping != MAP_FAILED);
    madvise(mapping, length, MADV_NOHUGEPAGE);
    memcpy(mapping, given.constData(), size_t(given.size()));
    const std::string longStored = str(stored) + std::string(padding, '\0');
    rusage before{}, after{};
    getrusage(RUSAGE_THREAD, &before);
    const bool longSame = host::samePassword(std::string_view(static_cast<const char *>(mapping), length), longStored);
    getrusage(RUSAGE_THREAD, &after);
    munmap(mapping, length);
    QCOMPARE(longSame, same);
    QVERIFY2(size_t(after.ru_minflt - before.ru_minflt) >= padding / pageSize - 2,
             qPrintable(QString::number(after.ru_minflt - before.ru_minflt)));
}

void tst_HostUnit::page_data()
{
    QTest::addColumn<QByteArray>("description"); // as stored
    QTest::addColumn<QByteArray>("filename");
    QTest::addColumn<bool>("accounts");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("language, small screens, the uploader file")
        << QByteArray() << QByteArray("a.png") << false
        << QStringList{"<html lang=\"en\">", "<meta name=\"viewport\" content=\"width=device-width", "href=\"/tarvello.sxcu\""}
        << QStringList{"<form"};
    QTest::newRow("login form with accounts") << QByteArray() << QByteArray("a.png") << true
        << QStringList{"<form method=\"post\" action=\"/tarvello.sxcu\">", "type=\"password\" name=\"password\""}
        << QStringList();
    QTest::newRow("alt text from the description") << QByteArray("a red square") << QByteArray("a.png") << false
                                                   << QStringList{"alt=\"a red square\""} << QStringList{"alt=\"a.png\""};
    QTest::newRow("alt text from the file name") << QByteArray() << QByteArray("sunset.jpg") << false
                                                 << QStringList{"alt=\"sunset.jpg\""} << QStringList();
    QTest::newRow("alt text from the file name under a blank description") << QByteArray(" \t ") << QByteArray("sunset.jpg")
        << false << QStringList{"alt=\"sunset.jpg\""} << QStringList{"alt=\" \t \""};
    QTest::newRow("alt text from the stored name") << QByteArray() << QByteArray() << false
                                                   << QStringList{"alt=\"0123456789abcdef.png\""} << QStringList();
    QTest::newRow("alt text escaped") << QByteArray("\"><script>x</script>") << QByteArray("a.png") << false
                                      << QStringList{"alt=\"&quot;&gt;&lt;script&gt;"} << QStringList{"<script>"};
    QTest::newRow("a reference is shown as it was typed") << QByteArray("&#65; &#x42;") << QByteArray("&#67;.png") << false
        << QStringList{"&amp;#65; &amp;#x42;", "&amp;#67;.png"} << QStringList{">A B<", ">C.png<"};
    QTest::newRow("right-to-left override") << QByteArray("evil \xe2\x80\xae" "gnp.exe") << QByteArray("x\xe2\x80\xae" "gnp.png")
                                            << false << QStringList() << QStringList();
}

// Besides what each row names, no text from the client stands outside an isolating element or
// the alt attribute, where a direction override would run on into the page.
void tst_HostUnit::page()
{
    QFETCH(QByteArray, description);
    QFETCH(QByteArray, filename);
    QFETCH(bool, accounts);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    host::Record record;
    record.name = "0123456789abcdef.png";
    record.size = 2048;
    record.description = str(description);
    record.filename = str(filename);
    record.date = "2026-12-07 17:37";
    host::IndexPage page;
    page.records = {record};
    page.total = 1;
    page.accounts = accounts;
    const QString html = QString::fromStdString(host::indexHtml(page));
    for (const QString &text : present)
        QVERIFY2(html.contains(text), qPrintable(text));
    for (const QString &text : absent)
        QVERIFY2(!html.contains(text), qPrintable(text));
    QString outside = html;
    outside.remove(QRegularExpression("<bdi>[^<]*</bdi>")).remove(QRegularExpression("alt=\"[^\"]*\""));
    if (!description.isEmpty())
        QVERIFY(!outside.contains(QString::fromStdString(host::htmlEscaped(str(description)))));
    if (!filename.isEmpty())
        QVERIFY(!outside.contains(QString::fromStdString(host::htmlEscaped(str(filename)))));
}

void tst_HostUnit::uploaderFile_data()
{
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("authorization");
    QTest::addColumn<QString>("requestUrl");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("local") << QByteArray("http://127.0.0.1:8765") << QByteArray()
                           << "http://127.0.0.1:8765/upload/index/bitlyonly/true/" << "tarvello-host on 127.0.0.1:8765"
                           << "127.0.0.1_8765.sxcu";
    QTest::newRow("public address with a path") << QByteArray("https://img.example.org/pics") << QByteArray()
        << "https://img.example.org/pics/upload/index/bitlyonly/true/" << "tarvello-host on img.example.org"
        << "img.example.org.sxcu";
    QTest::newRow("IPv6") << QByteArray("http://[::1]:8765") << QByteArray()
                          << "http://[::1]:8765/upload/index/bitlyonly/true/" << "tarvello-host on [::1]:8765"
                          << "___1__8765.sxcu";
    QTest::newRow("the format's own characters escaped") << QByteArray("https://h.example/a{b}|c\\") << QByteArray()
        << "https://h.example/a\\{b\\}\\|c\\\\/upload/index/bitlyonly/true/" << "tarvello-host on h.example"
        << "h.example.sxcu";
    QTest::newRow("with a login") << QByteArray("https://img.example.org") << QByteArray("Basic YW5uOnB3")
                                  << "https://img.example.org/upload/index/bitlyonly/true/"
                                  << "tarvello-host on img.example.org" << "img.example.org.sxcu";
}

void tst_HostUnit::uploaderFile()
{
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, authorization);
    QFETCH(QString, requestUrl);
    QFETCH(QString, name);
    QFETCH(QString, fileName);
    QJsonParseError error;
    const QJsonObject file = QJsonDocument::fromJson(bytes(host::customUploaderFile(str(base), str(authorization))), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    // The format's version with {...} syntax; a multipart POST whose whole answer is the link.
    const QStringList fixed{"Version=14.0.0", "DestinationType=ImageUploader", "RequestMethod=POST",
                            "Body=MultipartFormData", "FileFormName=file", "URL={response}", "ErrorMessage={response}"};
    for (const QString &pair : fixed)
        QCOMPARE(pair.section('=', 0, 0) + '=' + file.value(pair.section('=', 0, 0)).toString(), pair);
    QCOMPARE(file.value("RequestURL").toString(), requestUrl);
    QCOMPARE(file.value("Name").toString(), name);
    QCOMPARE(file.value("Headers").toObject().value("Authorization").toString(), QString::fromLatin1(authorization));
    QCOMPARE(file.contains("Headers"), !authorization.isEmpty());
    QCOMPARE(QString::fromStdString(host::customUploaderFileName(str(base))), fileName);
}

void tst_HostUnit::reconcile_data()
{
    // Letters stand for images 000000000000000a.png ...; "notes.txt" for a file of someone else.
    QTest::addColumn<QString>("indexed");  // lines in index.tsv
    QTest::addColumn<QString>("complete"); // images on disk
    QTest::addColumn<QString>("broken");   // files with an image's name that are no image
    QTest::addColumn<QString>("listed");   // the index afterwards, oldest first
    QTest::addColumn<QString>("kept");     // what is on disk afterwards
    QTest::addColumn<int>("logLines");

    QTest::newRow("in order") << "ab" << "ab" << "" << "ab" << "ab" << 0;
    QTest::newRow("stored, never recorded") << "a" << "ab" << "" << "ab" << "ab" << 1;
    QTest::newRow("never recorded, incomplete") << "a" << "a" << "c" << "a" << "a" << 1;
    QTest::newRow("a line whose image was deleted stays") << "ab" << "b" << "" << "ab" << "b" << 0;
    QTest::newRow("all at once") << "abc" << "ad" << "e" << "abcd" << "ad" << 2;
    QTest::newRow("no index yet") << "" << "a" << "" << "a" << "a" << 1;
}

void tst_HostUnit::reconcile()
{
    QFETCH(QString, indexed);
    QFETCH(QString, complete);
    QFETCH(QString, broken);
    QFETCH(QString, listed);
    QFETCH(QString, kept);
    QFETCH(int, logLines);
    const auto name = [](QChar letter) { return QStringLiteral("000000000000000%1.png").arg(letter); };
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108020000009077") + "rest";
    QTemporaryDir dir;
    const auto write = [&dir](const QString &file, const QByteArray &content) {
        QFile out(dir.filePath(file));
        return out.open(QIODevice::WriteOnly) && out.write(content) == content.size();
    };
    QByteArray index;
    for (QChar letter : indexed)
        index += name(letter).toLatin1() + "\t" + QByteArray::number(png.size()) + "\t\tdesc\tf.png\t2026-01-01 00:00\n";
    QVERIFY(write("index.tsv", index));
    for (QChar letter : complete)
        QVERIFY(write(name(letter), png));
    for (QChar letter : broken)
        QVERIFY(write(name(letter), png.left(12)));
    QVERIFY(write("notes.txt", "not ours"));

    for (int run = 0; run < 2; ++run) {
        QStringList log;
        host::Store store(dir.path().toStdString());
        std::string problem;
        QVERIFY(store.open(&problem, [&log](const std::string &line) { log << QString::fromStdString(line); }));
        QCOMPARE(log.size(), run == 0 ? logLines : 0); // the second start finds nothing to mend
        size_t total = 0;
        QString names;
        for (const host::Record &record : store.page(0, 100, &total)) {
            names.prepend(record.name.at(15));
            QVERIFY(!record.date.empty());
        }
        QCOMPARE(names, listed);
        QStringList expected{"index.tsv", "notes.txt"};
        for (QChar letter : kept)
            expected << name(letter);
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
    }
}

QTEST_GUILESS_MAIN(tst_HostUnit)
#include "tst_hostunit.moc"
