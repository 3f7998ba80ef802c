// The uploader on its own, without a window: what it sends, how it reads answers, what it reports.

#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "base/uploader.h"
#include "capture.h"
#include "testutil.h"

using tarvello::Uploader;
using tarvello::UploadJob;
using tarvello::UploadOutcome;

class tst_Uploader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void outcome_data();
    void outcome();
    void progressAndRows();

private:
    // Runs one upload against the peer and returns its outcome, or nothing if it never finished.
    std::optional<UploadOutcome> run(Uploader &uploader, int row, const UploadJob &job);

    QTemporaryDir m_dir;
    CaptureServer *m_server = nullptr;
    QString m_image;
};

void tst_Uploader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qRegisterMetaType<QNetworkReply *>();
    m_image = testutil::writeImage(m_dir.filePath(QStringLiteral("shot.png")), 8, 8);
}

void tst_Uploader::init()
{
    delete m_server;
    m_server = new CaptureServer(this);
    QVERIFY(m_server->listen());
    qputenv("TARVELLO_HOST", m_server->hostPort().toLatin1());
}

std::optional<UploadOutcome> tst_Uploader::run(Uploader &uploader, int row, const UploadJob &job)
{
    QSignalSpy started(&uploader, &Uploader::started);
    uploader.enqueue(row, job);
    if (started.isEmpty())
        return std::nullopt;
    auto *reply = started.first().at(1).value<QNetworkReply *>();
    if (!reply->isFinished() && !QSignalSpy(reply, &QNetworkReply::finished).wait(5000))
        return std::nullopt;
    return uploader.finish(reply);
}

void tst_Uploader::outcome_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tooltipHas");

    const QByteArray link = "http://img.example/i/abc.png";
    QTest::newRow("link") << CaptureServer::httpResponse(link) << true << QString::fromLatin1(link)
                          << QStringList{QString::fromLatin1(link)};
    QTest::newRow("link with a line feed is the whole text")
            << CaptureServer::httpResponse(link + "\n") << true << QString::fromLatin1(link + "\n")
            << QStringList{QString::fromLatin1(link)};
    QTest::newRow("error page") << CaptureServer::httpResponse("error: no such user\n", 403) << false
                                << QStringLiteral("failed")
                                << QStringList{QStringLiteral("403"), QStringLiteral("no such user")};
    QTest::newRow("echoed login is hidden")
            << CaptureServer::httpResponse("bad login user/ann/pw/s3cr%2Ft and s3cr/t", 403) << false
            << QStringLiteral("failed") << QStringList{QStringLiteral("bad login ***")};
}

void tst_Uploader::outcome()
{
    QFETCH(QByteArray, response);
    QFETCH(bool, linked);
    QFETCH(QString, text);
    QFETCH(QStringList, tooltipHas);

    m_server->setAutoResponse(response);
    Uploader uploader;
    const auto outcome = run(uploader, 0, {m_image, QString(), QStringLiteral("ann"), QStringLiteral("s3cr/t")});
    QVERIFY(outcome);
    QCOMPARE(outcome->linked, linked);
    QCOMPARE(outcome->text, text);
    for (const QString &part : tooltipHas)
        QVERIFY2(outcome->tooltip.contains(part), qPrintable(outcome->tooltip));
    QVERIFY(!outcome->tooltip.contains(QLatin1String("s3cr")));
    QCOMPARE(m_server->requests.size(), 1);
    QVERIFY(m_server->requests.first().target.endsWith("/user/ann/pw/s3cr%2Ft"));
}

void tst_Uploader::progressAndRows()
{
    // The peer holds its answers, so both uploads are on the wire at once.
    Uploader uploader;
    QSignalSpy started(&uploader, &Uploader::started);
    QSignalSpy progress(&uploader, &Uploader::progress);
    uploader.enqueue(7, {m_image, QStringLiteral("first"), QString(), QString()});
    uploader.enqueue(3, {m_image, QStringLiteral("second"), QString(), QString()});
    QCOMPARE(started.size(), 2);
    QCOMPARE(uploader.pending(), 2);
    QTRY_COMPARE(m_server->requests.size(), 2);

    QList<int> doneRows;
    for (const QList<QVariant> &report : std::as_const(progress)) {
        if (report.at(1).toDouble() == 1.0)
            doneRows.append(report.at(0).toInt());
    }
    std::sort(doneRows.begin(), doneRows.end());
    QCOMPARE(doneRows, (QList<int>{3, 7}));

    // Answered in reverse order; each reply still belongs to its own row's request.
    auto *second = started.at(1).at(1).value<QNetworkReply *>();
    const int secondIndex = m_server->requests.at(0).body.contains("second") ? 0 : 1;
    m_server->respond(secondIndex, CaptureServer::httpResponse("http://h/second"));
    QVERIFY(QSignalSpy(second, &QNetworkReply::finished).wait(5000));
    QCOMPARE(started.at(1).at(0).toInt(), 3);
    QCOMPARE(uploader.finish(second).text, QStringLiteral("http://h/second"));
    QCOMPARE(uploader.pending(), 1);
}

QTEST_GUILESS_MAIN(tst_Uploader)
#include "tst_uploader.moc"
