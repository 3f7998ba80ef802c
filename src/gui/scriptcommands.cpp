#include "gui/scriptcommands.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

#include "base/destinationstore.h"
#include "base/history.h"
#include "base/historylisting.h"
#include "base/settings.h"
#include "base/sxcu.h"
#include "base/uploadqueue.h"
#include "gui/destinationtexts.h"
#include "gui/historyrecorder.h"
#include "gui/historytexts.h"
#include "gui/texts.h"

namespace tarvello {

namespace {

// An image piped in is no bigger than the largest one a host takes.
constexpr qint64 maxStandardInput = qint64(512) << 20;

void print(FILE *stream, const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Waits for the store to know its destinations and their secrets; false when its file is broken.
bool loaded(DestinationStore &store, FILE *err)
{
    bool broken = false;
    QObject context;
    QObject::connect(&store, &DestinationStore::failed, &context, [&broken, err](const StoreFailure &failure) {
        broken = failure.kind == StoreFailure::Unreadable;
        print(err, storeFailureText(failure));
    });
    if (!store.isReady()) {
        QEventLoop loop;
        QObject::connect(&store, &DestinationStore::ready, &loop, &QEventLoop::quit);
        store.load();
        if (!store.isReady() && !broken)
            loop.exec();
    }
    return !broken;
}

// One line, however many the reason has.
QString reasonOf(const UploadResult &result, FileProblem problem)
{
    if (result.kind == UploadResult::Kind::NotPrepared)
        return requestFailureText(result.request, true);
    if (result.kind == UploadResult::Kind::Failed && problem != FileProblem::None)
        return fileProblemText(problem);
    return resultDetails(result).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1String("; "));
}

// What comes in on standard input, kept in a private folder under a name with its image type.
QString keepStandardInput(FILE *in, const QTemporaryDir &folder, QString *problem)
{
    QFile input;
    QByteArray bytes;
    if (input.open(in, QIODevice::ReadOnly))
        bytes = input.read(maxStandardInput + 1);
    if (bytes.size() > maxStandardInput) {
        *problem = QCoreApplication::translate("mw", "The image on standard input is larger than %1 MiB.")
                           .arg(maxStandardInput >> 20);
        return QString();
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QByteArray format = QImageReader::imageFormat(&buffer);
    if (format.isEmpty()) {
        *problem = fileProblemText(FileProblem::NotAnImage);
        return QString();
    }
    if (format == "jpeg")
        format = "jpg";
    QFile file(folder.filePath(QStringLiteral("stdin.") + QString::fromLatin1(format)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        *problem = QCoreApplication::translate("mw", "The image on standard input could not be kept in the temporary folder.");
        return QString();
    }
    return file.fileName();
}

// Until the history has written what it was given, or has given up; not through another
// program's lock or a full disk, which may last: what is left is written at exit if it can be.
void waitForHistory(const HistoryStore &history)
{
    QElapsedTimer waited;
    waited.start();
    QTimer wake;
    wake.start(100);
    while (!history.isIdle() && history.isAvailable() && !historydb::passes(history.fault()) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

int printHistory(const QString &path, int count, FILE *out, FILE *err)
{
    const HistoryListing listing = readHistoryLinks(path, count);
    if (listing.fault != HistoryFault::None) {
        print(err, historyFaultText(listing.fault, path, listing.detail));
        return 1;
    }
    std::fputs(historyLines(listing.records).toLocal8Bit().constData(), out);
    return 0;
}

int listDestinations(DestinationStore &store, FILE *out)
{
    store.load();
    for (const Destination &destination : store.destinations())
        print(out, destination.builtIn ? QString::fromLatin1(builtInDestinationName) : cleanName(destination.name));
    return 0;
}

int importDestination(DestinationStore &store, const QString &file, FILE *out, FILE *err)
{
    const SxcuReading reading = readSxcuFile(file);
    if (!reading.destination) {
        print(err, file + QLatin1String(": ") + sxcuRefusalText(reading.refusal));
        return 1;
    }
    if (!loaded(store, err))
        return 1;
    // Kept at once, or once the keyring has answered.
    std::optional<int> status;
    QEventLoop loop;
    QObject::connect(&store, &DestinationStore::stored, &loop, [&](const QString &name, bool replaced) {
        if (replaced)
            print(err, QCoreApplication::translate("mw", "%1 replaced the destination of that name.").arg(file));
        print(out, cleanName(name));
        status = 0;
        loop.quit();
    });
    QObject::connect(&store, &DestinationStore::failed, &loop, [&](const StoreFailure &failure) {
        print(err, file + QLatin1String(": ") + storeFailureText(failure));
        status = 1;
        loop.quit();
    });
    store.add(*reading.destination);
    if (!status)
        loop.exec();
    return status.value_or(1);
}

int uploadFiles(DestinationStore &store, const QString &destination, const QStringList &files, FILE *in, FILE *out,
                FILE *err, HistoryStore *history)
{
    if (!loaded(store, err))
        return 2;
    Target target;
    if (destination.isEmpty()) {
        target.destination = store.chosenDestination();
    } else if (destination.compare(QLatin1String(builtInDestinationName), Qt::CaseInsensitive) != 0) {
        const std::optional<Destination> found = store.find(destination);
        if (!found) {
            print(err, QCoreApplication::translate("mw", "No destination is called %1; tarvello --list-destinations "
                                                         "lists them.").arg(destination));
            return 2;
        }
        target.destination = *found;
    }
    if (target.destination.builtIn) {
        if (const auto saved = readCredentials(QString::fromLatin1(settingsFileName)))
            target.login = {saved->user, saved->pw};
    }

    // Each file's outcome, printed in the order the files were given, as soon as all before it
    // are known.
    struct Item
    {
        QString shown;
        int row = -1;
        bool done = false;
        bool uploaded = false;
        QString text;
    };
    QList<Item> items;
    qsizetype printed = 0;
    bool allUploaded = true;
    const auto flush = [&] {
        for (; printed < items.size() && items.at(printed).done; ++printed) {
            const Item &item = items.at(printed);
            if (item.uploaded)
                print(out, item.text);
            else
                print(err, item.shown + QLatin1String(": ") + item.text);
            allUploaded = allUploaded && item.uploaded;
        }
    };

    QVector<imgobj> entries;
    QNetworkAccessManager manager;
    UploadQueue queue(entries, &manager);
    queue.setPreviews(false);
    std::optional<HistoryRecorder> recorder;
    QObject historyContext;
    if (history) {
        recorder.emplace(&queue, history);
        const auto said = [err, history](HistoryFault fault, const QString &detail) {
            print(err, historyFaultText(fault, history->path(), detail));
        };
        QObject::connect(history, &HistoryStore::faulted, &historyContext, said);
        if (history->fault() != HistoryFault::None)
            said(history->fault(), history->faultDetail());
    }
    QEventLoop loop;
    QObject::connect(&queue, &UploadQueue::handled, &loop, [&](int row) {
        for (Item &item : items) {
            if (item.row != row)
                continue;
            const EntryRecord &record = queue.record(row);
            item.done = true;
            item.uploaded = record.result.linked();
            item.text = item.uploaded ? record.result.link.toString(QUrl::FullyEncoded)
                                      : reasonOf(record.result, record.problem);
        }
        flush();
        if (printed == items.size())
            loop.quit();
    });

    const QTemporaryDir standardInput;
    for (const QString &file : files) {
        Item item;
        item.shown = file;
        QString path = file;
        if (file == QLatin1String("-"))
            path = keepStandardInput(in, standardInput, &item.text);
        const FileProblem problem = path.isEmpty() ? FileProblem::None : fileProblem(path);
        if (path.isEmpty() || problem != FileProblem::None) {
            item.done = true;
            if (item.text.isEmpty())
                item.text = fileProblemText(problem);
            items.append(item);
            continue;
        }
        // The queue appends: the entry's row is known before its upload can end.
        item.row = int(entries.size());
        items.append(item);
        // A copy of standard input is the program's own file, gone when the command ends.
        queue.add(path, file == QLatin1String("-"), target);
    }
    flush();
    if (printed < items.size())
        loop.exec();
    // Standard input's copy lasts until the history has made its thumbnail, and a history that
    // cannot be used is said before the command ends.
    if (history)
        waitForHistory(*history);
    return allUploaded ? 0 : 1;
}

} // namespace tarvello
