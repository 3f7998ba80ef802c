#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include "base/image.h"

#include <deque>
#include <list>

namespace tarvello {

// Which previews stay in memory: the most recently used ones, up to a total number of bytes.
class PreviewBudget
{
public:
    explicit PreviewBudget(qint64 limitBytes);

    // Counts a preview of `bytes` under `key` as the most recently used, and returns the keys
    // whose previews must be dropped to stay within the limit (never `key` itself).
    QList<int> add(int key, qint64 bytes);
    // The preview was used: it goes last in the line to be dropped.
    void use(int key);
    void remove(int key);
    bool contains(int key) const { return m_entries.contains(key); }
    qint64 total() const { return m_total; }

private:
    struct Entry
    {
        qint64 bytes = 0;
        std::list<int>::iterator position;
    };

    qint64 m_limit;
    qint64 m_total = 0;
    std::list<int> m_order; // least recently used first
    QHash<int, Entry> m_entries;
};

// The limit a new window's previews are kept within.
qint64 previewMemoryLimit();
void setPreviewMemoryLimit(qint64 bytes);

// Decodes previews (loadPreview) on worker threads, in the order they were asked for, and hands
// each back on the thread the loader lives in. Only two decodes per thread are handed to the
// pool at a time, so a preview asked for first can still overtake the rest.
class PreviewLoader : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewLoader)

public:
    explicit PreviewLoader(QObject *parent = nullptr);
    ~PreviewLoader() override;

    // Asks for the preview of `path` under `key`, after those already asked for.
    void request(int key, const QString &path);
    // Asks for it before all others still waiting.
    void requestFirst(int key, const QString &path);
    // Forgets every request that has not started; running decodes still report.
    void clear();
    // Forgets every request and ends the running decodes soon, unreported: for closing.
    void stop();
    bool isBusy() const { return m_running > 0 || !m_waiting.empty(); }

signals:
    // A null preview: the file is no readable image, or too large to preview.
    void loaded(int key, const QString &path, const tarvello::PreviewImage &preview);

private:
    using Request = std::pair<int, QString>;

    void startNext();
    void take(const Request &request);

    QThreadPool m_pool;
    std::deque<Request> m_waiting;
    int m_running = 0;
    bool m_startPending = false;
    std::atomic<bool> m_stop{false};
};

} // namespace tarvello
