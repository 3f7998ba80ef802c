// Benchmarks of the uploader against the floor of the work it cannot avoid. Each mode prints
// "name seconds" lines (or kilobytes for memory); scripts/bench.sh runs the modes, repeats
// them and prints the ratios.

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThreadPool>
#include <QTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>

#include <atomic>
#include <memory>
#include <cstdio>

#include "gui/historymodel.h"
#include "gui/historywindow.h"
#include "gui/mw.h"
#include "base/history.h"
#include "base/historydb.h"
#include "base/thumbnail.h"
#include "base/transform.h"
#include "base/folderwalk.h"
#include "base/image.h"
#include "base/imagedamage.h"
#include "base/regularfile.h"
#include "base/imgobj.h"
#include "base/uploadqueue.h"

namespace {

void print(const char *name, double value)
{
    std::printf("%s %.6f\n", name, value);
    std::fflush(stdout);
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// A photo-like picture: smooth gradients with fine noise, so encoders do real work.
QImage photo(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    auto *random = QRandomGenerator::global();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int noise = int(random->bounded(24));
            line[x] = qRgb((x * 255 / w + noise) & 255, (y * 255 / h + noise) & 255, ((x + y) / 16 + noise) & 255);
        }
    }
    return image;
}

int makeImages(const QString &dir)
{
    const QImage twelve = photo(4000, 3000);
    if (!twelve.save(dir + QStringLiteral("/12mp.jpg"), "JPG", 90) || !twelve.save(dir + QStringLiteral("/12mp.png")))
        return 1;
    if (!photo(6000, 4000).save(dir + QStringLiteral("/24mp.png")))
        return 1;
    // 64 MiB that the host takes for a PNG: the signature and an image header, then noise.
    QFile big(dir + QStringLiteral("/64mib.png"));
    if (!big.open(QIODevice::WriteOnly))
        return 1;
    QByteArray data(64 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
    data.replace(0, 29, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x10\0\0\0\x10\0\x08\x02\0\0\0", 29));
    big.write(data);
    return 0;
}

// Distinct 12 MP JPEGs, as a phone takes them.
int makePhotos(const QString &dir, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!photo(4000, 3000).save(dir + QStringLiteral("/photo%1.jpg").arg(i), "JPG", 90))
            return 1;
    }
    return 0;
}

// Adding an image (decode and preview) against decoding the file alone.
int benchAdd(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QImageReader reader(path);
    const QImage alone = reader.read();
    print("decode", seconds(timer));
    if (alone.isNull())
        return 1;

    mw window;
    timer.restart();
    window.addObj(path, false);
    // The row is there at once; the figure is until its preview is ready.
    if (!QTest::qWaitFor([&] { return !window.entries().at(0).prev.isNull(); }, 60000))
        return 1;
    print("add", seconds(timer));
    return 0;
}

// One edit of a large image against encoding its result as PNG alone.
int benchEdit(const QString &path, const QByteArray &slot)
{
    mw window;
    window.addObj(path, false);
    const QImage source = tarvello::loadImage(path);

    QImage result = slot == "fliph" ? tarvello::mirrored(source, Qt::Horizontal) : tarvello::rotated(source, 90.0);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QElapsedTimer timer;
    timer.start();
    result.save(&buffer, "PNG");
    print("encode", seconds(timer));
    buffer.close();
    result = QImage();

    timer.restart();
    QMetaObject::invokeMethod(&window, slot.constData());
    // Until the edited file is complete: the busy icon leaves the row then.
    auto *table = window.findChild<QTableWidget *>();
    if (!QTest::qWaitFor([&] { return table->item(0, 0)->data(Qt::DecorationRole).isNull(); }, 120000))
        return 1;
    print("edit", seconds(timer));
    QFile::remove(window.entries().at(0).file);
    return 0;
}

// Sending a 64 MiB file through the program to the host, until the reply is handled.
int benchUpload(const QString &path)
{
    mw window;
    window.addObj(path, false);
    auto *table = window.findChild<QTableWidget *>();
    // An event loop of its own: QTest's waiting sleeps between polls, which would throttle the
    // transfer that the loop feeds.
    QEventLoop loop;
    QObject::connect(table, &QTableWidget::itemChanged, &loop, [&] {
        if (window.entries().at(0).state == 2)
            loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    window.handleclick(0, 1);
    loop.exec();
    print("upload", seconds(timer));
    const QString outcome = table->item(0, 1)->text();
    return outcome.startsWith(QLatin1String("http://")) ? 0 : 1;
}

// The first shown window; with "bare", a plain QWidget of the same size. Paths after the mode
// are added as main() adds those named on the command line.
int benchStartup(bool bare, const QStringList &paths, const QElapsedTimer &sinceMain)
{
    std::unique_ptr<QWidget> window(bare ? new QWidget : new mw);
    if (bare)
        window->resize(380, 695);
    for (const QString &path : paths)
        static_cast<mw *>(window.get())->addObj(path, false);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    QApplication::processEvents();
    print("shown", seconds(sinceMain));
    return 0;
}

QStringList filesIn(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        if (it.fileInfo().isFile())
            files.append(entry);
    }
    return files;
}

// Walking the folder as the drop does, and nothing else: the floor of a drop's rows.
int benchWalk(const QString &dir)
{
    QElapsedTimer timer;
    timer.start();
    int count = 0;
    tarvello::walkImages(dir, [&count](const tarvello::WalkedFile &) {
        ++count;
        return true;
    });
    print("walk", seconds(timer));
    return count > 0 ? 0 : 1;
}

// The same reduced-size decodes a drop makes, on an idle pool of as many threads: the floor of
// a drop's previews.
int benchDecodePreviews(const QString &dir)
{
    const QStringList files = filesIn(dir);
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
    QElapsedTimer timer;
    timer.start();
    std::atomic<int> decoded{0};
    for (const QString &file : files)
        pool.start([file, &decoded] {
            if (!tarvello::loadPreview(file).isNull())
                ++decoded;
        });
    pool.waitForDone();
    print("previews", seconds(timer));
    return decoded == files.size() ? 0 : 1;
}

// What the damage check alone adds to each preview: reading the file through to its end marker.
int benchDamageCheck(const QString &dir)
{
    const QStringList files = filesIn(dir);
    QElapsedTimer timer;
    timer.start();
    int damaged = 0;
    for (const QString &file : files) {
        QFile image;
        if (tarvello::openRegularFile(image, file) && tarvello::imageDamage(image) != tarvello::ImageDamage::None)
            ++damaged;
    }
    print("damage-check", seconds(timer));
    return damaged == 0 ? 0 : 1;
}

// Records the longest time the GUI thread went without running a 10 ms timer.
class StallMeter
{
public:
    StallMeter()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.nsecsElapsed());
            m_clock.restart();
        });
        m_clock.start();
        m_timer.start();
    }
    double longestMs() const { return double(std::max(m_longest, m_clock.nsecsElapsed())) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

bool dropOn(QWidget *target, const QString &path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    event.setAccepted(false);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

// A folder dropped on the shown window: until all rows are there, until all previews are, the
// peak memory, and the longest stall of the GUI thread. With an image to edit, that image is
// added and turned right after the drop, and the figures run until its file is written too.
int benchDrop(const QString &dir, const QString &editPath)
{
    mw window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QApplication::processEvents();
    const int count = int(filesIn(dir).size());

    StallMeter stalls;
    QElapsedTimer timer;
    timer.start();
    if (!dropOn(window.findChild<QLabel *>(QStringLiteral("label")), dir))
        return 1;
    // The folder is walked on a worker and its rows arrive in batches.
    while (window.entries().size() < count) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (timer.elapsed() > 60000)
            return 1;
    }
    print("rows", seconds(timer));
    auto *table = window.findChild<QTableWidget *>();
    if (!editPath.isEmpty()) {
        window.addObj(editPath, false);
        window.cw90();
    }
    // Previews arrive in row order, so the scan resumes where it stopped.
    int firstMissing = 0;
    const auto ready = [&] {
        while (firstMissing < window.entries().size() && !window.entries().at(firstMissing).prev.isNull())
            ++firstMissing;
        if (firstMissing < window.entries().size())
            return false;
        for (int row = 0; row < window.entries().size(); ++row) {
            if (window.entries().at(row).prev.isNull() || !table->item(row, 0)->data(Qt::DecorationRole).isNull())
                return false;
        }
        return true;
    };
    // A loop of its own, woken by every preview, so the figure is not rounded up to QTest's
    // 10 ms polls.
    while (!ready()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (timer.elapsed() > 600000)
            return 1;
    }
    print("previews", seconds(timer));
    print("stall_ms", stalls.longestMs());
    print("peak_kb", double(peakKilobytes()));
    const QPixmap &preview = window.entries().at(0).prev;
    print("preview_kb", double(preview.width()) * preview.height() * preview.depth() / 8 / 1024);
    if (!editPath.isEmpty())
        QFile::remove(window.entries().last().file);
    return 0;
}

// Auto Upload on, a folder dropped: until the first byte of a request reaches a listening peer.
int benchAutoUpload(const QString &dir)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return 1;
    qputenv("TARVELLO_HOST", QByteArray("127.0.0.1:") + QByteArray::number(server.serverPort()));
    mw window;
    window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->setChecked(true);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QElapsedTimer timer;
    double firstByte = -1.0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, [&, socket] {
                if (firstByte < 0.0 && socket->bytesAvailable() > 0)
                    firstByte = seconds(timer);
                socket->readAll();
            });
        }
    });
    // Wakes the loop below now and then, whatever else happens.
    QTimer tick;
    tick.start(10);
    timer.start();
    if (!dropOn(window.findChild<QLabel *>(QStringLiteral("label")), dir))
        return 1;
    while (firstByte < 0.0) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (timer.elapsed() > 60000)
            return 1;
    }
    print("first_byte", firstByte);
    return 0;
}

template<typename Done>
bool spinUntil(Done done, int timeoutMs);

// Every file of a folder queued, then Upload All, until every reply is handled. With a history
// file, each upload is recorded as the program does it, and what recording costs the GUI thread
// is timed: the recorder's share of each `handled`, between two timers connected around it.
int benchUploadAll(const QString &dir, const QString &historyPath)
{
    mw window;
    std::unique_ptr<tarvello::HistoryStore> store;
    auto *queue = window.findChild<tarvello::UploadQueue *>();
    QElapsedTimer one;
    double slowest = 0;
    double recording = 0;
    if (!historyPath.isEmpty()) {
        QFile::remove(historyPath);
        store = std::make_unique<tarvello::HistoryStore>(historyPath);
        QObject::connect(queue, &tarvello::UploadQueue::handled, &window, [&one] { one.start(); });
        window.setHistory(store.get());
        QObject::connect(queue, &tarvello::UploadQueue::handled, &window, [&] {
            const double spent = seconds(one);
            slowest = qMax(slowest, spent);
            recording += spent;
        });
    }
    const QStringList files = filesIn(dir);
    for (const QString &file : files)
        window.addObj(file, false);
    QEventLoop loop;
    auto *table = window.findChild<QTableWidget *>();
    const auto done = [&] {
        for (const imgobj &entry : window.entries()) {
            if (entry.state != tarvello::EntryState::Handled)
                return false;
        }
        return true;
    };
    QObject::connect(table, &QTableWidget::itemChanged, &loop, [&] {
        if (done())
            loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    window.findChild<QPushButton *>(QStringLiteral("uploadfile"))->click();
    loop.exec();
    print("uploadall", seconds(timer));
    if (store) {
        if (!spinUntil([&store] { return store->isIdle(); }, 120000))
            return 1;
        print("history_written", seconds(timer));
        print("record_mean", recording / files.size());
        print("record_max", slowest);
        if (store->read(QString(), 0, int(files.size())).size() != files.size())
            return 1;
    }
    return queue->counts().uploaded == files.size() ? 0 : 1;
}

// Peak memory with images queued; with a count of 0, the empty program.
int benchMemory(const QString &path, int count)
{
    mw window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    for (int i = 0; i < count; ++i)
        window.addObj(path, false);
    QApplication::processEvents();
    print("peak_kb", double(peakKilobytes()));
    if (count > 0) {
        const QPixmap &pix = window.entries().at(0).pix;
        print("decoded_kb", double(pix.width()) * pix.height() * pix.depth() / 8 / 1024);
    }
    return 0;
}

// Runs the event loop until `done`, waking at each event (QTest's waits sleep 10 ms at a time).
template<typename Done>
bool spinUntil(Done done, int timeoutMs)
{
    QTimer wake;
    wake.start(50);
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A history of `count` uploads over the last years, as a heavy user gathers it: varied names,
// links, descriptions and destinations, each with a thumbnail of a few KB.
int historyFill(const QString &path, int count)
{
    QFile::remove(path);
    const QString connection = QStringLiteral("bench-fill");
    using namespace tarvello;
    if (!historydb::open(connection, path, 5000).ok())
        return 1;
    {
        const QSqlDatabase db = QSqlDatabase::database(connection);
        if (!historydb::prepareForWriting(db).ok())
            return 1;
        const QByteArray thumbnail = historyThumbnail(photo(512, 384));
        const QStringList words{QStringLiteral("holiday"), QStringLiteral("cat"), QStringLiteral("screenshot"),
                                QStringLiteral("receipt"), QStringLiteral("garden"), QStringLiteral("bug report"),
                                QStringLiteral("whiteboard"), QStringLiteral("mountain"), QStringLiteral("birthday")};
        const QStringList destinations{QStringLiteral("Local host"), QStringLiteral("Team share"),
                                       QStringLiteral("imgbox.example")};
        auto *random = QRandomGenerator::global();
        const QDateTime start = QDateTime::currentDateTime().addDays(-3 * 365);
        const qint64 step = 3LL * 365 * 24 * 3600 * 1000 / count;
        for (int first = 0; first < count; first += 1000) {
            QList<HistoryRecord> batch;
            for (int i = first; i < qMin(count, first + 1000); ++i) {
                HistoryRecord record;
                record.time = start.addMSecs(step * i);
                record.fileName = QStringLiteral("IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
                record.filePath = QStringLiteral("/home/someone/Pictures/") + record.fileName;
                record.fileSize = 2000000 + random->bounded(4000000);
                record.imageSize = QSize(4000, 3000);
                record.destination = destinations.at(i % destinations.size());
                const QString key = QString::number(random->generate64(), 36);
                record.link = QStringLiteral("https://img.example/i/%1.jpg").arg(key);
                record.thumbnailLink = QStringLiteral("https://img.example/t/%1.jpg").arg(key);
                record.deletionLink = QStringLiteral("https://img.example/delete/%1/%2").arg(key).arg(random->generate());
                if (i % 3 != 0)
                    record.description = words.at(random->bounded(words.size())) + QLatin1Char(' ')
                            + words.at(random->bounded(words.size())) + QStringLiteral(" %1").arg(i);
                record.thumbnail = thumbnail;
                batch.append(record);
            }
            if (!historydb::begin(db).ok() || !historydb::insert(db, batch).ok() || !historydb::commit(db).ok())
                return 1;
        }
        print("thumbnail_bytes", thumbnail.size());
    }
    historydb::close(connection);
    print("file_mb", QFileInfo(path).size() / 1048576.0);
    return 0;
}

// What recording costs the GUI thread: each call, with a preview as the window holds it.
int historyRecord(const QString &path)
{
    QFile::remove(path);
    tarvello::HistoryStore store(path);
    const QImage preview = photo(330, 170);
    QElapsedTimer total;
    total.start();
    double slowest = 0;
    const int count = 1000;
    for (int i = 0; i < count; ++i) {
        tarvello::HistoryRecord record;
        record.time = QDateTime::currentDateTime();
        record.fileName = QStringLiteral("photo%1.jpg").arg(i);
        record.link = QStringLiteral("https://img.example/i/%1.jpg").arg(i);
        QElapsedTimer one;
        one.start();
        store.record(record, preview);
        slowest = qMax(slowest, seconds(one));
    }
    const double calls = seconds(total);
    const bool written = spinUntil([&store] { return store.isIdle(); }, 120000);
    print("record_mean", calls / count);
    print("record_max", slowest);
    print("written_all", seconds(total));
    return written ? 0 : 1;
}

// The history window on a big history: from the menu's click to its first page on screen, and
// each search until its answer is drawn.
int historyWindow(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    tarvello::HistoryStore store(path);
    if (!spinUntil([&store] { return store.isOpen(); }, 60000))
        return 1;
    print("store_open", seconds(timer));

    QWidget parent;
    timer.restart();
    auto *window = tarvello::HistoryWindow::showFor(&parent, &store);
    if (!QTest::qWaitForWindowExposed(window))
        return 1;
    QApplication::processEvents();
    window->grab(); // everything drawn, thumbnails included
    print("window_open", seconds(timer));
    if (window->model()->rowCount() == 0)
        return 1;

    double slowest = 0;
    for (const char *words : {"holiday", "IMG_099", "zzqx", "cat 2026", "bug report", "ta", "q", "!!", "https"}) {
        timer.restart();
        window->model()->setSearch(QString::fromLatin1(words));
        window->grab();
        const double took = seconds(timer);
        slowest = qMax(slowest, took);
        print(QStringLiteral("search_%1").arg(QString::fromLatin1(words).replace(QLatin1Char(' '), QLatin1Char('+')))
                      .toLatin1().constData(), took);
    }
    // A date as the window shows it, a year before the newest upload.
    timer.restart();
    window->model()->setSearch(QDateTime::currentDateTime().addYears(-1).toString(QStringLiteral("yyyy-MM-dd")));
    window->grab();
    slowest = qMax(slowest, seconds(timer));
    print("search_date", seconds(timer));
    print("search_slowest", slowest);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == QLatin1String("make-images"))
        return makeImages(args.value(1));
    if (mode == QLatin1String("make-photos"))
        return makePhotos(args.value(1), args.value(2).toInt());
    if (mode == QLatin1String("add"))
        return benchAdd(args.value(1));
    if (mode == QLatin1String("edit"))
        return benchEdit(args.value(1), args.value(2).toLatin1());
    if (mode == QLatin1String("upload"))
        return benchUpload(args.value(1));
    if (mode == QLatin1String("startup"))
        return benchStartup(args.value(1) == QLatin1String("bare"), args.mid(2), sinceMain);
    if (mode == QLatin1String("walk"))
        return benchWalk(args.value(1));
    if (mode == QLatin1String("damage-check"))
        return benchDamageCheck(args.value(1));
    if (mode == QLatin1String("decode-previews"))
        return benchDecodePreviews(args.value(1));
    if (mode == QLatin1String("drop"))
        return benchDrop(args.value(1), args.value(2));
    if (mode == QLatin1String("autoupload"))
        return benchAutoUpload(args.value(1));
    if (mode == QLatin1String("uploadall"))
        return benchUploadAll(args.value(1), args.value(2));
    if (mode == QLatin1String("memory"))
        return benchMemory(args.value(1), args.value(2).toInt());
    if (mode == QLatin1String("history-fill"))
        return historyFill(args.value(1), args.value(2).toInt());
    if (mode == QLatin1String("history-record"))
        return historyRecord(args.value(1));
    if (mode == QLatin1String("history-window"))
        return historyWindow(args.value(1));
    QTextStream(stderr) << "usage: bench_tarvello make-images DIR | add FILE | edit FILE SLOT | upload FILE"
                           " | startup bare|mw [FILE...] | memory FILE COUNT | walk DIR | decode-previews DIR"
                           " | drop DIR [EDIT_FILE] | autoupload DIR | uploadall DIR [HISTORY_FILE]"
                           " | history-fill FILE COUNT | history-record FILE | history-window FILE\n";
    return 2;
}
