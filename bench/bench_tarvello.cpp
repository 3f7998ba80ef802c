// Benchmarks of the uploader against the floor of the work it cannot avoid. Each mode prints
// "name seconds" lines (or kilobytes for memory); scripts/bench.sh runs the modes, repeats
// them and prints the ratios.

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>

#include <cstdio>

#include "gui/mw.h"
#include "base/transform.h"
#include "base/image.h"

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
    // 64 MiB that the host takes for a PNG: the signature, then noise.
    QFile big(dir + QStringLiteral("/64mib.png"));
    if (!big.open(QIODevice::WriteOnly))
        return 1;
    QByteArray data(64 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
    data.replace(0, 8, "\x89PNG\r\n\x1a\n");
    big.write(data);
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
    print("add", seconds(timer));
    return window.entries().at(0).pix.isNull() ? 1 : 0;
}

// One edit of a large image against encoding its result as PNG alone.
int benchEdit(const QString &path, const QByteArray &slot)
{
    mw window;
    window.addObj(path, false);
    const QPixmap source = window.entries().at(0).pix;

    QImage result = slot == "fliph" ? tarvello::mirrored(source.toImage(), Qt::Horizontal)
                                    : tarvello::rotated(source, 90.0).toImage();
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

// The first shown window; with "bare", a plain QWidget of the same size.
int benchStartup(bool bare)
{
    std::unique_ptr<QWidget> window(bare ? new QWidget : new mw);
    if (bare)
        window->resize(380, 695);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    QApplication::processEvents();
    return 0;
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == QLatin1String("make-images"))
        return makeImages(args.value(1));
    if (mode == QLatin1String("add"))
        return benchAdd(args.value(1));
    if (mode == QLatin1String("edit"))
        return benchEdit(args.value(1), args.value(2).toLatin1());
    if (mode == QLatin1String("upload"))
        return benchUpload(args.value(1));
    if (mode == QLatin1String("startup"))
        return benchStartup(args.value(1) == QLatin1String("bare"));
    if (mode == QLatin1String("memory"))
        return benchMemory(args.value(1), args.value(2).toInt());
    QTextStream(stderr) << "usage: bench_tarvello make-images DIR | add FILE | edit FILE SLOT | upload FILE"
                           " | startup bare|mw | memory FILE COUNT\n";
    return 2;
}
