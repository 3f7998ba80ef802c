// The host's parts called directly: options, multipart bodies, content checks, text, ranges.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "content.h"
#include "multipart.h"
#include "options.h"
#include "store.h"

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

QTEST_GUILESS_MAIN(tst_HostUnit)
#include "tst_hostunit.moc"
