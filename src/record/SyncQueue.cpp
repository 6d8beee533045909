#include "record/SyncQueue.h"

#include "record/DurableFile.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <utility>

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
    if (handle < 0)
        return;
    if (m_inline) {
        enqueue({handle, {}, {}});
        return;
    }
    if (std::find(m_requested.begin(), m_requested.end(), handle) == m_requested.end())
        m_requested.push_back(handle);
    if (!m_startPosted) {
        m_startPosted = true;
        QMetaObject::invokeMethod(&m_owner, [this] { startRequested(); }, Qt::QueuedConnection);
    }
}

void SyncQueue::startRequested()
{
    m_startPosted = false;
    for (const int handle : std::exchange(m_requested, {}))
        enqueue({handle, {}, {}});
}

void SyncQueue::post(Task task, Done done)
{
    startRequested(); // in the order asked for: the syncs before the task
    enqueue({-1, std::move(task), std::move(done)});
}

bool SyncQueue::runJob(const Job &job, QString *error)
{
    return job.task ? job.task(error) : m_sync(job.handle, error);
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
        if (job.done)
            job.done(synced, error);
        else if (!synced && m_onFailure)
            m_onFailure(error);
        return;
    }
    {
        QMutexLocker lock(&m_mutex);
        if (std::find(m_waiting.begin(), m_waiting.end(), job) == m_waiting.end())
            m_waiting.push_back(job);
        if (job.task)
            ++m_tasks;
        if (!m_thread) {
            m_thread.reset(QThread::create([this] { run(); }));
            m_thread->start();
        }
    }
    m_wake.wakeOne();
}

void SyncQueue::drain()
{
    startRequested();
    QMutexLocker lock(&m_mutex);
    while (!m_waiting.empty() || m_busy)
        m_idle.wait(&m_mutex);
}

void SyncQueue::settle()
{
    startRequested();
    {
        QMutexLocker lock(&m_mutex);
        while (m_tasks > 0)
            m_idle.wait(&m_mutex);
    }
    QCoreApplication::sendPostedEvents(&m_owner, QEvent::MetaCall);
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
        Job job = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        QString error;
        const bool synced = runJob(job, &error);
        lock.relock();
        m_busy = false;
        ++m_done;
        if (job.task)
            --m_tasks;
        finish(std::move(job), synced, error);
        if (m_waiting.empty() || m_tasks == 0)
            m_idle.wakeAll();
    }
}

void SyncQueue::finish(Job job, bool ok, const QString &error)
{
    if (!job.done) {
        if (!ok)
            fail(error);
        return;
    }
    // Moved, not copied: what done holds (a file, say) is let go on the owner's thread.
    QMetaObject::invokeMethod(&m_owner, [done = std::move(job.done), ok, error] { done(ok, error); },
                              Qt::QueuedConnection);
}

void SyncQueue::fail(const QString &error)
{
    // Queued to the owner's thread; dropped if the queue is gone by then.
    QMetaObject::invokeMethod(&m_owner, [this, error] {
        if (m_onFailure)
            m_onFailure(error);
    }, Qt::QueuedConnection);
}
