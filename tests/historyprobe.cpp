// A second program that records into a history file, for the tests that need another process
// or another user: historyprobe PATH COUNT TAG. It records COUNT uploads named TAG-0, TAG-1 ...,
// one after the other as a queue hands them over, and prints "fault N" (the first fault's kind,
// 0 for none) and "written N" when everything has been handled.

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTextStream>

#include "base/history.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const int count = args.at(2).toInt();
    int written = 0;
    {
        tarvello::HistoryStore store(args.at(1));
        QObject::connect(&store, &tarvello::HistoryStore::written, &app,
                         [&written](const QList<qint64> &ids) { written += int(ids.size()); });
        for (int i = 0; i < count && store.isAvailable(); ++i) {
            tarvello::HistoryRecord record;
            record.time = QDateTime::currentDateTime();
            record.fileName = QStringLiteral("%1-%2").arg(args.at(3)).arg(i);
            record.link = QStringLiteral("http://127.0.0.1/i/%1-%2.png").arg(args.at(3)).arg(i);
            store.record(record);
            // One at a time, so that two probes take turns at the lock many times over.
            while (!store.isIdle() && store.isAvailable())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        QTextStream(stdout) << "fault " << int(store.fault()) << "\n";
    }
    QTextStream(stdout) << "written " << written << "\n";
    return 0;
}
