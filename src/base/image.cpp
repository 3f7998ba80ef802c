#include "base/image.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "base/regularfile.h"

namespace tarvello {

namespace {

// Qt refuses images above 128 MB of pixels by default, which is about 32 megapixels; phone
// cameras pass that. This allows 200 megapixels at four bytes a pixel.
constexpr int allocationLimitMB = 800;

void raiseAllocationLimit()
{
    static const bool raised = [] {
        if (QImageReader::allocationLimit() < allocationLimitMB)
            QImageReader::setAllocationLimit(allocationLimitMB);
        return true;
    }();
    Q_UNUSED(raised);
}

// Pixels a preview may decode. A baseline JPEG whose first scan holds every component is decoded
// at 1/8 scale a few rows at a time, so its memory is that of the small picture; a progressive
// one, or one in several scans, keeps two bytes for every sample of the whole picture until its
// last scan; other formats decode at full size, then scale.
constexpr qint64 wholeJpegBudget = 40'000'000;
constexpr qint64 baselineJpegBudget = 400'000'000;
constexpr qint64 otherBudget = 100'000'000;

// Whether decoding the JPEG keeps coefficients for the whole picture: a progressive frame, or a
// first scan that holds only some of the frame's components (the rest follow in later scans).
// Reads the marker segments up to the first scan, skipping fill bytes and segments by their
// lengths; what cannot be read counts as the whole picture. `device` is left where it was.
bool jpegHoldsWholePicture(QIODevice &device)
{
    const qint64 start = device.pos();
    const auto finish = [&device, start](bool whole) {
        device.seek(start);
        return whole;
    };
    uchar byte[2];
    if (device.read(reinterpret_cast<char *>(byte), 2) != 2 || byte[0] != 0xFF || byte[1] != 0xD8)
        return finish(false); // no JPEG
    bool progressive = false;
    int components = 0;
    for (;;) {
        char c = 0;
        if (!device.getChar(&c) || uchar(c) != 0xFF)
            return finish(true);
        do {
            if (!device.getChar(&c))
                return finish(true);
        } while (uchar(c) == 0xFF);
        const uchar marker = uchar(c);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length follows
        if (device.read(reinterpret_cast<char *>(byte), 2) != 2)
            return finish(true);
        const int length = (byte[0] << 8) | byte[1];
        if (length < 2)
            return finish(true);
        const qint64 next = device.pos() + length - 2;
        // SOF0 to SOF15 but DHT (C4), JPG (C8) and DAC (CC); SOF2, 6, 10 and 14 are progressive.
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            const QByteArray frame = device.read(6); // precision, height, width, components
            if (frame.size() != 6)
                return finish(true);
            progressive = (marker & 0x03) == 0x02;
            components = uchar(frame.at(5));
        } else if (marker == 0xDA) {
            char scanComponents = 0;
            if (!device.getChar(&scanComponents))
                return finish(true);
            return finish(progressive || components == 0 || uchar(scanComponents) < components);
        }
        if (!device.seek(next))
            return finish(true);
    }
}

// A file read that gives up, as at its end, once `stop` is set: the decoder then returns.
class StoppableDevice : public QIODevice
{
public:
    StoppableDevice(QIODevice &inner, const std::atomic<bool> &stop)
        : m_inner(inner)
        , m_stop(stop)
    {
        QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return m_inner.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_inner.seek(pos); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_stop.load(std::memory_order_relaxed))
            return -1;
        return m_inner.read(data, maxSize);
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_inner;
    const std::atomic<bool> &m_stop;
};

} // namespace

QImage loadImage(const QString &path)
{
    raiseAllocationLimit();
    QFile file;
    if (!openRegularFile(file, path))
        return QImage();
    // The suffix is a hint, as it is when Qt opens the file by name; the content decides.
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    // Upright as the camera meant it, as browsers and file managers show it.
    reader.setAutoTransform(true);
    return reader.read();
}

QImage previewImageOf(const QImage &image)
{
    if (image.isNull())
        return QImage();
    return image.scaled(previewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap previewOf(const QPixmap &image)
{
    if (image.isNull())
        return QPixmap();
    return image.scaled(previewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QSize previewSizeOf(const QSize &size)
{
    const QSize fitted = size.scaled(previewBox, Qt::KeepAspectRatio);
    return QSize(qMax(fitted.width(), 1), qMax(fitted.height(), 1));
}

PreviewImage loadPreview(const QString &path, const std::atomic<bool> *stop)
{
    raiseAllocationLimit();
    static const std::atomic<bool> never{false};
    QFile file;
    if (!openRegularFile(file, path))
        return {};
    const bool whole = jpegHoldsWholePicture(file);
    StoppableDevice device(file, stop ? *stop : never);
    // Decoders return what they could of a cut-off JPEG, saying so only on stderr.
    const ImageDamage damage = imageDamage(device);
    QImageReader reader(&device, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    PreviewImage preview;
    preview.damage = damage;
    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty()) {
        const bool jpeg = reader.format() == "jpeg";
        const qint64 budget = !jpeg ? otherBudget : whole ? wholeJpegBudget : baselineJpegBudget;
        if (qint64(stored.width()) * stored.height() > budget) {
            preview.tooLarge = stored;
            return preview;
        }
        // The scaled size is that of the stored picture, which the EXIF orientation then turns.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize fitted = previewSizeOf(turned ? stored.transposed() : stored);
        reader.setScaledSize(turned ? fitted.transposed() : fitted);
        preview.image = reader.read();
    } else {
        const QImage image = reader.read();
        if (!image.isNull())
            preview.image = image.scaled(previewSizeOf(image.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // A decode told to stop may have made part of a picture.
    if (stop && stop->load())
        return {};
    return preview;
}

QSize imageSizeOf(const QString &path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return QSize();
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored;
}

} // namespace tarvello
