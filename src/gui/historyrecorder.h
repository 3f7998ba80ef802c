#pragma once

#include <QObject>

namespace tarvello {

class HistoryStore;
class UploadQueue;

// Keeps every upload the queue hands back in the history, once: its link, or why there is none
// in the words its row showed. What the user took back (removed, or stopped by closing) is
// neither and is not kept. Recording costs the caller a copy; the store's thread does the rest.
class HistoryRecorder : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryRecorder)

public:
    HistoryRecorder(UploadQueue *queue, HistoryStore *store, QObject *parent = nullptr);

private:
    void handled(int row);

    UploadQueue *m_queue;
    HistoryStore *m_store;
};

} // namespace tarvello
