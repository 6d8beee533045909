#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <deque>
#include <functional>
#include <memory>

class QThread;

// Forces written records to the disk on a thread of its own, one after the other in the
// order they were asked for, so that no handler waits for the disk while a record
// reaches it within milliseconds. A failure is reported on the thread that owns the
// queue (the event thread), through the handler set, once it gets back to its event loop.
class SyncQueue
{
public:
    // What forces one file's data to the disk: DurableFile::syncData in production.
    using SyncFunction = std::function<bool(int handle, QString *error)>;

    // With a sync function given (tests), each sync runs on the caller's thread before
    // request() returns; without one, DurableFile::syncData runs on the queue's thread.
    explicit SyncQueue(SyncFunction sync = {});
    ~SyncQueue();

    SyncQueue(const SyncQueue &) = delete;
    SyncQueue &operator=(const SyncQueue &) = delete;

    // Asks for everything written so far through handle to be forced to the disk.
    // Requests for a handle already waiting are one sync.
    void request(int handle);

    // Asks for a folder's entries (a file renamed into it) to be forced to the disk, in
    // turn with the files' syncs.
    void requestFolder(const QString &folder);

    // Returns once every sync asked for is done; call it before the handle is closed.
    void drain();

    // Called on the owner's thread with the error of a sync that failed.
    void setFailureHandler(std::function<void(const QString &)> handler);

    // Syncs done since the queue was made (for the measurements).
    quint64 done() const;

private:
    void run();
    void fail(const QString &error);

    bool m_inline; // before m_sync, which takes the function given
    SyncFunction m_sync;
    std::function<void(const QString &)> m_onFailure;
    QObject m_owner; // lives on the owner's thread: failures are delivered there

    // Qt's threads rather than std::thread, which MinGW's win32 thread model lacks.
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QWaitCondition m_idle;
    struct Job
    {
        int handle = -1;
        QString folder; // a folder's sync when not empty
        bool operator==(const Job &other) const { return handle == other.handle && folder == other.folder; }
    };
    void enqueue(const Job &job);
    bool runJob(const Job &job, QString *error);

    std::deque<Job> m_waiting;
    bool m_busy = false;
    bool m_stop = false;
    quint64 m_done = 0;
    std::unique_ptr<QThread> m_thread;
};
