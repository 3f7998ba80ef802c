#include "base/previews.h"

#include <algorithm>

#include "base/image.h"

namespace tarvello {

namespace {

// A 330 x 170 preview takes 219 KiB; this keeps about a thousand of the largest in memory.
qint64 s_previewLimit = qint64(256) << 20;

} // namespace

PreviewBudget::PreviewBudget(qint64 limitBytes)
    : m_limit(limitBytes)
{
}

QList<int> PreviewBudget::add(int key, qint64 bytes)
{
    remove(key);
    m_order.push_back(key);
    m_entries.insert(key, {bytes, std::prev(m_order.end())});
    m_total += bytes;

    QList<int> dropped;
    while (m_total > m_limit && m_order.front() != key) {
        const int oldest = m_order.front();
        dropped.append(oldest);
        remove(oldest);
    }
    return dropped;
}

void PreviewBudget::use(int key)
{
    const auto found = m_entries.find(key);
    if (found != m_entries.end())
        m_order.splice(m_order.end(), m_order, found->position);
}

void PreviewBudget::remove(int key)
{
    const auto found = m_entries.find(key);
    if (found == m_entries.end())
        return;
    m_total -= found->bytes;
    m_order.erase(found->position);
    m_entries.erase(found);
}

qint64 previewMemoryLimit()
{
    return s_previewLimit;
}

void setPreviewMemoryLimit(qint64 bytes)
{
    s_previewLimit = bytes;
}

PreviewLoader::PreviewLoader(QObject *parent)
    : QObject(parent)
{
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
    // Previews are for looking at; uploads, edits and the window itself come first. A pool of
    // idle-priority threads decodes as fast as ever on a machine with nothing else to do.
    m_pool.setThreadPriority(QThread::IdlePriority);
}

PreviewLoader::~PreviewLoader()
{
    stop();
    m_pool.waitForDone();
}

void PreviewLoader::request(int key, const QString &path)
{
    if (m_stop)
        return;
    m_waiting.emplace_back(key, path);
    // From the event loop: rows added in a batch (the command line, a drop) come first, and
    // the workers do not compete with building and showing the window.
    if (!m_startPending) {
        m_startPending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_startPending = false;
            startNext();
        }, Qt::QueuedConnection);
    }
}

void PreviewLoader::requestFirst(int key, const QString &path)
{
    if (m_stop)
        return;
    const Request request(key, path);
    m_waiting.erase(std::remove(m_waiting.begin(), m_waiting.end(), request), m_waiting.end());
    m_waiting.push_front(request);
    startNext();
}

void PreviewLoader::clear()
{
    m_waiting.clear();
}

void PreviewLoader::stop()
{
    m_stop = true;
    m_waiting.clear();
}

void PreviewLoader::startNext()
{
    // Two per thread, so no worker waits for the next request to come back from this thread.
    while (m_running < 2 * m_pool.maxThreadCount() && !m_waiting.empty()) {
        take(m_waiting.front());
        m_waiting.pop_front();
    }
}

void PreviewLoader::take(const Request &request)
{
    ++m_running;
    m_pool.start([this, request] {
        const PreviewImage preview = loadPreview(request.second, &m_stop);
        QMetaObject::invokeMethod(this, [this, request, preview] {
            --m_running;
            if (m_stop)
                return;
            emit loaded(request.first, request.second, preview);
            startNext();
        }, Qt::QueuedConnection);
    });
}

} // namespace tarvello
