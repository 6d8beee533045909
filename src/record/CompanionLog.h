#pragma once

#include "record/Clock.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class JsonLine;
class QFile;
class SyncQueue;

// The record for analysis beside the event log, "<log>.jsonl": JSON Lines, one object per
// event, with what the classic log cannot hold (exact texts, milliseconds, attempts,
// draws, payoffs shown, every stored note, the go-ahead file, warnings, the way the run
// ended). docs/companion-record.md describes each line. Each line is written whole and
// forced to the disk like the log's records. Nothing here touches the classic log, and a
// failure here never stops the run: it is told on stderr at once (once until a write
// succeeds), and kept for the window to tell the experimenter when they are at hand.
// Lines that cannot be written wait in memory and go out with the next line; should the
// file leave the disk (its folder removed), the whole record is written again at its
// place once the folder is there. What never reached the file is kept elsewhere at the
// end (keepUnwritten), as the log's records are.
class CompanionLog
{
public:
    struct RunFacts
    {
        qint16 subject = 0;
        qint16 paramSet = 0;
        QString dataFile;
        qint16 attempts = 0;
        qint16 seed = 0;
        QList<qint64> payoffs;     // p(0) to p(63)
        QStringList payoffTexts;   // as shown
        // The translation the subject's texts were shown in; both empty for English.
        QString textsLanguage;
        QString textsSha256;
    };

    CompanionLog(const Clock &clock, SyncQueue &sync);
    ~CompanionLog();

    // "<log path>.jsonl"
    static QString pathFor(const QString &logPath);

    // What the run line names: the format and its version.
    static constexpr const char *Schema = "decision-tree-companion";
    static constexpr int SchemaVersion = 1;

    // Creates the file beside the log and writes the run line. An older one goes with
    // the older log it belongs to: beside keptLogAs when the log was moved aside there,
    // else under the next free "<name>.<n>". start is the log's opening reading.
    bool open(const QString &logPath, const QString &keptLogAs, const QString &header,
              const ClockReading &start, const RunFacts &facts);
    bool isOpen() const;
    QString path() const { return m_path; }

    // The attempt that lines belong to, asked at each line.
    void setAttemptSource(std::function<int()> attempt) { m_attempt = std::move(attempt); }

    // A classic record as EventLog wrote it: its tag and field text.
    void record(qint64 ms, qint64 stamp, const QString &tag, const QString &fields);
    void draw(int level, int index, float r, bool left);
    // The payoff of node index (0-63) as the subject was shown it.
    void payoffShown(int index, const QString &text);
    void note(int level, int index, const QString &text);
    // Written only when value differs from the value read before.
    void goAheadRead(qint16 value);
    void goAheadWritten(qint16 value, bool ok, const QString &error);
    void warning(const QString &title, const QString &text);
    // A press of a control that leaves no classic record: "ShowtheTree", "NextAttempt",
    // "ExperimentOver".
    void press(const QString &control);
    // A modal message box, written once it has been answered (now); shownMs is when it
    // appeared, read with ms().
    enum class Box { Information, Warning };
    void box(Box kind, const QString &title, const QString &text, qint64 shownMs);
    void end(const QStringList &payoffTexts);

    // How the program is about to end, if not by a window close: "goAhead99", "signal".
    void endingBy(const QString &how, const QString &signal = {});
    // The message box open when the program ends (a signal may end it in a box), named
    // by the exit line.
    void boxOpenAtTheEnd(bool warning, const QString &title, const QString &text);
    // The exit line, then the close. notepadLevel < 1 when no notepad is open.
    void exit(int notepadLevel, int notepadIndex, const QString &notepadText);
    void close();

    // The first failure since the last call, for the experimenter; empty if none.
    QString takeTrouble();

    // Milliseconds since the log was opened, on the monotonic clock the lines' "ms" use.
    qint64 ms() const;
    // Tries the lines that wait once more (the disk may have room again, the folder be
    // back); true when none wait any more.
    bool writeWaitingLines();
    // Lines that never reached the file (a disk that stayed full, a folder that went).
    bool hasUnwritten() const { return !m_pending.isEmpty(); }
    // Keeps them in "<log name>.jsonl.unwritten" in the temporary folder, beside the log's
    // own (DurableFile::keepUnwritten), and returns its full path; empty with *error set
    // when that fails too. Lines written after it, the exit line among them, are added to
    // the same file when the record is closed.
    QString keepUnwritten(QString *error);
    // Why the last write failed.
    QString problem() const { return m_problem; }

private:
    void report(const QString &message);
    int attempt() const { return m_attempt ? m_attempt() : 0; }
    void write(const JsonLine &line);
    bool flushPending();
    bool reopen();
    QString keepPending(QString *error);

    const Clock &m_clock;
    SyncQueue &m_sync;
    ClockReading m_start;
    QList<qint64> m_payoffs;
    std::function<int()> m_attempt;
    std::unique_ptr<QFile> m_file;  // null while the record has nowhere to go
    QString m_path;                 // where the record belongs
    bool m_open = false;            // from the open to the close
    QByteArray m_written;   // every line so far, to write it again if the file is lost
    QByteArray m_pending;   // whole lines not yet in the file
    qint64 m_inFile = 0;    // bytes of whole lines in the file
    QString m_problem;      // why the last write failed
    QString m_keptAt;       // where keepUnwritten() put the lines
    bool m_keepTold = false; // the window has told the experimenter where they are
    bool m_failing = false;
    bool m_ended = false;
    bool m_readAny = false;
    qint16 m_lastRead = 0;
    QString m_how = QStringLiteral("windowClosed");
    QString m_signal;
    QString m_boxKind;      // "information" or "warning"; empty: no box open at the end
    QString m_boxTitle;
    QString m_boxText;
    QString m_trouble;
};
