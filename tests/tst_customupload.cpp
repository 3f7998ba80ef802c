// What a custom destination sends, and what it reads from the answer.

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "capture.h"
#include "base/uploadbody.h"

#include "base/customanswer.h"
#include "base/customrequest.h"
#include "base/sxcu.h"

using tarvello::AnswerReading;
using tarvello::Destination;
using tarvello::Question;
using tarvello::RequestFailure;

Q_DECLARE_METATYPE(AnswerReading::Outcome)

namespace {

using Headers = QList<QPair<QByteArray, QByteArray>>;

Destination destination(const QByteArray &members)
{
    const auto reading = tarvello::readSxcu('{' + members + '}');
    if (!reading.destination)
        qWarning() << "refused:" << reading.refusal.kind << reading.refusal.field << reading.refusal.problem.name;
    return reading.destination.value_or(Destination());
}

// A destination whose answer is read by `url` (and ErrorMessage `error`), in the syntax its
// version asks for.
Destination reader(const QByteArray &version, const QString &url, const QStringList &regexList = {},
                   const QString &error = QString())
{
    Destination d = destination("\"Version\": \"" + version
                                + "\", \"RequestURL\": \"https://h.example/up\", \"FileFormName\": \"f\"");
    d.url = url;
    d.errorMessage = error;
    d.regexList = regexList;
    return d;
}

bool fileHas(const QString &path, const QByteArray &what)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(what);
}

tarvello::Asker answering(const QString &answer, int *asked = nullptr)
{
    return [answer, asked](const Question &) -> std::optional<QString> {
        if (asked)
            ++*asked;
        return answer;
    };
}

} // namespace

class tst_CustomUpload : public QObject
{
    Q_OBJECT

private slots:
    void answer_data();
    void answer();
    void requestTemplates_data();
    void requestTemplates();
    void multipartBody();
    void boundaryAvoidsTheParts();
    void binaryBody();
    void unansweredQuestion();
    void choicesCarryToTheAnswer();
    void secretsAreListedAndBlanked();
    void onTheWire_data();
    void onTheWire();
};

void tst_CustomUpload::answer_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QStringList>("regexList");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<AnswerReading::Outcome>("outcome");
    QTest::addColumn<QString>("link");

    const QByteArray braces = "14.0.0";
    const QByteArray dollars = "13.0.0";
    const QByteArray files = R"({"success": true, "files": [{"name": "a.png", "url": "https://h.example/a.png"}]})";
    const QByteArray nested = R"({"status": 200, "data": {"link": "https:\/\/h.example\/i.png", "odd.key": "http://h.example/odd"}})";
    const QByteArray xml = "<?xml version=\"1.0\"?><files><file><url>https://h.example/1.png</url></file>"
                           "<file id=\"two\"><url>https://h.example/2.png</url></file></files>";
    const QByteArray text = "server: 41\nfilename: \"image.png\"\n";
    const auto ok = AnswerReading::Uploaded;

    QTest::newRow("json dotted, braces") << braces << "{json:data.link}" << QStringList() << 200 << nested << ok << "https://h.example/i.png";
    QTest::newRow("json dotted, dollars") << dollars << "$json:data.link$" << QStringList() << 200 << nested << ok << "https://h.example/i.png";
    QTest::newRow("json index") << braces << "{json:files[0].url}" << QStringList() << 201 << files << ok << "https://h.example/a.png";
    QTest::newRow("json bracket name") << braces << "{json:data['odd.key']}" << QStringList() << 200 << nested << ok << "http://h.example/odd";
    QTest::newRow("json leading $") << braces << "{json:$.data.link}" << QStringList() << 200 << nested << ok << "https://h.example/i.png";
    QTest::newRow("json top-level array") << braces << "{json:[1].u}" << QStringList() << 200
                                          << QByteArray(R"([{"u": "x"}, {"u": "https://h.example/t"}])") << ok << "https://h.example/t";
    QTest::newRow("json path to nothing") << braces << "{json:files[3].url}" << QStringList() << 200 << files
                                          << AnswerReading::NoLink << QString();
    QTest::newRow("json number in a link") << braces << "https://h.example/i/{json:id}" << QStringList() << 200
                                           << QByteArray(R"({"id": 1234})") << ok << "https://h.example/i/1234";
    QTest::newRow("json of given input") << braces << "{json:{response}|u}" << QStringList() << 200
                                         << QByteArray(R"({"u": "https://h.example/n"})") << ok << "https://h.example/n";
    QTest::newRow("xml index") << braces << "{xml:/files/file[2]/url}" << QStringList() << 200 << xml << ok << "https://h.example/2.png";
    QTest::newRow("xml first, dollars") << dollars << "$xml:/files/file[1]/url$" << QStringList() << 200 << xml << ok << "https://h.example/1.png";
    QTest::newRow("xml descendant") << braces << "{xml://url}" << QStringList() << 200 << xml << ok << "https://h.example/1.png";
    QTest::newRow("xml attribute") << braces << "https://h.example/{xml:/files/file[2]/@id}" << QStringList() << 200 << xml << ok << "https://h.example/two";
    QTest::newRow("regex list, whole match") << dollars << "https://h.example/$regex:1$" << QStringList{"\\d+"} << 200 << text << ok << "https://h.example/41";
    QTest::newRow("regex list, group by bar") << dollars << "https://h.example/$regex:2|1$" << QStringList{"\\d+", "filename: \"(.+)\""}
                                              << 200 << text << ok << "https://h.example/image.png";
    QTest::newRow("regex list, group by comma") << dollars << "https://h.example/$regex:1,1$" << QStringList{"filename: \"(.+)\""}
                                                << 200 << text << ok << "https://h.example/image.png";
    QTest::newRow("regex list, named group") << dollars << "https://h.example/s/$regex:1|id$/$regex:2|1$"
                                             << QStringList{"server: (?<id>\\d+)", "filename: \"(.+)\""} << 200 << text << ok
                                             << "https://h.example/s/41/image.png";
    QTest::newRow("regex by number alone") << dollars << "https://h.example/$1,1$" << QStringList{"filename: \"(.+)\""}
                                           << 200 << text << ok << "https://h.example/image.png";
    QTest::newRow("inline regex") << braces << "{regex:(?<=href=\").+(?=\")}" << QStringList() << 200
                                  << QByteArray("<a href=\"https://h.example/r\">") << ok << "https://h.example/r";
    QTest::newRow("inline regex group") << braces << "{regex:href=\"(.+)\"|1}" << QStringList() << 200
                                        << QByteArray("<a href=\"https://h.example/g\">") << ok << "https://h.example/g";
    QTest::newRow("inline regex named group") << braces << "{regex:href=\"(?<url>[^\"]+)\"|url}" << QStringList() << 200
                                              << QByteArray("<a href=\"https://h.example/n\">") << ok << "https://h.example/n";
    QTest::newRow("inline regex, escaped braces") << braces << "https://h.example/{regex:\\\\d\\{3\\}}" << QStringList() << 200
                                                  << QByteArray("id 12345") << ok << "https://h.example/123";
    QTest::newRow("response appended") << braces << "https://h.example/{response}" << QStringList() << 200
                                       << QByteArray("abc.png") << ok << "https://h.example/abc.png";
    QTest::newRow("response url") << braces << "{responseurl}" << QStringList() << 200 << QByteArray("ignored") << ok
                                  << "https://h.example/final";
    QTest::newRow("header, any case") << braces << "{header:location}" << QStringList() << 201 << QByteArray() << ok
                                      << "https://h.example/loc.png";
    QTest::newRow("header, dollars") << dollars << "$header:Location$" << QStringList() << 303 << QByteArray() << ok
                                     << "https://h.example/loc.png";
    QTest::newRow("empty URL: the whole answer") << braces << "" << QStringList() << 200
                                                 << QByteArray("https://h.example/w.png\r\n") << ok << "https://h.example/w.png";
    QTest::newRow("empty URL, text answer") << braces << "" << QStringList() << 200 << QByteArray("stored as 12")
                                            << AnswerReading::NoLink << QString();
    QTest::newRow("not http") << braces << "{json:u}" << QStringList() << 200
                              << QByteArray(R"x({"u": "javascript:alert(1)"})x") << AnswerReading::NoLink << QString();
    QTest::newRow("file address") << braces << "{json:u}" << QStringList() << 200
                                  << QByteArray(R"({"u": "file:///etc/passwd"})") << AnswerReading::NoLink << QString();
    QTest::newRow("error status with a link") << braces << "{json:u}" << QStringList() << 500
                                              << QByteArray(R"({"u": "https://h.example/x"})") << AnswerReading::HostError << QString();
}

void tst_CustomUpload::answer()
{
    QFETCH(QByteArray, version);
    QFETCH(QString, url);
    QFETCH(QStringList, regexList);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(AnswerReading::Outcome, outcome);
    QFETCH(QString, link);

    const Destination d = reader(version, url, regexList);
    QVERIFY2(tarvello::validateDestination(d).kind == tarvello::SxcuRefusal::None,
             qPrintable(d.url + " " + d.regexList.join(' ')));
    tarvello::Answer answer;
    answer.status = status;
    answer.body = body;
    answer.url = QUrl(QStringLiteral("https://h.example/final"));
    answer.headers = {{"Content-Type", "text/plain"}, {"Location", "https://h.example/loc.png"}};
    const AnswerReading reading = tarvello::readAnswer(d, answer);
    QCOMPARE(reading.outcome, outcome);
    QCOMPARE(reading.link.value_or(QUrl()).toString(), link);
}

void tst_CustomUpload::requestTemplates_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("expected"); // the values it may come out as

    QTest::newRow("file name") << QByteArray("14.0.0") << "n={filename}" << QStringList{"n=caf\u00e9 \"1\".png"};
    QTest::newRow("base64") << QByteArray("14.0.0") << "Basic {base64:user:pa|ss}" << QStringList{"Basic dXNlcjpwYXxzcw=="};
    QTest::newRow("base64, dollars") << QByteArray("13.0.0") << "Basic $base64:user:pass$" << QStringList{"Basic dXNlcjpwYXNz"};
    QTest::newRow("nested") << QByteArray("14.0.0") << "{base64:{prompt:User}:x}" << QStringList{"YW5zd2VyOng="};
    QTest::newRow("prompt") << QByteArray("14.0.0") << "<{prompt:Album|Holiday}>" << QStringList{"<answer>"};
    QTest::newRow("select") << QByteArray("14.0.0") << "{select:a|b}" << QStringList{"answer"};
    QTest::newRow("random") << QByteArray("14.0.0") << "{random:one|two|three}" << QStringList{"one", "two", "three"};
    QTest::newRow("random, dollars") << QByteArray("13.0.0") << "$random:one|two$" << QStringList{"one", "two"};
    QTest::newRow("escapes, braces") << QByteArray("14.0.0") << "\\{a\\|b\\}\\\\ $x \\d" << QStringList{"{a|b}\\ $x \\d"};
    QTest::newRow("escapes, dollars") << QByteArray("13.0.0") << "\\$5 {x} \\\\" << QStringList{"$5 {x} \\"};
}

void tst_CustomUpload::requestTemplates()
{
    QFETCH(QByteArray, version);
    QFETCH(QString, header);
    QFETCH(QStringList, expected);

    Destination d = destination("\"Version\": \"" + version + "\", \"RequestURL\": \"https://h.example/up\", \"FileFormName\": \"f\"");
    d.headers = {{"X-Value", header}};
    QCOMPARE(tarvello::validateDestination(d).kind, tarvello::SxcuRefusal::None);
    const auto preparation =
            tarvello::prepareRequest(d, {QString(), QString::fromUtf8("caf\u00e9 \"1\".png"), "image/png"}, answering("answer"));
    QVERIFY(preparation.request);
    QCOMPARE(preparation.request->headers.constFirst().first, QByteArray("X-Value"));
    const QString value = QString::fromUtf8(preparation.request->headers.constFirst().second);
    QVERIFY2(expected.contains(value), qPrintable(value));
}

void tst_CustomUpload::multipartBody()
{
    const Destination d = destination(
            R"("Version": "14.0.0", "RequestMethod": "POST", "RequestURL": "https://h.example/up?v=1", )"
            R"("Parameters": {"key": "K y", "album": "{prompt:Album}"}, "Headers": {"Authorization": "Bearer T", )"
            R"("Content-Type": "text/plain", "Content-Length": "1"}, "Body": "MultipartFormData", )"
            R"("Arguments": {"title": "{filename}", "x\"y": "1"}, "FileFormName": "image")");
    const auto preparation = tarvello::prepareRequest(
            d, {QString(), QString::fromUtf8("\u65e5\"\r\n.png"), "image/png"}, answering("A&B"), "BOUNDARY");
    QVERIFY(preparation.request);
    const tarvello::PreparedRequest &r = *preparation.request;
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.url.toString(QUrl::FullyEncoded), QString("https://h.example/up?v=1&key=K%20y&album=A%26B"));
    // Ours replace the form's type and the length: the boundary and the size are only known here.
    const Headers headers{{"Authorization", "Bearer T"}, {"Content-Type", "multipart/form-data; boundary=BOUNDARY"}};
    QCOMPARE(r.headers, headers);
    const QByteArray name = "\xe6\x97\xa5%22%0D%0A.png";
    QCOMPARE(r.head, "--BOUNDARY\r\nContent-Disposition: form-data; name=\"title\"\r\n\r\n" + QByteArray("\xe6\x97\xa5\"\r\n.png")
                     + "\r\n--BOUNDARY\r\nContent-Disposition: form-data; name=\"x%22y\"\r\n\r\n1\r\n"
                       "--BOUNDARY\r\nContent-Disposition: form-data; name=\"image\"; filename=\"" + name + "\"\r\n"
                       "Content-Type: image/png\r\n\r\n");
    QCOMPARE(r.tail, QByteArray("\r\n--BOUNDARY--\r\n"));
}

void tst_CustomUpload::boundaryAvoidsTheParts()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("a.png"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n--BOUNDARY\r\n");
    file.close();
    const Destination d = destination(R"("RequestURL": "https://h/", "FileFormName": "f", "Arguments": {"a": "--OTHER"})");
    for (const QByteArray &candidate : {QByteArray("BOUNDARY"), QByteArray("OTHER")}) {
        const auto preparation = tarvello::prepareRequest(d, {file.fileName(), "a.png", "image/png"}, {}, candidate);
        QVERIFY(preparation.request);
        const QByteArray type = preparation.request->headers.constLast().second;
        QVERIFY2(!type.endsWith(candidate), type.constData());
        const QByteArray boundary = type.mid(type.indexOf('=') + 1);
        QVERIFY(preparation.request->head.startsWith("--" + boundary + "\r\n"));
        QVERIFY(!fileHas(file.fileName(), "--" + boundary));
    }
    // Without a clash the given boundary stands.
    const auto plain = tarvello::prepareRequest(d, {file.fileName(), "a.png", "image/png"}, {}, "FREE");
    QCOMPARE(plain.request->headers.constLast().second, QByteArray("multipart/form-data; boundary=FREE"));
}

void tst_CustomUpload::binaryBody()
{
    const Destination typed = destination(R"("RequestMethod": "PUT", "RequestURL": "https://h.example/i/{filename}", )"
                                          R"("Headers": {"Content-Type": "application/x-image"}, "Body": "Binary")");
    const auto a = tarvello::prepareRequest(typed, {QString(), "a b.png", "image/png"}, {});
    QVERIFY(a.request);
    QCOMPARE(a.request->method, QByteArray("PUT"));
    QCOMPARE(a.request->url.toString(QUrl::FullyEncoded), QString("https://h.example/i/a%20b.png"));
    QVERIFY(a.request->head.isEmpty() && a.request->tail.isEmpty());
    QCOMPARE(a.request->headers, (Headers{{"Content-Type", "application/x-image"}}));

    const Destination plain = destination(R"("RequestMethod": "PATCH", "RequestURL": "https://h.example/i", "Body": "Binary")");
    const auto b = tarvello::prepareRequest(plain, {QString(), "a.webp", "image/webp"}, {});
    QCOMPARE(b.request->headers, (Headers{{"Content-Type", "image/webp"}}));
}

void tst_CustomUpload::unansweredQuestion()
{
    const Destination d = destination(
            R"("Version": "14.0.0", "RequestURL": "https://{prompt:Subdomain|i}.h.example/", "FileFormName": "f", )"
            R"("Arguments": {"a": "{prompt:Second}"})");
    int asked = 0;
    const auto preparation = tarvello::prepareRequest(
            d, {QString(), "a.png", "image/png"}, [&asked](const Question &question) -> std::optional<QString> {
                ++asked;
                if (question.title != "Subdomain" || question.defaultText != "i")
                    qWarning() << "asked" << question.title << question.defaultText;
                return std::nullopt;
            });
    QVERIFY(!preparation.request);
    QCOMPARE(preparation.failure.kind, RequestFailure::Unanswered);
    QCOMPARE(preparation.failure.detail, QString("Subdomain"));
    QCOMPARE(asked, 1); // the first refusal ends the asking

    // A script gives no asker: it fails at once instead of waiting.
    const auto script = tarvello::prepareRequest(d, {QString(), "a.png", "image/png"}, {});
    QCOMPARE(script.failure.kind, RequestFailure::Unanswered);

    const auto address = tarvello::prepareRequest(d, {QString(), "a.png", "image/png"}, answering("/"));
    QCOMPARE(address.failure.kind, RequestFailure::BadAddress);
}

void tst_CustomUpload::choicesCarryToTheAnswer()
{
    const Destination d = destination(
            R"("Version": "14.0.0", "RequestURL": "https://{select:a.example|b.example}/up", "FileFormName": "f", )"
            R"("Arguments": {"server": "{random:s1|s2|s3}"}, "URL": "https://{select:a.example|b.example}/{random:s1|s2|s3}/{json:id}", )"
            R"("ThumbnailURL": "https://t.example/{prompt:Size}/{json:id}")");
    QStringList questions;
    const auto preparation = tarvello::prepareRequest(
            d, {QString(), "a.png", "image/png"}, [&questions](const Question &question) -> std::optional<QString> {
                questions << (question.kind == Question::Select ? question.options.join('|') : question.title);
                return question.kind == Question::Select ? question.options.last() : QStringLiteral("big");
            });
    QVERIFY(preparation.request);
    // One question per template, the link's own asked before sending.
    QCOMPARE(questions, (QStringList{"a.example|b.example", "Size"}));
    QCOMPARE(preparation.request->url.host(), QString("b.example"));
    const QString server = QString::fromUtf8(preparation.request->head).section("name=\"server\"\r\n\r\n", 1).section("\r\n", 0, 0);

    tarvello::Answer answer;
    answer.status = 200;
    answer.body = R"({"id": "77"})";
    const AnswerReading reading = tarvello::readAnswer(d, answer, preparation.request->choices);
    QCOMPARE(reading.link.value_or(QUrl()).toString(), "https://b.example/" + server + "/77");
    QCOMPARE(reading.thumbnail.value_or(QUrl()).toString(), QString("https://t.example/big/77"));
}

void tst_CustomUpload::secretsAreListedAndBlanked()
{
    const Destination d = destination(
            R"("Version": "14.0.0", "RequestURL": "https://h.example/up?token=QT-1111", "FileFormName": "f", )"
            R"("Parameters": {"api_key": "K-2222"}, "Headers": {"Authorization": "Basic {base64:me:PW-3333}"}, )"
            R"("Arguments": {"password": "{prompt:Password}"}, "URL": "{json:url}", "ErrorMessage": "{json:error}")");
    const auto preparation = tarvello::prepareRequest(d, {QString(), "a.png", "image/png"}, answering("PR-4444"));
    QVERIFY(preparation.request);
    const QStringList &secrets = preparation.request->secrets;
    for (const char *secret : {"QT-1111", "K-2222", "Basic bWU6UFctMzMzMw==", "bWU6UFctMzMzMw==", "me:PW-3333", "PR-4444"})
        QVERIFY2(secrets.contains(secret), qPrintable(secret));

    // A host that echoes them back shows none of them.
    tarvello::Answer answer;
    answer.status = 403;
    answer.body = R"({"error": "bad key K-2222 for me:PW-3333 (bWU6UFctMzMzMw==), PR-4444", "url": "https://h.example/?k=K-2222"})";
    const AnswerReading reading = tarvello::readAnswer(d, answer, preparation.request->choices, secrets);
    QCOMPARE(reading.outcome, AnswerReading::HostError);
    QCOMPARE(reading.errorMessage, QString("bad key *** for *** (***), ***"));
    QVERIFY(!reading.linkText.contains("K-2222"));
    answer.status = 200;
    QCOMPARE(tarvello::readAnswer(d, answer, preparation.request->choices, secrets).outcome, AnswerReading::NoLink);
}

void tst_CustomUpload::onTheWire_data()
{
    QTest::addColumn<QByteArray>("members");
    QTest::addColumn<QByteArray>("requestLine");

    QTest::newRow("form, POST") << QByteArray(R"("RequestURL": "http://HOST/up?a=1", "FileFormName": "file", )"
                                              R"("Headers": {"Authorization": "Bearer T"}, "Arguments": {"k": "v"}, "URL": "{json:url}")")
                                << QByteArray("POST /up?a=1 HTTP/1.1");
    QTest::newRow("binary, PUT") << QByteArray(R"("RequestMethod": "PUT", "RequestURL": "http://HOST/i/{filename}", )"
                                               R"("Body": "Binary", "Parameters": {"x": "1"}, "URL": "{json:url}")")
                                 << QByteArray("PUT /i/a%20b.png?x=1 HTTP/1.1");
    QTest::newRow("binary, PATCH") << QByteArray(R"("RequestMethod": "PATCH", "RequestURL": "http://HOST/i", )"
                                                 R"("Body": "Binary", "URL": "{json:url}")")
                                   << QByteArray("PATCH /i HTTP/1.1");
}

// What the uploader will do with a prepared request: the host gets exactly it.
void tst_CustomUpload::onTheWire()
{
    QFETCH(QByteArray, members);
    QFETCH(QByteArray, requestLine);

    CaptureServer server;
    QVERIFY(server.listen());
    server.setAutoResponse(CaptureServer::httpResponse(R"({"url": "https://h.example/got.png"})", 201));
    QTemporaryDir dir;
    const QString path = dir.filePath("a b.png");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray content("\x89PNG\r\n\x1a\n" + QByteArray(100000, 'p'));
    file.write(content);
    file.close();

    const Destination d = destination(members.replace("HOST", server.hostPort().toLatin1()));
    const auto preparation = tarvello::prepareRequest(d, {path, "a b.png", "image/png"}, {});
    QVERIFY(preparation.request);
    const tarvello::PreparedRequest &r = *preparation.request;
    QNetworkRequest request(r.url);
    for (const auto &[name, value] : r.headers)
        request.setRawHeader(name, value);
    QNetworkAccessManager nam;
    auto *body = new tarvello::UploadBody(r.head, path, r.tail);
    body->open(QIODevice::ReadOnly);
    QNetworkReply *reply = nam.sendCustomRequest(request, r.method, body);
    body->setParent(reply);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(10000));

    QCOMPARE(server.requests.size(), 1);
    const CaptureServer::Request &got = server.requests.constFirst();
    QCOMPARE(got.head.left(got.head.indexOf("\r\n")), requestLine);
    QCOMPARE(got.body, r.head + content + r.tail);
    QCOMPARE(got.header("Content-Length"), QByteArray::number(got.body.size()));
    for (const auto &[name, value] : r.headers)
        QCOMPARE(got.header(name), value);

    tarvello::Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.headers = reply->rawHeaderPairs();
    answer.body = reply->readAll();
    answer.url = reply->url();
    const AnswerReading reading = tarvello::readAnswer(d, answer, r.choices, r.secrets);
    QCOMPARE(reading.outcome, AnswerReading::Uploaded);
    QCOMPARE(reading.link->toString(), QString("https://h.example/got.png"));
    reply->deleteLater();
}

QTEST_GUILESS_MAIN(tst_CustomUpload)
#include "tst_customupload.moc"
