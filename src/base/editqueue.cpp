#include "base/editqueue.h"

#include <QMutexLocker>

#include "base/image.h"
#include "base/tempfile.h"

namespace tarvello {

EditQueue::EditQueue(QObject *parent)
    : QObject(parent)
{
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
}

EditQueue::~EditQueue()
{
    m_pool.waitForDone();
}

void EditQueue::submit(int key, const QImage &source, const QString &sourceFile,
                       std::shared_ptr<ReservedPng> target, EditStep step)
{
    const QString targetName = target->name();
    ++m_writing[targetName];
    Job job{source, sourceFile, std::move(target), targetName, std::move(step)};
    const auto chain = m_chains.find(key);
    if (chain != m_chains.end()) {
        chain->waiting.enqueue(std::move(job));
        return;
    }
    m_chains.insert(key, Chain());
    run(key, job, source.isNull());
}

void EditQueue::run(int key, const Job &job, bool decode)
{
    m_pool.start([this, key, job, decode] {
        EditResult result;
        result.key = key;
        result.file = job.targetName;
        result.source = decode ? loadImage(job.sourceFile) : job.source;
        result.picture = job.step(result.source);
        result.written = job.target->write(result.picture);
        result.preview = previewImageOf(result.picture);
        {
            const QMutexLocker locker(&m_doneLock);
            m_done.append(result);
        }
        QMetaObject::invokeMethod(this, &EditQueue::deliver, Qt::QueuedConnection);
    });
}

void EditQueue::deliver()
{
    QList<EditResult> done;
    {
        const QMutexLocker locker(&m_doneLock);
        done.swap(m_done);
    }
    for (EditResult &result : done) {
        if (--m_writing[result.file] <= 0)
            m_writing.remove(result.file);
        Chain &chain = m_chains[result.key];
        if (chain.waiting.isEmpty()) {
            m_chains.remove(result.key);
            result.last = true;
        } else {
            Job next = chain.waiting.dequeue();
            next.source = result.written ? result.picture : result.source;
            run(result.key, next, false);
        }
        emit finished(result);
    }
}

void EditQueue::finishRunning()
{
    for (Chain &chain : m_chains) {
        while (!chain.waiting.isEmpty()) {
            const Job job = chain.waiting.dequeue();
            job.target->discard();
            if (--m_writing[job.targetName] <= 0)
                m_writing.remove(job.targetName);
        }
    }
    while (!m_chains.isEmpty()) {
        m_pool.waitForDone();
        deliver();
    }
}

} // namespace tarvello
