#include "gui/historyrecorder.h"

#include <QDateTime>

#include "base/history.h"
#include "base/uploadqueue.h"
#include "gui/destinationtexts.h"
#include "gui/texts.h"

namespace tarvello {

HistoryRecorder::HistoryRecorder(UploadQueue *queue, HistoryStore *store, QObject *parent)
    : QObject(parent)
    , m_queue(queue)
    , m_store(store)
{
    connect(queue, &UploadQueue::handled, this, &HistoryRecorder::handled);
}

void HistoryRecorder::handled(int row)
{
    const imgobj &entry = m_queue->entries().at(row);
    const EntryRecord &state = m_queue->record(row);
    const UploadResult &result = state.result;
    if (result.withdrawn())
        return;
    HistoryRecord record;
    record.time = QDateTime::currentDateTime();
    // The name it was added with: an edited picture is a temporary file of another name.
    record.fileName = state.name;
    // Temporary files are removed at close; the sizes are read from the file off this thread.
    record.filePath = entry.temp ? QString() : entry.file;
    record.destination = destinationTitle(state.destination);
    record.description = entry.desc;
    if (result.linked()) {
        record.link = result.link.toString(QUrl::FullyEncoded);
        record.thumbnailLink = result.thumbnail.toString(QUrl::FullyEncoded);
        record.deletionLink = result.deletion.toString(QUrl::FullyEncoded);
    } else {
        record.failure = failureDetails(result, state.problem);
    }
    // The preview the window shows, when it still holds one; else the store decodes the file.
    m_store->record(record, entry.prev.toImage(), entry.file);
}

} // namespace tarvello
