#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QThread;

// Forces written records to the disk on a thread of its own, one after the other in the
// order they were asked for, so that no handler waits for the disk while a record
// reaches it within milliseconds. Other work for the disk can wait its turn there too. A failure is reported on the thread that owns the
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
    // Requests for a handle already waiting are one sync. The sync starts once the owner's
    // thread is back in its event loop (or at the next post, drain or settle): a handler
    // that writes a file again while its pages are being written back waits for the disk.
    void request(int handle);

    // Starts at once the syncs asked for so far, rather than when the owner's thread is
    // next back in its event loop. Called before anything waits for a person: a modal
    // box turns its own event loop only once it is built and shown, which would hold a
    // record written just before it back from the disk for a tenth of a second or more.
    void startRequested();

    // Work for the disk that no handler should wait for (a file replaced and synced):
    // true when done, or false with *error set.
    using Task = std::function<bool(QString *error)>;
    // Told on the owner's thread how a task went.
    using Done = std::function<void(bool ok, const QString &error)>;

    // Runs task on the queue's thread in turn with the syncs (in the tests' inline mode
    // at once), then done on the owner's thread once it gets back to its event loop.
    void post(Task task, Done done);

    // Returns once every sync and task asked for is done; call it before the handle is closed.
    void drain();

    // Waits for the tasks posted so far (and so for the syncs asked for before them, not
    // after), then what the finished tasks have to tell is told now, on the owner's
    // thread. Without a task on its way it returns at once: no handler waits for a sync.
    void settle();

    // Called on the owner's thread with the error of a sync that failed.
    void setFailureHandler(std::function<void(const QString &)> handler);

    // Syncs and tasks done since the queue was made (for the measurements).
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
        Task task; // a task instead of a sync when set
        Done done;
        // Syncs of one handle waiting together are one; every task runs.
        bool operator==(const Job &other) const { return !task && !other.task && handle == other.handle; }
    };
    void finish(Job job, bool ok, const QString &error);
    void enqueue(const Job &job);
    bool runJob(const Job &job, QString *error);

    std::vector<int> m_requested; // owner's thread only: handles whose sync has not started
    bool m_startPosted = false;
    std::deque<Job> m_waiting;
    bool m_busy = false;
    int m_tasks = 0; // posted and not yet run
    bool m_stop = false;
    quint64 m_done = 0;
    std::unique_ptr<QThread> m_thread;
};
