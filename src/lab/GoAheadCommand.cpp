#include "lab/GoAheadCommand.h"

#include "lab/CommandLine.h"
#include "session/GoAheadWrite.h"
#include "session/StatusTable.h"
#include "record/SystemClock.h"
#include "window/GoAheadFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

// The subjects whose program 99 would end: those of the folder's logs of today.
QList<WorkstationState> todaysRuns(const QString &folder, int attempts)
{
    const SystemClock clock;
    QList<WorkstationState> runs;
    for (const WorkstationState &state : StatusTable(clock, attempts).folderStates(folder))
        if (state.today && state.hasLog())
            runs.append(state);
    return runs;
}

QString subjectsEnded(const QList<WorkstationState> &runs)
{
    QStringList subjects;
    for (const WorkstationState &state : runs)
        subjects.append(QString::number(state.subject));
    if (subjects.isEmpty())
        return QString();
    return subjects.size() == 1 ? QStringLiteral(" (the program of subject %1)").arg(subjects[0])
                                : QStringLiteral(" (the programs of subjects %1)").arg(subjects.join(QStringLiteral(", ")));
}

// After a go-ahead the program reads okto.go again only once the subject has left the last
// attempt and the experimenter has clicked the button on its last screen. Empty when no
// subject of today is still in the experiment; otherwise where each one is.
QString stillInTheExperiment(const QList<WorkstationState> &runs, const GoAheadFile::Reading &previous)
{
    if (previous.status != GoAheadFile::Status::Number || (previous.value != 1 && previous.value != 2))
        return QString();
    QStringList where;
    for (const WorkstationState &state : runs) {
        if (state.isOver())
            continue;
        const QString place = state.attemptInPlay == 0
            ? QStringLiteral("Start is offered, the first attempt not begun")
            : QStringLiteral("attempt %1/%2").arg(state.attemptInPlay).arg(state.attemptCount);
        where.append(runs.size() > 1 ? QStringLiteral("subject %1: %2").arg(state.subject).arg(place) : place);
    }
    return where.join(QStringLiteral("; "));
}

} // namespace

QString GoAheadCommand::help(qint16 value)
{
    const bool release = value == Release;
    QString text = value == Prepare
        ? QStringLiteral(
              "Usage: treelab prepare DIR...\n"
              "\n"
              "Readies each workstation for a session: writes 0 into the go-ahead file okto.go of\n"
              "each DIR, so that the program, once its parameters are confirmed, waits for the\n"
              "go-ahead. Run it before the program is started: a 99 left from an earlier session\n"
              "would close the program a second after the confirmation, a 1 would offer Start at\n"
              "once.\n")
        : release
        ? QStringLiteral(
              "Usage: treelab release DIR...\n"
              "\n"
              "Gives the go-ahead: writes 1 into the go-ahead file okto.go of each DIR. A program\n"
              "waiting there for the go-ahead offers the subject its Start button within a second.\n")
        : QStringLiteral(
              "Usage: treelab quit DIR...\n"
              "\n"
              "Closes the program: writes 99 into the go-ahead file okto.go of each DIR. A program\n"
              "waiting for the go-ahead, or at the end of the experiment once the experimenter has\n"
              "clicked the button on its last screen, closes within a second; each line names the\n"
              "subjects whose program it ends (those with a log of today). During the attempts\n"
              "the program does not read the file, so 99 takes effect only at the end: a\n"
              "workstation released whose log of today shows the subject still in the\n"
              "experiment is reported so and counts as not done (exit status 1); close its window\n"
              "to stop it at once. --attempts N says when the experiment is over, as for\n"
              "treelab status.\n");
    text += QStringLiteral(
        "\n"
        "DIR is a workstation's data folder: the folder \"data\" beside its decisiontree, which\n"
        "holds okto.go, the payoff file and the event logs. The file is replaced as a whole,\n"
        "the way the program writes its 2 (\"%1\" and CR LF), so the program never reads half a\n"
        "file. For each DIR it reports what okto.go held before and whether the write worked.\n"
        "A DIR that does not exist is never created; a DIR that holds no okto.go but a folder\n"
        "\"data\" is refused, as it is the program's folder rather than its data folder.\n"
        "\n"
        "Options:\n"
        "%2"
        "  -h, --help  Show this help.\n"
        "\n"
        "%3")
                .arg(QString::fromLatin1(GoAheadFile::text(value).chopped(2)),
                     value == Quit ? QStringLiteral("  --attempts N  The number of attempts of the experiment, for logs without a companion\n"
                                                  "                record (the number the program was built with when not given).\n")
                                   : QString(),
                     value == Quit ? QStringLiteral("Exit status: 0 when every DIR was written and no subject is still in\n"
                                                    "the experiment; 1 when any was not or one is; 2 for a usage error.\n")
                                   : QStringLiteral("Exit status: 0 when every DIR was written; 1 when any was not; 2 for a\n"
                                                    "usage error.\n"));
    return text;
}

int GoAheadCommand::run(const QStringList &arguments, qint16 value)
{
    QCommandLineParser parser;
    const QCommandLineOption attemptsOption(QStringLiteral("attempts"), QStringLiteral("number of attempts"),
                                            QStringLiteral("N"));
    if (value == Quit)
        parser.addOption(attemptsOption);
    if (const auto done = CommandLine::parse(parser, arguments, help(value)))
        return *done;
    const QStringList folders = parser.positionalArguments();
    if (folders.isEmpty())
        return CommandLine::usageError(arguments.value(0), QStringLiteral("no DIR given"));
    int attempts = 0; // the companion's, else the number the program was built with
    if (value == Quit) {
        if (const auto wrong = CommandLine::readAttempts(parser, attemptsOption, arguments.value(0), &attempts))
            return *wrong;
    }

    bool allWritten = true;
    for (const QString &folder : folders) {
        const QString shown = QDir::toNativeSeparators(folder);
        // The subjects a 99 would end, read before the write.
        const QList<WorkstationState> runs = value == Quit && QFileInfo(folder).isDir()
            ? todaysRuns(folder, attempts) : QList<WorkstationState>();
        const GoAheadWrite write = GoAheadWrite::to(folder, value);
        const QString where = write.written() && value == Quit ? stillInTheExperiment(runs, write.before) : QString();
        if (write.written() && where.isEmpty()) {
            CommandLine::out(QStringLiteral("%1: %2%3\n").arg(shown, write.text(), subjectsEnded(runs)));
            continue;
        }
        allWritten = false;
        if (!where.isEmpty())
            CommandLine::out(QStringLiteral("%1: %2%4, but the subject has not finished (%3): the program acts on 99 "
                                            "only after the subject's last attempt, once the button on its last "
                                            "screen is clicked; close its window to stop it now\n")
                                 .arg(shown, write.text(), where, subjectsEnded(runs)));
        else
            CommandLine::out(QStringLiteral("%1: %2\n").arg(shown, write.text()));
    }
    return allWritten ? CommandLine::Success : CommandLine::Finding;
}
