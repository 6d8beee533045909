#pragma once

#include "record/Clock.h"
#include "record/CompanionLog.h"
#include "record/SyncQueue.h"

#include <QFile>
#include <QLocale>
#include <QString>

#include <functional>
#include <memory>

// The event log: one file per run, a header line and one line per event, each stamped
// with the whole seconds since the log was opened, counted on the monotonic clock. Every
// record is handed to the operating system as it is written, so a program that is killed
// loses no record already logged, and is then forced to the disk on a thread of its own
// (SyncQueue), so that a power cut loses at most the last few milliseconds. A record that cannot be written is kept and written before the next
// one, so a disk that fills up for a while loses nothing either; the file never ends
// in half a record while it waits. Should the file leave the disk under the program
// (deleted, its folder removed, the share unmounted), the whole log is written again
// at its place as soon as its folder is there. Records still unwritten at the close are
// tried again at every later close, and handed to stderr when the program ends.
class EventLog
{
public:
    struct OpenResult
    {
        bool ok = false;
        QString path;       // the log's full path
        QString keptAs;     // where an older log of the same name was moved, if any
        QString error;      // what went wrong, for the experimenter, when !ok
    };

    // sync replaces the forcing to the disk (tests count it); empty: the real one.
    explicit EventLog(const Clock &clock, const QLocale &locale = QLocale(),
                      SyncQueue::SyncFunction sync = {});
    ~EventLog();

    // "o", the parameter set, the subject and the data file name, nothing between.
    static QString fileName(qint16 paramSetNo, qint16 subjectNo, const QString &dataFileName);

    // Creates the log in dataDirectory and writes its header. Header and date are in
    // ASCII digits whatever digits the locale uses. An existing file of the
    // same name is never destroyed: it is renamed to the next free "<name>.<n>".
    OpenResult OpenEventLog(const QString &dataDirectory, qint16 subjectNo, qint16 paramSetNo,
                            const QString &dataFileName);

    // Appends the time stamp, the tag and the field text. Line breaks in the fields are
    // written as CR LF. Does nothing once the log is closed. False if the record could
    // not reach the file (it is then retried with the next record and at the close).
    bool WriteEventRecord(const QString &tag, const QString &fields);

    // Ends the log: later records are ignored. The file is closed on the records' thread
    // once its syncs are done, and a failed close is reported like a failed write
    // (settle() waits for it). Records that still cannot be written are kept, and the next
    // call tries them again.
    void CloseEventLog();

    // Records that the close could not put into the file (a disk that stayed full).
    bool hasUnwritten() const { return !m_pending.isEmpty(); }
    // Keeps them, in the log's own bytes, in a new file "<log name>.unwritten" in the
    // temporary folder (DurableFile::keepUnwritten), and returns its full path; empty with
    // *error set when that fails too. They still go to stderr when the program ends.
    QString keepUnwritten(QString *error);
    // Why the last write failed.
    QString problem() const { return m_problem; }

    bool isOpen() const;
    float startTime() const { return m_start.seconds; }
    const ClockReading &startReading() const { return m_start; }
    QString headerLine() const { return m_header; }

    // The record for analysis beside the log (<log>.jsonl); every record written here
    // goes there too. It stays open after CloseEventLog until the program ends.
    CompanionLog &companion() { return m_companion; }

    // Runs task on the records' thread after the syncs asked for so far (SyncQueue::post).
    void later(SyncQueue::Task task, SyncQueue::Done done) { m_sync.post(std::move(task), std::move(done)); }

    // Waits for the tasks on the records' thread (the go-ahead's write, the log's close)
    // and tells what they have to tell (SyncQueue::settle); before the run's end is recorded.
    void settle() { m_sync.settle(); }

    // Starts the syncs of the records written so far now (SyncQueue::startRequested):
    // before a box or anything else waits for the subject.
    void startSyncs() { m_sync.startRequested(); }

    // Returns once every record so far is forced to the disk. For measurements: the
    // program never waits for the disk in a handler.
    void waitForDisk() { m_sync.drain(); }

    // Forcings to the disk finished so far, of the log and the companion (measurements).
    quint64 syncsDone() const { return m_sync.done(); }
    // Where the log belongs; empty before it is opened.
    QString path() const { return m_path; }

    // Called with a message when a write fails after the last one succeeded.
    void setWriteFailureHandler(std::function<void(const QString &)> handler);

private:
    bool writeLine(const QString &line, bool reportFailure);
    bool flushPending();
    bool stillInPlace() const;
    bool reopen();

    void closeFile();

    const Clock &m_clock;
    QLocale m_locale;
    ClockReading m_start;
    QString m_header;
    QString m_path;                 // where the log belongs
    std::unique_ptr<QFile> m_file;  // null while the log has nowhere to go
    bool m_open = false;            // from the open to the close: records are taken
    QByteArray m_written;           // the whole log so far, to write it again if it is lost
    QByteArray m_pending;           // its end that is not in the file yet, whole records
    qint64 m_onDisk = 0;            // bytes of the file that need no writing again
    QString m_problem;              // why the last write failed
    QString m_keptUnwrittenAt;      // where keepUnwritten() put them
    bool m_failing = false;
    std::function<void(const QString &)> m_onWriteFailure;
    // After the file: drained before it is closed.
    SyncQueue m_sync;
    CompanionLog m_companion;
};
