#include "lab/GoAheadCommand.h"

#include "lab/CommandLine.h"
#include "session/GoAheadAction.h"
#include "record/SystemClock.h"
#include "window/logic/GoAheadFile.h"

#include <QDir>

QString GoAheadCommand::help(qint16 value)
{
    const bool release = value == GoAheadFile::Release;
    QString text = value == GoAheadFile::Hold
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
                     value == GoAheadFile::Quit ? QStringLiteral("  --attempts N  The number of attempts of the experiment, for logs without a companion\n"
                                                  "                record (the number the program was built with when not given).\n")
                                   : QString(),
                     value == GoAheadFile::Quit ? QStringLiteral("Exit status: 0 when every DIR was written and no subject is still in\n"
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
    if (value == GoAheadFile::Quit)
        parser.addOption(attemptsOption);
    if (const auto done = CommandLine::parse(parser, arguments, help(value)))
        return *done;
    const QStringList folders = parser.positionalArguments();
    if (folders.isEmpty())
        return CommandLine::usageError(arguments.value(0), QStringLiteral("no DIR given"));
    int attempts = 0; // the companion's, else the number the program was built with
    if (value == GoAheadFile::Quit) {
        if (const auto wrong = CommandLine::readAttempts(parser, attemptsOption, arguments.value(0), &attempts))
            return *wrong;
    }

    const SystemClock clock;
    bool allWritten = true;
    for (const QString &folder : folders) {
        const GoAheadAction action = GoAheadAction::to(folder, value, attempts, clock);
        allWritten = allWritten && action.done();
        CommandLine::out(QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(folder), action.text()));
    }
    return allWritten ? CommandLine::Success : CommandLine::Finding;
}
