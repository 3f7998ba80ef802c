// Custom-uploader files: what is imported, what is refused and why, and writing them back.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "base/sxcu.h"

using tarvello::Destination;
using tarvello::SxcuRefusal;
using tarvello::TemplateProblem;
using tarvello::TemplateSyntax;

Q_DECLARE_METATYPE(SxcuRefusal::Kind)
Q_DECLARE_METATYPE(TemplateProblem::Kind)
Q_DECLARE_METATYPE(TemplateSyntax)

namespace {

// A valid image destination with `extra` members added or replacing its own.
QByteArray sxcu(const QByteArray &extra = QByteArray())
{
    QByteArray text = "{\"Version\": \"14.0.0\", \"DestinationType\": \"ImageUploader\", \"RequestMethod\": \"POST\", "
                      "\"RequestURL\": \"https://img.example.com/upload\", \"Body\": \"MultipartFormData\", "
                      "\"FileFormName\": \"file\"";
    if (!extra.isEmpty())
        text += ", " + extra;
    return text + '}';
}

} // namespace

class tst_Sxcu : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void refusedFiles_data();
    void refusedFiles();
    void accepted_data();
    void accepted();
    void keepsOrder();
    void roundTrip_data();
    void roundTrip();
    void exportWithoutSecrets();
};

void tst_Sxcu::refused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<SxcuRefusal::Kind>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<TemplateProblem::Kind>("problem");
    QTest::addColumn<QString>("name"); // the template named, or the detail

    const auto none = TemplateProblem::None;
    QTest::newRow("broken JSON") << QByteArray("{\"Name\": \"x\",") << SxcuRefusal::BrokenJson << QString() << none << QString();
    QTest::newRow("an array") << QByteArray("[1, 2]") << SxcuRefusal::NotAnObject << QString() << none << QString();
    QTest::newRow("name not a string") << sxcu("\"Name\": 3") << SxcuRefusal::BadField << "Name" << none << QString();
    QTest::newRow("text uploader") << sxcu("\"DestinationType\": \"TextUploader\"") << SxcuRefusal::NotImageDestination
                                   << "DestinationType" << none << "TextUploader";
    QTest::newRow("shortener, JSON body")
            << QByteArray("{\"DestinationType\": \"URLShortener\", \"RequestURL\": \"https://s.example\", \"Body\": \"JSON\"}")
            << SxcuRefusal::NotImageDestination << "DestinationType" << none << "URLShortener";
    QTest::newRow("nothing named, no file")
            << QByteArray("{\"RequestURL\": \"https://s.example\", \"Body\": \"FormURLEncoded\"}")
            << SxcuRefusal::NotImageDestination << "DestinationType" << none << QString();
    QTest::newRow("image, JSON body") << sxcu("\"Body\": \"JSON\"") << SxcuRefusal::BodyWithoutFile << "Body" << none << "JSON";
    QTest::newRow("image, no body") << sxcu("\"Body\": \"None\"") << SxcuRefusal::BodyWithoutFile << "Body" << none << "None";
    QTest::newRow("unknown body") << sxcu("\"Body\": \"Telepathy\"") << SxcuRefusal::BadField << "Body" << none << "Telepathy";
    QTest::newRow("no file field") << sxcu("\"FileFormName\": \"\"") << SxcuRefusal::NoFileFormName << "FileFormName" << none << QString();
    QTest::newRow("GET") << sxcu("\"RequestMethod\": \"GET\"") << SxcuRefusal::MethodNotAllowed << "RequestMethod" << none << "GET";
    QTest::newRow("ftp address") << sxcu("\"RequestURL\": \"ftp://example.com/up\"") << SxcuRefusal::NotHttpAddress
                                 << "RequestURL" << none << "ftp://example.com/up";
    QTest::newRow("local file") << sxcu("\"RequestURL\": \"file:///etc/passwd\"") << SxcuRefusal::NotHttpAddress
                                << "RequestURL" << none << "file:///etc/passwd";
    QTest::newRow("no host") << sxcu("\"RequestURL\": \"https:///upload\"") << SxcuRefusal::NotHttpAddress
                             << "RequestURL" << none << "https:///upload";
    QTest::newRow("unknown template, braces") << sxcu("\"URL\": \"{jsonn:url}\"") << SxcuRefusal::BadTemplate << "URL"
                                              << TemplateProblem::Unknown << "jsonn";
    QTest::newRow("unknown template, dollars")
            << sxcu("\"Version\": \"13.1.0\", \"URL\": \"https://x/$uploadid$\"") << SxcuRefusal::BadTemplate << "URL"
            << TemplateProblem::Unknown << "uploadid";
    QTest::newRow("unknown template in a header")
            << sxcu("\"Headers\": {\"X-Id\": \"{uuid}\"}") << SxcuRefusal::BadTemplate << "Headers: X-Id"
            << TemplateProblem::Unknown << "uuid";
    QTest::newRow("text-only template") << sxcu("\"Arguments\": {\"t\": \"{input}\"}") << SxcuRefusal::BadTemplate
                                        << "Arguments: t" << TemplateProblem::NotForImages << "input";
    QTest::newRow("answer read in the request") << sxcu("\"RequestURL\": \"https://x/{json:id}\"")
                                                << SxcuRefusal::BadTemplate << "RequestURL"
                                                << TemplateProblem::AnswerInRequest << "json";
    QTest::newRow("unclosed brace") << sxcu("\"URL\": \"https://x/{json:url\"") << SxcuRefusal::BadTemplate << "URL"
                                    << TemplateProblem::Unterminated << "{json:url";
    QTest::newRow("unclosed dollar") << sxcu("\"Version\": \"12.4.1\", \"URL\": \"https://x/$json:url\"")
                                     << SxcuRefusal::BadTemplate << "URL" << TemplateProblem::Unterminated << "$json:url";
    QTest::newRow("bad JSON path") << sxcu("\"URL\": \"{json:files[x}\"") << SxcuRefusal::BadTemplate << "URL"
                                   << TemplateProblem::BadArguments << "json";
    QTest::newRow("bad inline regex") << sxcu("\"URL\": \"{regex:(a}\"") << SxcuRefusal::BadTemplate << "URL"
                                      << TemplateProblem::BadRegex << "regex";
    QTest::newRow("no such group") << sxcu("\"URL\": \"{regex:a(b)|2}\"") << SxcuRefusal::BadTemplate << "URL"
                                   << TemplateProblem::NoSuchGroup << "regex";
    QTest::newRow("no such list entry")
            << sxcu("\"Version\": \"13.0.0\", \"RegexList\": [\"a\"], \"URL\": \"$regex:2$\"") << SxcuRefusal::BadTemplate
            << "URL" << TemplateProblem::NoSuchRegex << "regex";
    QTest::newRow("no such named group")
            << sxcu("\"Version\": \"13.0.0\", \"RegexList\": [\"(?<id>\\\\d+)\"], \"URL\": \"$regex:1,name$\"")
            << SxcuRefusal::BadTemplate << "URL" << TemplateProblem::NoSuchGroup << "regex";
    QTest::newRow("broken list entry") << sxcu("\"RegexList\": [\"a\", \"(\"]") << SxcuRefusal::BadRegexList
                                       << "RegexList" << none << "(";
    QTest::newRow("Host header") << sxcu("\"Headers\": {\"Host\": \"elsewhere.example\"}") << SxcuRefusal::HeaderNotAllowed
                                 << "Headers" << none << "Host";
    QTest::newRow("header name with a colon") << sxcu("\"Headers\": {\"X-A: b\": \"c\"}") << SxcuRefusal::BadHeaderName
                                              << "Headers" << none << "X-A: b";
    QTest::newRow("header value with a line break") << sxcu("\"Headers\": {\"X-A\": \"b\\r\\nHost: e\"}")
                                                    << SxcuRefusal::BadHeaderValue << "Headers" << none << "X-A";
    QTest::newRow("too large") << sxcu("\"Name\": \"" + QByteArray(70000, 'a') + '"') << SxcuRefusal::TooLarge
                               << QString() << none << QString();
}

void tst_Sxcu::refused()
{
    QFETCH(QByteArray, text);
    QFETCH(SxcuRefusal::Kind, kind);
    QFETCH(QString, field);
    QFETCH(TemplateProblem::Kind, problem);
    QFETCH(QString, name);

    const tarvello::SxcuReading reading = tarvello::readSxcu(text);
    QVERIFY(!reading.destination);
    QCOMPARE(reading.refusal.kind, kind);
    QCOMPARE(reading.refusal.field, field);
    QCOMPARE(reading.refusal.problem.kind, problem);
    QCOMPARE(problem == TemplateProblem::None ? reading.refusal.detail : reading.refusal.problem.name, name);
}

void tst_Sxcu::refusedFiles_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<SxcuRefusal::Kind>("kind");

    QTest::newRow("huge file") << "huge" << SxcuRefusal::TooLarge;
    QTest::newRow("FIFO") << "fifo" << SxcuRefusal::NotAFile;
    QTest::newRow("link to a good file") << "link" << SxcuRefusal::Link;
    QTest::newRow("folder") << "folder" << SxcuRefusal::NotAFile;
    QTest::newRow("missing") << "missing" << SxcuRefusal::Missing;
    QTest::newRow("good file") << "good" << SxcuRefusal::None;
}

void tst_Sxcu::refusedFiles()
{
    QFETCH(QString, what);
    QFETCH(SxcuRefusal::Kind, kind);

    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.sxcu"));
    QFile file(good);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sxcu());
    file.close();
    QString path = dir.filePath(what);
    if (what == QLatin1String("huge")) {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        // Valid JSON all the same: the size alone refuses it, before any parsing.
        huge.write(sxcu("\"Name\": \"" + QByteArray(8 * 1024 * 1024, 'a') + '"'));
    } else if (what == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (what == QLatin1String("link")) {
        QVERIFY(QFile::link(good, path));
    } else if (what == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(what));
    } else if (what == QLatin1String("good")) {
        path = good;
    }

    // A FIFO without a writer would block a plain open for ever; this returns at once.
    const tarvello::SxcuReading reading = tarvello::readSxcuFile(path);
    QCOMPARE(reading.refusal.kind, kind);
    QCOMPARE(reading.destination.has_value(), kind == SxcuRefusal::None);
}

void tst_Sxcu::accepted_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<TemplateSyntax>("syntax");

    QTest::newRow("name from the host") << sxcu() << "img.example.com" << QByteArray("POST") << false
                                        << TemplateSyntax::Braces;
    QTest::newRow("name given, blanks simplified") << sxcu("\"Name\": \" My\\n host \"") << "My host"
                                                   << QByteArray("POST") << false << TemplateSyntax::Braces;
    QTest::newRow("control characters in the name") << sxcu("\"Name\": \"a\\u001b[31mb\\u200e\"") << "a [31mb"
                                                    << QByteArray("POST") << false << TemplateSyntax::Braces;
    QTest::newRow("byte-order mark") << "\xef\xbb\xbf" + sxcu() << "img.example.com" << QByteArray("POST") << false
                                     << TemplateSyntax::Braces;
    QTest::newRow("several types, file among them")
            << sxcu("\"DestinationType\": \"TextUploader, FileUploader\"") << "img.example.com" << QByteArray("POST")
            << false << TemplateSyntax::Braces;
    QTest::newRow("no type, binary PUT")
            << QByteArray("{\"RequestMethod\": \"put\", \"RequestURL\": \"http://h:8080/up/{filename}\", \"Body\": \"Binary\"}")
            << "h" << QByteArray("PUT") << true << TemplateSyntax::Braces;
    QTest::newRow("type None, file part, PATCH")
            << QByteArray("{\"DestinationType\": \"None\", \"RequestMethod\": \"PATCH\", \"RequestURL\": \"https://h/\", "
                          "\"Body\": \"MultipartFormData\", \"FileFormName\": \"f\"}")
            << "h" << QByteArray("PATCH") << false << TemplateSyntax::Braces;
    // The oldest files: RequestType, no Body, regexes named by number alone.
    QTest::newRow("oldest form")
            << QByteArray("{\"Name\": \"Old\", \"RequestType\": \"POST\", \"RequestURL\": \"https://old.example/api/up\", "
                          "\"FileFormName\": \"f\", \"RegexList\": [\"(?<=,)(.*)(?=,.*,)\"], \"URL\": \"$1$\"}")
            << "Old" << QByteArray("POST") << false << TemplateSyntax::Dollars;
    QTest::newRow("dollars by version") << sxcu("\"Version\": \"13.7.0\", \"URL\": \"$json:url$\"") << "img.example.com"
                                        << QByteArray("POST") << false << TemplateSyntax::Dollars;
    QTest::newRow("dollars by look")
            << QByteArray("{\"RequestURL\": \"https://h/\", \"FileFormName\": \"f\", \"URL\": \"$json:files[0].url$\"}")
            << "h" << QByteArray("POST") << false << TemplateSyntax::Dollars;
    QTest::newRow("a dollar that is no template")
            << QByteArray("{\"RequestURL\": \"https://h/\", \"FileFormName\": \"f\", \"URL\": \"{json:url}\", "
                          "\"Arguments\": {\"price\": \"\\\\$5\"}}")
            << "h" << QByteArray("POST") << false << TemplateSyntax::Braces;
    QTest::newRow("template in the host")
            << sxcu("\"RequestURL\": \"https://{select:a.example|b.example}/up\"") << "{select:a.example|b.example}"
            << QByteArray("POST") << false << TemplateSyntax::Braces;
}

void tst_Sxcu::accepted()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, name);
    QFETCH(QByteArray, method);
    QFETCH(bool, binary);
    QFETCH(TemplateSyntax, syntax);

    const tarvello::SxcuReading reading = tarvello::readSxcu(text);
    QVERIFY2(reading.destination, qPrintable(reading.refusal.field + ' ' + reading.refusal.detail));
    QCOMPARE(reading.destination->name, name);
    QCOMPARE(reading.destination->method, method);
    QCOMPARE(reading.destination->body == Destination::Body::Binary, binary);
    QCOMPARE(reading.destination->syntax, syntax);
}

void tst_Sxcu::keepsOrder()
{
    const auto reading = tarvello::readSxcu(
            sxcu("\"Headers\": {\"Zeta\": \"1\", \"Alpha\": \"2\", \"Mid\": \"3\"}, "
                 "\"Arguments\": {\"b\": \"x\", \"a\": 5, \"c\": true}"));
    QVERIFY(reading.destination);
    QStringList headers;
    for (const auto &header : reading.destination->headers)
        headers << header.name;
    QCOMPARE(headers, (QStringList{"Zeta", "Alpha", "Mid"}));
    const QList<tarvello::NamedValue> arguments{{"b", "x"}, {"a", "5"}, {"c", "true"}};
    QCOMPARE(reading.destination->arguments, arguments);
}

void tst_Sxcu::roundTrip_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("everything") << sxcu(
            "\"Name\": \"Team \\\"host\\\"\", \"Parameters\": {\"z\": \"1\", \"api_key\": \"s3cr\\u00e9t\"}, "
            "\"Headers\": {\"Authorization\": \"Bearer {prompt:Token}\", \"X-A\": \"\\\\{x\\\\}\"}, "
            "\"Arguments\": {\"title\": \"{filename}\", \"b\": \"{random:1|2}\"}, \"RegexList\": [\"(a)\", \"b\"], "
            "\"URL\": \"{json:files[0].url}\", \"ThumbnailURL\": \"{xml:/r/t}\", \"DeletionURL\": \"{header:X-Del}\", "
            "\"ErrorMessage\": \"{regex:err=(.*)|1}\"");
    QTest::newRow("binary, dollars") << QByteArray(
            "{\"Version\": \"13.5.0\", \"DestinationType\": \"ImageUploader\", \"RequestMethod\": \"PUT\", "
            "\"RequestURL\": \"https://h/$filename$\", \"Body\": \"Binary\", \"RegexList\": [\"id=(\\\\d+)\"], "
            "\"URL\": \"https://h/i/$regex:1|1$\"}");
    QTest::newRow("least") << QByteArray("{\"RequestURL\": \"http://h/\", \"FileFormName\": \"f\"}");
}

void tst_Sxcu::roundTrip()
{
    QFETCH(QByteArray, text);
    const auto first = tarvello::readSxcu(text);
    QVERIFY(first.destination);
    const QByteArray written = tarvello::writeSxcu(*first.destination, true);
    const auto second = tarvello::readSxcu(written);
    QVERIFY2(second.destination, written.constData());
    QCOMPARE(*second.destination, *first.destination);
    QCOMPARE(tarvello::writeSxcu(*second.destination, true), written);
}

void tst_Sxcu::exportWithoutSecrets()
{
    const auto reading = tarvello::readSxcu(
            sxcu("\"Parameters\": {\"api_key\": \"K-123456\", \"page\": \"2\"}, "
                 "\"Headers\": {\"Authorization\": \"Bearer T-654321\", \"X-Upload-Token\": \"U-777\"}, "
                 "\"Arguments\": {\"password\": \"P-999\", \"album\": \"holiday\"}"));
    QVERIFY(reading.destination);
    const QByteArray blank = tarvello::writeSxcu(*reading.destination, false);
    for (const char *secret : {"K-123456", "T-654321", "U-777", "P-999"})
        QVERIFY2(!blank.contains(secret), secret);
    QVERIFY(blank.contains("holiday"));
    QVERIFY(blank.contains("\"page\": \"2\""));
    // Still a file that imports, its secret fields there to be filled in.
    const auto again = tarvello::readSxcu(blank);
    QVERIFY(again.destination);
    QCOMPARE(tarvello::valueOf(*again.destination, {tarvello::SecretField::Header, "Authorization"}), QString(""));
}

QTEST_GUILESS_MAIN(tst_Sxcu)
#include "tst_sxcu.moc"
