// Deciding an upload's outcome from the host's answer.

#include <QTest>

#include "testutil.h"
#include "base/earlyanswer.h"
#include "base/reply.h"

class tst_Reply : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
    void decoding_data();
    void decoding();
    void inflationIsBounded();
    void earlyAnswer_data();
    void earlyAnswer();
};

void tst_Reply::outcome_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("link");

    QTest::newRow("link") << QByteArray("http://h/i/1.png") << true << "http://h/i/1.png";
    QTest::newRow("link with line feed") << QByteArray("http://h/x\n") << true << "http://h/x\n";
    QTest::newRow("text after the link stays") << QByteArray("http://h/x more") << true << "http://h/x more";
    QTest::newRow("zero byte ends the text") << QByteArray("http://h/x\0tail", 15) << true << "http://h/x";
    QTest::newRow("latin-1 bytes") << QByteArray("http://h/caf\xe9") << true << QString::fromUtf8("http://h/caf\u00e9");
    QTest::newRow("empty") << QByteArray() << false << QString();
    QTest::newRow("zero byte first") << QByteArray("\0http://h/x", 11) << false << QString();
    QTest::newRow("link after other text") << QByteArray("<html><a href=\"http://h/x\">") << false << QString();
    QTest::newRow("capital letters") << QByteArray("HTTP://h/x") << false << QString();
    // A host behind a TLS proxy answers so over plain HTTP; its image is stored all the same.
    QTest::newRow("https") << QByteArray("https://h/x") << true << "https://h/x";
    QTest::newRow("leading blank") << QByteArray(" http://h/x") << false << QString();
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbfhttp://h/x") << false << QString();
    QTest::newRow("scheme only, cut short") << QByteArray("http:/") << false << QString();
    QTest::newRow("error text") << QByteArray("error: wrong user name or password\n") << false << QString();
}

void tst_Reply::outcome()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, success);
    QFETCH(QString, link);

    const std::optional<QString> result = tarvello::linkFromReply(body);
    QCOMPARE(result.has_value(), success);
    if (success)
        QCOMPARE(*result, link);
}

void tst_Reply::decoding_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("decoded");

    const QByteArray text = "http://h/i/abc.png";
    QTest::newRow("identity") << text << QByteArray() << text;
    QTest::newRow("gzip") << testutil::deflated(text, 15 + 16) << QByteArray("gzip") << text;
    QTest::newRow("x-gzip, odd case and blanks") << testutil::deflated(text, 15 + 16) << QByteArray(" X-GZip ") << text;
    QTest::newRow("deflate, zlib-wrapped") << testutil::deflated(text, 15) << QByteArray("deflate") << text;
    QTest::newRow("deflate, bare stream") << testutil::deflated(text, -15) << QByteArray("deflate") << text;
    QTest::newRow("gzip label on plain text") << text << QByteArray("gzip") << text;
    const QByteArray truncated = testutil::deflated(text, 15 + 16).left(10);
    QTest::newRow("truncated gzip stays raw") << truncated << QByteArray("gzip") << truncated;
    QTest::newRow("unknown encoding untouched") << testutil::deflated(text, 15 + 16) << QByteArray("br") << testutil::deflated(text, 15 + 16);
}

void tst_Reply::decoding()
{
    QFETCH(QByteArray, raw);
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, decoded);

    QCOMPARE(tarvello::decodedReplyBody(raw, encoding), decoded);
}

void tst_Reply::inflationIsBounded()
{
    // A small gzip body that would inflate to 64 MiB is not inflated.
    const QByteArray bomb = testutil::deflated(QByteArray(64 * 1024 * 1024, 'a'), 15 + 16);
    QVERIFY(bomb.size() < 1024 * 1024);
    const QByteArray body = tarvello::decodedReplyBody(bomb, "gzip");
    QVERIFY(body.size() < 20 * 1024 * 1024);
    QVERIFY(!tarvello::linkFromReply(body));
}

void tst_Reply::earlyAnswer_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("status"); // 0: no answer yet
    QTest::addColumn<QByteArray>("body");

    const QByteArray head = "HTTP/1.1 403 Forbidden\r\nContent-Length: 12\r\n\r\n";
    QTest::newRow("whole") << head + "error: login" << false << 403 << QByteArray("error: login");
    QTest::newRow("body still coming") << head + "error" << false << 0 << QByteArray();
    QTest::newRow("body cut by the close") << head + "error" << true << 403 << QByteArray("error");
    QTest::newRow("head still coming") << QByteArray("HTTP/1.1 403 Forbidden\r\nContent-") << true << 0 << QByteArray();
    QTest::newRow("after a 100 Continue") << "HTTP/1.1 100 Continue\r\n\r\n" + head + "error: login" << false << 403
                                          << QByteArray("error: login");
    QTest::newRow("chunked") << QByteArray("HTTP/1.1 413 Too Large\r\nTransfer-Encoding: chunked\r\n\r\n"
                                           "6\r\nerror:\r\n5\r\n big\n\r\n0\r\n\r\n")
                             << false << 413 << QByteArray("error: big\n");
    QTest::newRow("until the close") << QByteArray("HTTP/1.0 500 Oops\r\n\r\nboom") << true << 500 << QByteArray("boom");
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n") << true << 0 << QByteArray();
}

void tst_Reply::earlyAnswer()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, closed);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    const auto answer = tarvello::readEarlyAnswer(raw, closed);
    QCOMPARE(answer ? answer->status : 0, status);
    if (answer)
        QCOMPARE(answer->body, body);
}

QTEST_GUILESS_MAIN(tst_Reply)
#include "tst_reply.moc"
