#include "record/CompanionLog.h"

#include "record/DurableFile.h"
#include "record/FileIdentity.h"
#include "record/JsonLine.h"
#include "record/LogTime.h"
#include "record/SyncQueue.h"
#include "tree/logic/TreeModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cstdio>
#include <utility>

namespace {

QString isoTime(const ClockReading &start)
{
    // The local date and time of the opening, with the offset to UTC that held then.
    const QDateTime local(start.date, QTime::fromMSecsSinceStartOfDay(int(start.msecs)));
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

} // namespace

CompanionLog::CompanionLog(const Clock &clock, SyncQueue &sync) : m_clock(clock), m_sync(sync)
{
}

CompanionLog::~CompanionLog()
{
    close();
}

QString CompanionLog::pathFor(const QString &logPath)
{
    return logPath + QStringLiteral(".jsonl");
}

bool CompanionLog::open(const QString &logPath, const QString &keptLogAs, const QString &header,
                        const ClockReading &start, const RunFacts &facts)
{
    close();
    m_start = start;
    m_payoffs = facts.payoffs;
    m_path = pathFor(logPath);
    m_written.clear();
    m_pending.clear();
    m_inFile = 0;
    m_problem.clear();
    m_keptAt.clear();
    m_keepTold = false;
    m_failing = false;
    m_ended = false;
    m_readAny = false;
    m_how = QStringLiteral("windowClosed");
    m_signal.clear();
    m_boxKind.clear();
    if (QFileInfo::exists(m_path)) {
        const QString beside = keptLogAs.isEmpty() ? QString() : pathFor(keptLogAs);
        const bool free = !beside.isEmpty() && !QFileInfo::exists(beside);
        QFile::rename(m_path, free ? beside : DurableFile::nextFreeName(m_path)); // a failure shows at the create
    }
    auto file = std::make_unique<QFile>(m_path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        report(QStringLiteral("The record for analysis %1 cannot be created (%2); the event log "
                              "is written as usual.")
                   .arg(QDir::toNativeSeparators(m_path), file->errorString()));
        return false;
    }
    m_file = std::move(file);
    m_open = true;
    QString folderError;
    DurableFile::syncFolder(QFileInfo(m_path).absolutePath(), &folderError);
    JsonLine run;
    run.add("type", "run")
        .add("schema", Schema)
        .add("version", SchemaVersion)
        .add("program", "Decision Tree")
        .add("programVersion", DT_PROGRAM_VERSION)
        .add("subject", int(facts.subject))
        .add("paramSet", int(facts.paramSet))
        .add("dataFile", facts.dataFile)
        .add("attempts", int(facts.attempts))
        .add("seed", int(facts.seed))
        .add("payoffs", facts.payoffs)
        .add("payoffTexts", facts.payoffTexts);
    // Named only when one was loaded: an English run's line is as it always was.
    if (!facts.textsLanguage.isEmpty())
        run.add("texts", JsonLine().add("language", facts.textsLanguage).add("sha256", facts.textsSha256));
    run.add("log", QFileInfo(logPath).fileName())
        .add("header", header)
        .add("start", isoTime(start))
        .add("host", QSysInfo::machineHostName())
        .add("ms", 0);
    write(run);
    return true;
}

bool CompanionLog::isOpen() const
{
    return m_open;
}

qint64 CompanionLog::ms() const
{
    return m_clock.monotonicMs() - m_start.monotonicMs;
}

void CompanionLog::record(qint64 ms, qint64 stamp, const QString &tag, const QString &fields)
{
    if (!isOpen())
        return;
    const QStringList name = tag.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString kind = name.value(0);
    JsonLine line;
    line.add("type", "record").add("ms", ms).add("stamp", stamp).add("attempt", attempt())
        .add("kind", kind);
    if (name.size() > 1)
        line.add("move", name[1]);
    if (const int level = TreeModel::levelOf(kind)) { // a click: " d1  ..." to " p  ..."
        line.add("level", level).add("index", fields.toInt());
    } else if (kind == QLatin1String("FinalPayoffNode")) {
        line.add("level", 7).add("index", fields.toInt());
    } else if (!fields.isEmpty()) {
        // "level index" and, for NotepadContents, a blank and the text.
        const qsizetype first = fields.indexOf(QLatin1Char(' '));
        const qsizetype second = fields.indexOf(QLatin1Char(' '), first + 1);
        line.add("level", fields.left(first).toInt());
        line.add("index", fields.mid(first + 1, second < 0 ? -1 : second - first - 1).toInt());
        if (kind == QLatin1String("NotepadContents"))
            line.add("text", second < 0 ? QString() : fields.mid(second + 1));
    }
    write(line);
}

void CompanionLog::draw(int level, int index, float r, bool left)
{
    if (!isOpen())
        return;
    write(JsonLine().add("type", "draw").add("ms", ms()).add("attempt", attempt())
              .add("level", level).add("index", index).add("r", r).add("move", left ? "L" : "R"));
}

void CompanionLog::payoffShown(int index, const QString &text)
{
    if (!isOpen())
        return;
    write(JsonLine().add("type", "payoff").add("ms", ms()).add("attempt", attempt())
              .add("index", index).add("payoff", m_payoffs.value(index)).add("text", text));
}

void CompanionLog::note(int level, int index, const QString &text)
{
    if (!isOpen())
        return;
    write(JsonLine().add("type", "note").add("ms", ms()).add("attempt", attempt())
              .add("level", level).add("index", index).add("text", text));
}

void CompanionLog::goAheadRead(qint16 value)
{
    if (!isOpen() || (m_readAny && value == m_lastRead))
        return;
    m_readAny = true;
    m_lastRead = value;
    write(JsonLine().add("type", "goAhead").add("ms", ms()).add("value", int(value)));
}

void CompanionLog::goAheadWritten(qint16 value, bool ok, const QString &error)
{
    if (!isOpen())
        return;
    JsonLine line;
    line.add("type", "goAheadWritten").add("ms", ms()).add("attempt", attempt())
        .add("value", int(value)).add("ok", ok);
    if (!ok)
        line.add("error", error);
    write(line);
}

void CompanionLog::warning(const QString &title, const QString &text)
{
    if (!isOpen())
        return;
    write(JsonLine().add("type", "warning").add("ms", ms()).add("title", title).add("text", text));
}

void CompanionLog::press(const QString &control)
{
    if (!isOpen())
        return;
    write(JsonLine().add("type", "press").add("ms", ms()).add("attempt", attempt())
              .add("control", control));
}

void CompanionLog::box(Box kind, const QString &title, const QString &text, qint64 shownMs)
{
    if (!isOpen())
        return;
    write(JsonLine().add("type", "box").add("ms", ms()).add("attempt", attempt())
              .add("icon", kind == Box::Warning ? "warning" : "information")
              .add("title", title).add("text", text).add("shownMs", shownMs));
}

void CompanionLog::end(const QStringList &payoffTexts)
{
    if (!isOpen())
        return;
    m_ended = true;
    write(JsonLine().add("type", "end").add("ms", ms()).add("payoffTexts", payoffTexts));
}

void CompanionLog::endingBy(const QString &how, const QString &signal)
{
    m_how = how;
    m_signal = signal;
}

void CompanionLog::boxOpenAtTheEnd(bool warning, const QString &title, const QString &text)
{
    m_boxKind = warning ? QStringLiteral("warning") : QStringLiteral("information");
    m_boxTitle = title;
    m_boxText = text;
}

void CompanionLog::exit(int notepadLevel, int notepadIndex, const QString &notepadText)
{
    if (!isOpen())
        return;
    JsonLine line;
    line.add("type", "exit").add("ms", ms()).add("how", m_how);
    if (!m_signal.isEmpty())
        line.add("signal", m_signal);
    line.add("complete", m_ended);
    if (!m_boxKind.isEmpty())
        line.add("box", JsonLine().add("kind", m_boxKind).add("title", m_boxTitle)
                            .add("text", m_boxText));
    if (notepadLevel >= 1)
        line.add("notepad", JsonLine().add("level", notepadLevel).add("index", notepadIndex)
                                .add("text", notepadText));
    write(line);
    close();
}

void CompanionLog::close()
{
    if (!m_open)
        return;
    m_open = false;
    if (!m_pending.isEmpty())
        flushPending(); // a last try: there may be room now, or the folder back
    m_sync.drain();
    QString error;
    if (m_file && !DurableFile::close(*m_file, &error))
        report(QStringLiteral("The record for analysis %1 may not be complete: %2; the event log "
                              "is not affected.")
                   .arg(QDir::toNativeSeparators(m_path), error));
    m_file.reset();
    if (!m_pending.isEmpty()) {
        const bool told = m_keepTold;
        const QString kept = keepPending(&error);
        if (kept.isEmpty()) {
            // The last resort, as for the log: the experimenter's console.
            std::fprintf(stderr, "Decision Tree: the record for analysis %s could not be completed "
                                 "(%s), nor its last lines kept (%s). They follow between the lines "
                                 "of dashes.\n-----\n",
                         qPrintable(QDir::toNativeSeparators(m_path)), qPrintable(m_problem),
                         qPrintable(error));
            std::fwrite(m_pending.constData(), 1, size_t(m_pending.size()), stderr);
            std::fprintf(stderr, "-----\n");
            std::fflush(stderr);
        }
        if (!told) {
            report(kept.isEmpty()
                       ? QStringLiteral("The record for analysis %1 is not complete: its last lines "
                                        "could not be written (%2), and they could not be kept "
                                        "either (%3). They are on the program's console (stderr).")
                             .arg(QDir::toNativeSeparators(m_path), m_problem, error)
                       : QStringLiteral("The record for analysis %1 is not complete: its last lines "
                                        "could not be written (%2). They are kept in %3: add that "
                                        "file to the end of the record once the disk has room.")
                             .arg(QDir::toNativeSeparators(m_path), m_problem,
                                  QDir::toNativeSeparators(kept)));
        }
    }
    m_written.clear();
    m_pending.clear();
}

bool CompanionLog::writeWaitingLines()
{
    return m_pending.isEmpty() || (m_open && flushPending());
}

QString CompanionLog::keepUnwritten(QString *error)
{
    if (m_pending.isEmpty())
        return QString();
    m_keepTold = true;
    return keepPending(error);
}

QString CompanionLog::keepPending(QString *error)
{
    const QString kept = DurableFile::keepUnwritten(
        QFileInfo(m_path).fileName() + QStringLiteral(".unwritten"), m_pending, m_keptAt, error);
    if (!kept.isEmpty())
        m_keptAt = kept;
    return kept;
}

void CompanionLog::report(const QString &message)
{
    std::fprintf(stderr, "Decision Tree: %s\n", qPrintable(message));
    if (m_trouble.isEmpty())
        m_trouble = message;
}

QString CompanionLog::takeTrouble()
{
    return std::exchange(m_trouble, QString());
}

void CompanionLog::write(const JsonLine &line)
{
    const QByteArray bytes = line.line();
    m_written += bytes;
    m_pending += bytes;
    if (flushPending()) {
        m_failing = false;
        return;
    }
    if (!m_failing) {
        m_failing = true;
        report(QStringLiteral("The record for analysis %1 cannot be written (%2); its lines wait "
                              "in memory, and the event log goes on as usual.")
                   .arg(QDir::toNativeSeparators(m_path), m_problem));
    }
}

bool CompanionLog::flushPending()
{
    if (m_file && !FileIdentity::stillNamed(m_file->handle(), m_file->fileName())) {
        // Deleted, or its folder removed or unmounted: what the file held is lost with it.
        m_sync.drain();
        m_file.reset();
        m_pending = m_written;
    }
    if (!m_file && !reopen())
        return false;

    if (m_pending.isEmpty())
        return true;
    if (!DurableFile::appendWhole(*m_file, &m_pending, &m_inFile, &m_problem))
        return false;
    m_sync.request(m_file->handle());
    return true;
}

bool CompanionLog::reopen()
{
    auto file = DurableFile::makeAgain(m_path, &m_problem);
    if (!file)
        return false;
    m_file = std::move(file);
    m_inFile = 0;
    std::fprintf(stderr, "Decision Tree: the record for analysis had gone from the disk; it is "
                         "written again, whole, as %s.\n",
                 qPrintable(QDir::toNativeSeparators(m_file->fileName())));
    return true;
}
