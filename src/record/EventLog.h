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

    // Closes the file, checking the close; later records are ignored. Records that still cannot be written
    // are kept, and the next call tries them again.
    void CloseEventLog();

    bool isOpen() const;
    float startTime() const { return m_start.seconds; }
    const ClockReading &startReading() const { return m_start; }
    QString headerLine() const { return m_header; }

    // The record for analysis beside the log (<log>.jsonl); every record written here
    // goes there too. It stays open after CloseEventLog until the program ends.
    CompanionLog &companion() { return m_companion; }

    // Forces a folder's entries to the disk on the records' thread, after them.
    void syncFolderLater(const QString &folder) { m_sync.requestFolder(folder); }

    // Forcings to the disk finished so far, of the log and the companion (measurements).
    quint64 syncsDone() const { return m_sync.done(); }
    QString path() const;

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
    bool m_failing = false;
    std::function<void(const QString &)> m_onWriteFailure;
    // After the file: drained before it is closed.
    SyncQueue m_sync;
    CompanionLog m_companion;
};
