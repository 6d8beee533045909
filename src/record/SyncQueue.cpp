#include "record/SyncQueue.h"

#include "record/DurableFile.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

SyncQueue::SyncQueue(SyncFunction sync)
    : m_inline(bool(sync)),
      m_sync(sync ? std::move(sync) : SyncFunction(&DurableFile::syncData))
{
}

SyncQueue::~SyncQueue()
{
    if (!m_thread)
        return;
    drain();
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
    }
    m_wake.wakeAll();
    m_thread->wait();
}

void SyncQueue::request(int handle)
{
    if (handle >= 0)
        enqueue({handle, QString()});
}

void SyncQueue::requestFolder(const QString &folder)
{
    enqueue({-1, folder});
}

bool SyncQueue::runJob(const Job &job, QString *error)
{
    return job.folder.isEmpty() ? m_sync(job.handle, error) : DurableFile::syncFolder(job.folder, error);
}

void SyncQueue::enqueue(const Job &job)
{
    if (m_inline) {
        QString error;
        const bool synced = runJob(job, &error);
        {
            QMutexLocker lock(&m_mutex);
            ++m_done;
        }
        if (!synced && m_onFailure)
            m_onFailure(error);
        return;
    }
    {
        QMutexLocker lock(&m_mutex);
        if (std::find(m_waiting.begin(), m_waiting.end(), job) == m_waiting.end())
            m_waiting.push_back(job);
        if (!m_thread) {
            m_thread.reset(QThread::create([this] { run(); }));
            m_thread->start();
        }
    }
    m_wake.wakeOne();
}

void SyncQueue::drain()
{
    QMutexLocker lock(&m_mutex);
    while (!m_waiting.empty() || m_busy)
        m_idle.wait(&m_mutex);
}

void SyncQueue::setFailureHandler(std::function<void(const QString &)> handler)
{
    m_onFailure = std::move(handler);
}

quint64 SyncQueue::done() const
{
    QMutexLocker lock(&m_mutex);
    return m_done;
}

void SyncQueue::run()
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (!m_stop && m_waiting.empty())
            m_wake.wait(&m_mutex);
        if (m_waiting.empty())
            return; // stopped, nothing left
        const Job job = m_waiting.front();
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        QString error;
        const bool synced = runJob(job, &error);
        lock.relock();
        m_busy = false;
        ++m_done;
        if (!synced)
            fail(error);
        if (m_waiting.empty())
            m_idle.wakeAll();
    }
}

void SyncQueue::fail(const QString &error)
{
    // Queued to the owner's thread; dropped if the queue is gone by then.
    QMetaObject::invokeMethod(&m_owner, [this, error] {
        if (m_onFailure)
            m_onFailure(error);
    }, Qt::QueuedConnection);
}
