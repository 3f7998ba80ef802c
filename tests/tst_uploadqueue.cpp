// The queue's rules on their own, without a window: an uploader stands in for the network.

#include <QFileInfo>
#include <QNetworkReply>
#include <QSignalMapper>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "base/folderwalk.h"
#include "base/tempfile.h"
#include "base/uploader.h"
#include "base/uploadqueue.h"
#include "testutil.h"

using namespace tarvello;

namespace {

// A reply that finishes when told to, or when aborted.
class FakeReply : public QNetworkReply
{
public:
    explicit FakeReply(QObject *parent)
        : QNetworkReply(parent)
    {
        open(QIODevice::ReadOnly);
    }
    void abort() override { end(); }
    void end()
    {
        if (isFinished())
            return;
        setFinished(true);
        emit finished();
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
};

// Puts each job on the "wire" at once and answers it with whatever the test sets.
class FakeUploader : public Uploader
{
public:
    FakeUploader()
        : Uploader(nullptr)
    {
    }

    void enqueue(int row, const UploadJob &job) override
    {
        jobs.append({row, job});
        if (holdBack) {
            queued.append(row);
            return;
        }
        auto *reply = new FakeReply(this);
        replies.insert(reply, row);
        emit started(row, reply);
    }
    UploadResult finish(QNetworkReply *reply) override
    {
        reply->deleteLater();
        return results.value(replies.take(reply));
    }
    bool cancel(int row) override
    {
        if (queued.removeAll(row) > 0)
            return true;
        if (auto *reply = static_cast<FakeReply *>(replies.key(row))) {
            results[row].kind = UploadResult::Kind::Stopped;
            reply->abort();
        }
        return false;
    }
    QList<int> cancelAll() override
    {
        const QList<int> dropped = std::exchange(queued, {});
        for (int row : replies.values())
            cancel(row);
        return dropped;
    }
    int pending() const override { return int(queued.size() + replies.size()); }
    void answer(int row, UploadResult::Kind kind)
    {
        results[row].kind = kind;
        static_cast<FakeReply *>(replies.key(row))->end();
    }

    QList<QPair<int, UploadJob>> jobs;
    QHash<QNetworkReply *, int> replies;
    QHash<int, UploadResult> results;
    QList<int> queued;
    bool holdBack = false;
};

const Target ann{Destination::builtInDestination(), {QStringLiteral("ann"), QStringLiteral("pw")}};

} // namespace

class tst_UploadQueue : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void oneStartPerEntry();
    void autoUploadAtAdd();
    void uploadWaitsForItsSave();
    void outcomes_data();
    void outcomes();
    void removal_data();
    void removal();
    void failedEditsRollBack_data();
    void failedEditsRollBack();
    void laterEditStaysExact();
    void pictureNotWrittenIsTakenAway();
    void nothingAfterClose();
    void batches_data();
    void batches();
    void sentAgain_data();
    void sentAgain();
    void changedFileIsNotSent_data();
    void changedFileIsNotSent();
    void walkedFileSwappedAfterTheWalk_data();
    void walkedFileSwappedAfterTheWalk();
    void damagedImageCanBeSent_data();
    void damagedImageCanBeSent();

private:
    QTemporaryDir m_base;
    QVector<imgobj> m_entries;
    FakeUploader *m_uploader = nullptr;
    std::unique_ptr<UploadQueue> m_queue;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_image;
};

void tst_UploadQueue::init()
{
    m_dir = std::make_unique<QTemporaryDir>(m_base.filePath(QStringLiteral("XXXXXX")));
    qputenv("TMPDIR", QFile::encodeName(m_dir->path()));
    m_image = testutil::writeImage(m_dir->filePath(QStringLiteral("a.png")), 6, 4);
    m_queue.reset();
    m_entries.clear();
    m_uploader = new FakeUploader;
    m_queue = std::make_unique<UploadQueue>(m_entries, nullptr, nullptr, m_uploader);
    m_uploader->setParent(m_queue.get());
}

void tst_UploadQueue::oneStartPerEntry()
{
    const int row = m_queue->add(m_image, false);
    QVERIFY(m_queue->start(row, ann));
    QVERIFY(!m_queue->start(row, ann)); // on its way: not sent twice
    QCOMPARE(m_entries.at(row).state, EntryState::Uploading);
    m_queue->startAll(ann);
    QCOMPARE(m_uploader->jobs.size(), 1);
    QCOMPARE(m_uploader->jobs.first().second.user, QStringLiteral("ann"));
    QVERIFY(!m_queue->start(7, ann));
}

void tst_UploadQueue::autoUploadAtAdd()
{
    QSignalSpy added(m_queue.get(), &UploadQueue::entryAdded);
    m_queue->add(m_image, false, ann);
    m_queue->add(m_image, false);
    QCOMPARE(added.size(), 2);
    QCOMPARE(m_uploader->jobs.size(), 1);
    QCOMPARE(m_entries.at(0).state, EntryState::Uploading);
    QCOMPARE(m_entries.at(1).state, EntryState::Waiting);
}

void tst_UploadQueue::uploadWaitsForItsSave()
{
    const int row = m_queue->add(m_image, false);
    m_queue->edit(row, [](const QImage &source) { return source.mirrored(); });
    QVERIFY(m_queue->record(row).saving());
    QVERIFY(m_queue->start(row, ann));
    QCOMPARE(m_queue->pendingUploads(), 1);
    QVERIFY(m_uploader->jobs.isEmpty());
    QTRY_VERIFY(!m_queue->record(row).saving());
    QCOMPARE(m_uploader->jobs.size(), 1);
    QCOMPARE(m_uploader->jobs.first().second.file, m_entries.at(row).file); // the edited file
    QVERIFY(m_entries.at(row).file != m_image);
    QCOMPARE(m_uploader->jobs.first().second.password, ann.login.password);
}

void tst_UploadQueue::outcomes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QList<int>>("counts"); // uploaded, failed

    QTest::newRow("link") << int(UploadResult::Kind::Linked) << "http://h/x" << QList<int>{1, 0};
    // Counted as it can be used: an answer that cannot be copied or opened is no upload to show.
    QTest::newRow("answer that is no usable link") << int(UploadResult::Kind::UnusableLink) << "http://h/x rm -rf"
                                                   << QList<int>{0, 1};
    QTest::newRow("refused") << int(UploadResult::Kind::Failed) << "" << QList<int>{0, 1};
}

void tst_UploadQueue::outcomes()
{
    QFETCH(int, kind);
    QFETCH(QString, answer);
    QFETCH(QList<int>, counts);

    const int row = m_queue->add(m_image, false, ann);
    QSignalSpy handled(m_queue.get(), &UploadQueue::handled);
    m_uploader->results[row].answer = answer;
    m_uploader->answer(row, UploadResult::Kind(kind));
    QCOMPARE(handled.size(), 1);
    QCOMPARE(m_entries.at(row).state, EntryState::Handled);
    QVERIFY(!m_entries.at(row).reply);
    QCOMPARE(m_entries.at(row).link.toString(), answer.isEmpty() ? QStringLiteral("failed") : answer);
    QCOMPARE(m_queue->isLinked(row), counts.at(0) == 1);
    QCOMPARE(m_queue->counts().uploaded, counts.at(0));
    QCOMPARE(m_queue->counts().failed, counts.at(1));
    QCOMPARE(m_queue->pendingUploads(), 0);
}

void tst_UploadQueue::removal_data()
{
    QTest::addColumn<QString>("stage");
    QTest::addColumn<int>("ended"); // UploadResult::Kind, or -1 for none

    QTest::newRow("waiting") << "waiting" << -1;
    QTest::newRow("queued") << "queued" << int(UploadResult::Kind::Cancelled);
    QTest::newRow("on the wire") << "wire" << int(UploadResult::Kind::Stopped);
    QTest::newRow("waiting for its save") << "saving" << int(UploadResult::Kind::Cancelled);
}

void tst_UploadQueue::removal()
{
    QFETCH(QString, stage);
    QFETCH(int, ended);

    m_uploader->holdBack = stage == QLatin1String("queued");
    const int row = m_queue->add(m_image, false);
    m_queue->add(m_image, false);
    if (stage == QLatin1String("saving"))
        m_queue->edit(row, [](const QImage &source) { return source; });
    if (stage != QLatin1String("waiting"))
        m_queue->start(row, ann);
    m_queue->remove({row});
    QVERIFY(!m_queue->isShown(row));
    QCOMPARE(m_queue->counts().waiting, 1); // only the other one
    QCOMPARE(m_queue->pendingUploads(), 0);
    QCOMPARE(int(m_queue->record(row).result.kind), ended < 0 ? int(UploadResult::Kind::None) : ended);
    // Nothing goes out for it later, and it cannot be started again.
    QTRY_VERIFY(!m_queue->record(row).saving());
    QVERIFY(!m_queue->start(row, ann));
    QCOMPARE(m_uploader->jobs.size(), stage == QLatin1String("queued") || stage == QLatin1String("wire") ? 1 : 0);
}

void tst_UploadQueue::failedEditsRollBack_data()
{
    QTest::addColumn<QList<bool>>("written"); // per edit, pressed one after the other at once
    QTest::addColumn<int>("names");           // the edit whose file the entry names at the end, -1 the original

    QTest::newRow("one fails") << QList<bool>{false} << -1;
    QTest::newRow("first fails, second writes") << QList<bool>{false, true} << 1;
    QTest::newRow("first writes, second fails") << QList<bool>{true, false} << 0;
    QTest::newRow("both fail") << QList<bool>{false, false} << -1;
}

void tst_UploadQueue::failedEditsRollBack()
{
    QFETCH(QList<bool>, written);
    QFETCH(int, names);

    const int row = m_queue->add(m_image, false);
    QSignalSpy notices(m_queue.get(), &UploadQueue::notice);
    QStringList files;
    for (bool writes : written) {
        // A null picture is one no file can hold.
        m_queue->edit(row, [writes](const QImage &source) { return writes ? source.mirrored() : QImage(); });
        files.append(m_entries.at(row).file);
    }
    QTRY_VERIFY(!m_queue->record(row).saving());
    QCOMPARE(m_entries.at(row).file, names < 0 ? m_image : files.at(names));
    QCOMPARE(m_entries.at(row).temp, names >= 0);
    QVERIFY(QFile::exists(m_entries.at(row).file));
    QCOMPARE(int(notices.size()), int(written.count(false)));
    QCOMPARE(notices.first().first().value<QueueNotice>().kind, QueueNotice::Kind::EditNotSaved);
}

void tst_UploadQueue::laterEditStaysExact()
{
    // Half-transparent pixels survive an edit made after the one before was written.
    QImage source(3, 2, QImage::Format_ARGB32);
    source.fill(qRgba(200, 100, 51, 77));
    const QString path = m_dir->filePath(QStringLiteral("glass.png"));
    QVERIFY(source.save(path));
    const int row = m_queue->add(path, false);
    for (int i = 0; i < 2; ++i) {
        m_queue->edit(row, [](const QImage &picture) { return picture.mirrored(true, false); });
        QTRY_VERIFY(!m_queue->record(row).saving());
    }
    QCOMPARE(QImage(m_entries.at(row).file).convertToFormat(QImage::Format_ARGB32), source);
}

void tst_UploadQueue::pictureNotWrittenIsTakenAway()
{
    QSignalSpy notices(m_queue.get(), &UploadQueue::notice);
    const auto target = ReservedPng::create();
    QVERIFY(target->isValid());
    const int row = m_queue->addPicture(QImage(), target, ann);
    QTRY_VERIFY(!m_queue->record(row).saving());
    QVERIFY(!m_queue->isShown(row));
    QVERIFY(m_uploader->jobs.isEmpty());
    QVERIFY(!QFile::exists(target->name()));
    QCOMPARE(notices.last().first().value<QueueNotice>().kind, QueueNotice::Kind::PictureNotSaved);
}

void tst_UploadQueue::nothingAfterClose()
{
    m_uploader->holdBack = true;
    const int queued = m_queue->add(m_image, false, ann);
    m_queue->close();
    QCOMPARE(m_queue->record(queued).result.kind, UploadResult::Kind::Cancelled);
    QCOMPARE(m_queue->add(m_image, false, ann), -1);
    QCOMPARE(m_queue->addPicture(QImage(2, 2, QImage::Format_RGB32), ReservedPng::create(), ann), -1);
    QVERIFY(!m_queue->start(queued, ann));
    QCOMPARE(m_entries.size(), 1);
    QCOMPARE(m_uploader->jobs.size(), 1);
    QCOMPARE(m_queue->pendingUploads(), 0);
}

void tst_UploadQueue::batches_data()
{
    QTest::addColumn<QStringList>("steps"); // on three waiting entries
    QTest::addColumn<QStringList>("batches"); // the rows of each batch ended, in order

    QTest::newRow("one upload alone") << QStringList{"start 0", "link 0"} << QStringList{"0"};
    QTest::newRow("uploads that ran together end together")
            << QStringList{"start 0", "start 2", "link 2", "fail 0"} << QStringList{"0,2"};
    QTest::newRow("one started after the other ended")
            << QStringList{"start 0", "link 0", "start 1", "link 1"} << QStringList{"0", "1"};
    QTest::newRow("Upload All, all failing before they go out") << QStringList{"all unsendable"} << QStringList{"0,1,2"};
    QTest::newRow("Upload All, one answered before the last is queued")
            << QStringList{"answer at once", "all", "link 1", "link 2"} << QStringList{"0,1,2"};
    QTest::newRow("an upload waiting for its file keeps it open")
            << QStringList{"edit 0", "start 0", "start 1", "link 1", "saved 0", "link 0"} << QStringList{"0,1"};
    QTest::newRow("one removed on the wire belongs to it")
            << QStringList{"start 0", "start 1", "link 0", "remove 1"} << QStringList{"0,1"};
    QTest::newRow("closing ends it") << QStringList{"start 0", "start 1", "close"} << QStringList{"0,1"};
}

void tst_UploadQueue::batches()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, batches);

    for (int i = 0; i < 3; ++i)
        m_queue->add(m_image, false);
    QSignalSpy ended(m_queue.get(), &UploadQueue::batchFinished);
    for (const QString &step : steps) {
        const int row = step.section(QLatin1Char(' '), 1).toInt();
        if (step.startsWith(QLatin1String("start")))
            m_queue->start(row, ann);
        else if (step == QLatin1String("all"))
            m_queue->startAll(ann);
        else if (step == QLatin1String("all unsendable"))
            m_queue->startAll(Target{Destination::builtInDestination(), {QStringLiteral("."), QString()}});
        else if (step == QLatin1String("answer at once")) // the first upload, as soon as it is on the wire
            connect(m_uploader, &Uploader::started, this, [this](int started) {
                if (started == 0)
                    m_uploader->answer(0, UploadResult::Kind::Linked);
            });
        else if (step.startsWith(QLatin1String("link")))
            m_uploader->answer(row, UploadResult::Kind::Linked);
        else if (step.startsWith(QLatin1String("fail")))
            m_uploader->answer(row, UploadResult::Kind::Failed);
        else if (step.startsWith(QLatin1String("remove")))
            m_queue->remove({row});
        else if (step.startsWith(QLatin1String("edit")))
            m_queue->edit(row, [](const QImage &source) { return source.mirrored(); });
        else if (step.startsWith(QLatin1String("saved")))
            QTRY_VERIFY(!m_queue->record(row).saving());
        else if (step == QLatin1String("close"))
            m_queue->close();
    }
    QStringList seen;
    for (const QList<QVariant> &signal : std::as_const(ended)) {
        QStringList rows;
        for (int row : signal.first().value<QList<int>>())
            rows.append(QString::number(row));
        seen.append(rows.join(QLatin1Char(',')));
    }
    QCOMPARE(seen, batches);
}

void tst_UploadQueue::changedFileIsNotSent_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("problem");

    QTest::newRow("unchanged") << "" << int(FileProblem::None);
    QTest::newRow("swapped for a link") << "link" << int(FileProblem::Replaced);
    QTest::newRow("another file renamed over it") << "rename" << int(FileProblem::Replaced);
    QTest::newRow("written over with text") << "text" << int(FileProblem::NotAnImage);
    QTest::newRow("removed") << "remove" << int(FileProblem::Missing);
}

// What was added is what goes out: a name that leads to another file by the time of sending, or a
// file that no longer holds an image, fails at once and nothing reaches the uploader.
void tst_UploadQueue::changedFileIsNotSent()
{
    QFETCH(QString, change);
    QFETCH(int, problem);

    const int row = m_queue->add(m_image, false);
    const QString other = testutil::writeImage(m_dir->filePath(QStringLiteral("b.png")), 3, 3);
    if (change == QLatin1String("link")) {
        QVERIFY(QFile::remove(m_image));
        QVERIFY(QFile::link(other, m_image));
    } else if (change == QLatin1String("rename")) {
        QVERIFY(QFile::remove(m_image));
        QVERIFY(QFile::rename(other, m_image));
    } else if (change == QLatin1String("text")) {
        QFile file(m_image);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a picture at all");
    } else if (change == QLatin1String("remove")) {
        QVERIFY(QFile::remove(m_image));
    }
    m_queue->start(row, ann);
    QCOMPARE(m_uploader->jobs.size(), problem == int(FileProblem::None) ? 1 : 0);
    QCOMPARE(int(m_queue->record(row).problem), problem);
    if (problem != int(FileProblem::None))
        QCOMPARE(m_entries.at(row).state, EntryState::Handled);
}

void tst_UploadQueue::walkedFileSwappedAfterTheWalk_data()
{
    QTest::addColumn<bool>("swapped"); // the name leads to a private image by the time of adding

    QTest::newRow("unchanged") << false;
    QTest::newRow("swapped") << true;
}

// A file swapped for a link between the walk's check and the add is not what the walk looked at:
// a fresh look at the name would follow the link, the walk's identity does not.
void tst_UploadQueue::walkedFileSwappedAfterTheWalk()
{
    QFETCH(bool, swapped);

    QList<WalkedFile> walked;
    walkImages(m_dir->path(), [&](const WalkedFile &file) {
        walked.append(file);
        return file.path != m_image;
    });
    QCOMPARE(walked.last().path, m_image);
    QTemporaryDir outside;
    const QString link = outside.filePath(QStringLiteral("link"));
    if (swapped) {
        QVERIFY(QFile::link(testutil::writeImage(outside.filePath(QStringLiteral("secret.png")), 5, 5), link));
        QCOMPARE(::rename(QFile::encodeName(link).constData(), QFile::encodeName(m_image).constData()), 0);
    }
    m_queue->expectChecked(walked);
    const int row = m_queue->add(m_image, false);
    m_queue->start(row, ann);
    QCOMPARE(m_uploader->jobs.size(), swapped ? 0 : 1);
    QCOMPARE(m_queue->record(row).problem, swapped ? FileProblem::Replaced : FileProblem::None);
}

void tst_UploadQueue::damagedImageCanBeSent_data()
{
    QTest::addColumn<QString>("format"); // of a picture cut in half
    QTest::addColumn<QList<int>>("counts"); // waiting, damaged, unusable
    QTest::addColumn<int>("sent");          // by Upload All

    QTest::newRow("whole") << "" << QList<int>{1, 0, 0} << 1;
    QTest::newRow("a cut JPEG still shows a picture") << "JPG" << QList<int>{1, 1, 0} << 1;
    QTest::newRow("a cut PNG shows none") << "PNG" << QList<int>{0, 0, 1} << 0;
}

// Like a picture too large to preview, a damaged one can be sent as it is, as long as its
// decode gives a picture; the summary counts it among the waiting.
void tst_UploadQueue::damagedImageCanBeSent()
{
    QFETCH(QString, format);
    QFETCH(QList<int>, counts);
    QFETCH(int, sent);

    QString file = m_image;
    if (!format.isEmpty()) {
        QImage picture(64, 48, QImage::Format_RGB32);
        for (int i = 0; i < picture.width() * picture.height(); ++i)
            picture.setPixel(i % 64, i / 64, qRgb(i * 7, i * 13, i * 29));
        file = m_dir->filePath(QStringLiteral("cut"));
        QVERIFY(picture.save(file, format.toLatin1().constData()));
        QVERIFY(QFile(file).resize(QFileInfo(file).size() / 2));
    }
    QSignalSpy previews(m_queue.get(), &UploadQueue::previewChanged);
    const int row = m_queue->add(file, false);
    QVERIFY(previews.wait());
    const QueueCounts now = m_queue->counts();
    QCOMPARE((QList<int>{now.waiting, now.damaged, now.unusable}), counts);
    QCOMPARE(m_queue->record(row).damage != ImageDamage::None, !format.isEmpty()); // told even when unusable
    m_queue->startAll(ann);
    QCOMPARE(m_uploader->jobs.size(), sent);
}

QTEST_MAIN(tst_UploadQueue)
#include "tst_uploadqueue.moc"

void tst_UploadQueue::sentAgain_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QList<int>>("counts"); // uploaded, failed, uploading, waiting, unusable
    QTest::addColumn<int>("sent");

    // Rows: linked, failed, failed, waiting, unusable (a folder).
    QTest::newRow("retry failed") << "retry" << QList<int>{1, 0, 2, 1, 1} << 2;
    QTest::newRow("a failed one again") << "again failed" << QList<int>{1, 1, 1, 1, 1} << 1;
    QTest::newRow("a linked one again: both stand") << "again linked" << QList<int>{1, 2, 1, 1, 1} << 1;
    QTest::newRow("upload all skips the unusable") << "all" << QList<int>{1, 2, 1, 0, 1} << 1;
}

// What the summary counts is what stands now: a failed row sent again gives way to its new row.
void tst_UploadQueue::sentAgain()
{
    QFETCH(QString, how);
    QFETCH(QList<int>, counts);
    QFETCH(int, sent);

    for (int i = 0; i < 3; ++i)
        m_queue->add(m_image, false, ann);
    m_uploader->answer(0, UploadResult::Kind::Linked);
    m_uploader->answer(1, UploadResult::Kind::Failed);
    m_uploader->answer(2, UploadResult::Kind::Failed);
    m_queue->add(m_image, false);
    m_queue->add(m_dir->path(), false);
    const qsizetype before = m_uploader->jobs.size();

    if (how == QLatin1String("retry"))
        QCOMPARE(m_queue->retryFailed(ann), sent);
    else if (how == QLatin1String("again failed"))
        QVERIFY(m_queue->uploadAgain(1, ann) > 0);
    else if (how == QLatin1String("again linked"))
        QVERIFY(m_queue->uploadAgain(0, ann) > 0);
    else
        m_queue->startAll(ann);

    QCOMPARE(m_uploader->jobs.size() - before, sent);
    const QueueCounts now = m_queue->counts();
    QCOMPARE((QList<int>{now.uploaded, now.failed, now.uploading, now.waiting, now.unusable}), counts);
    QVERIFY(m_queue->isShown(0)); // a link stays
}
