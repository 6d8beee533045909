#include "record/SyncQueue.h"

#include "record/DurableFile.h"

#include <QMetaObject>

#include <algorithm>

SyncQueue::SyncQueue(SyncFunction sync)
    : m_sync(sync ? std::move(sync) : SyncFunction(&DurableFile::syncData)),
      m_inline(bool(sync))
{
}

SyncQueue::~SyncQueue()
{
    if (!m_thread.joinable())
        return;
    drain();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void SyncQueue::request(int handle)
{
    if (handle < 0)
        return;
    if (m_inline) {
        QString error;
        const bool synced = m_sync(handle, &error);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_done;
        }
        if (!synced && m_onFailure)
            m_onFailure(error);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (std::find(m_waiting.begin(), m_waiting.end(), handle) == m_waiting.end())
            m_waiting.push_back(handle);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void SyncQueue::drain()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_waiting.empty() && !m_busy; });
}

void SyncQueue::setFailureHandler(std::function<void(const QString &)> handler)
{
    m_onFailure = std::move(handler);
}

quint64 SyncQueue::done() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_done;
}

void SyncQueue::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_waiting.empty(); });
        if (m_waiting.empty())
            return; // stopped, nothing left
        const int handle = m_waiting.front();
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        QString error;
        const bool synced = m_sync(handle, &error);
        lock.lock();
        m_busy = false;
        ++m_done;
        if (!synced)
            fail(error);
        if (m_waiting.empty())
            m_idle.notify_all();
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
