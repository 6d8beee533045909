#include "lab/CheckCommand.h"
#include "lab/CommandLine.h"
#include "lab/DrawCommand.h"
#include "lab/ExportCommand.h"
#include "lab/GoAheadCommand.h"
#include "window/logic/GoAheadFile.h"
#include "lab/PayCommand.h"
#include "lab/RoomCommand.h"
#include "lab/StatusCommand.h"
#include "lab/VerifyCommand.h"
#include "lab/Utf8Console.h"
#include "session/WildcardArguments.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

#include <optional>

namespace {

QString help()
{
    return QStringLiteral(
        "Usage: treelab COMMAND [ARGUMENTS]\n"
        "\n"
        "The experimenter's tool for Decision Tree. It reads and writes only the files the\n"
        "experiment program itself reads and writes, with the program's own code.\n"
        "\n"
        "Commands:\n"
        "  check DATAFILE [--set N]   read a payoff file as the program does; report its\n"
        "                             records and what the program would fail on\n"
        "  check DATA_FOLDER          the translation of the subjects' texts in it\n"
        "  prepare DIR...             write 0 into each DIR's okto.go: before a session\n"
        "  release DIR...             write 1 into each DIR's okto.go: Start is offered\n"
        "  status DIR... [--watch]    one line per workstation: go-ahead, log, attempt,\n"
        "                             level, payoffs, seconds since the last record\n"
        "  quit DIR... [--attempts N] write 99 into each DIR's okto.go: the program closes\n"
        "  verify LOG...              read each event log by the rules of the run; name\n"
        "                             each line that has no place in it; say how it ended\n"
        "  export LOG... --events F --attempts F\n"
        "                             the logs as tables: one row per record, one per attempt\n"
        "  pay LOG... --seed S --out F\n"
        "                             each subject's paid attempt, from the seed S and the\n"
        "                             subject number alone\n"
        "  draw LOG --attempt K --out F.svg|F.png\n"
        "                             one attempt drawn on the tree\n"
        "  room [FOLDER...]           the window \"Decision Tree Room\": the whole session\n"
        "                             from one screen, live (needs a display)\n"
        "\n"
        "DIR is a workstation's data folder: the folder \"data\" beside its decisiontree,\n"
        "holding okto.go, the payoff file and the event logs. LOG is an event log; for\n"
        "verify, export and pay it may also be a data folder, standing for its event logs.\n"
        "\"treelab COMMAND --help\" tells more about each command.\n"
        "\n"
        "Exit status: 0 on success; 1 for a finding the program would fail on, or a folder\n"
        "that could not be handled; 2 for a usage error.\n");
}

std::optional<int> dispatch(const QString &command, QStringList arguments)
{
    arguments.prepend(QStringLiteral("treelab ") + command);
    if (command == QLatin1String("check"))
        return CheckCommand::run(arguments);
    if (command == QLatin1String("prepare"))
        return GoAheadCommand::run(arguments, GoAheadFile::Hold);
    if (command == QLatin1String("release"))
        return GoAheadCommand::run(arguments, GoAheadFile::Release);
    if (command == QLatin1String("quit"))
        return GoAheadCommand::run(arguments, GoAheadFile::Quit);
    if (command == QLatin1String("status"))
        return StatusCommand::run(arguments);
    if (command == QLatin1String("export"))
        return ExportCommand::run(arguments);
    if (command == QLatin1String("pay"))
        return PayCommand::run(arguments);
    if (command == QLatin1String("draw"))
        return DrawCommand::run(arguments);
    if (command == QLatin1String("verify"))
        return VerifyCommand::run(arguments);
    if (command == QLatin1String("room")) { // reached only as "treelab help room"
        CommandLine::out(RoomCommand::help());
        return CommandLine::Success;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    const Utf8Console console;
    // The room window makes its own QApplication, the one command that needs a display.
    if (argc > 1 && std::strcmp(argv[1], "room") == 0)
        return RoomCommand::run(argc, argv);
    // Painting text needs a QGuiApplication; only draw and pay asked for its PDFs make one.
    // On Linux it is the offscreen platform unless one is chosen, so that no command needs
    // a display. Not on Windows, which always has its desktop: its offscreen platform reads
    // fonts from a folder of Qt's own, not the system's, and without them every text of a
    // picture or a PDF came out as a black bar; its own platform draws with the system's
    // fonts, as the room's Pay does.
    std::unique_ptr<QCoreApplication> app;
    bool paints = argc > 1 && std::strcmp(argv[1], "draw") == 0;
    const auto startsWith = [](const char *text, const char *start) { return std::strstr(text, start) == text; };
    if (argc > 1 && std::strcmp(argv[1], "pay") == 0)
        for (int k = 2; k < argc; ++k)
            for (const char *option : {"-schedule", "--schedule", "-receipts", "--receipts"})
                paints = paints || startsWith(argv[k], option);
    if (paints) {
#ifndef Q_OS_WIN
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
#ifdef Q_OS_WIN
    // cmd.exe and PowerShell leave "ws*\data\o1*" as typed; a POSIX shell has expanded it.
    arguments = WildcardArguments::expand(arguments);
#endif
    if (arguments.isEmpty()) {
        CommandLine::err(help());
        return CommandLine::Usage;
    }
    QString command = arguments.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")
        || (command == QLatin1String("help") && arguments.isEmpty())) {
        CommandLine::out(help());
        return CommandLine::Success;
    }
    if (command == QLatin1String("help")) { // treelab help COMMAND
        command = arguments.takeFirst();
        arguments = {QStringLiteral("--help")};
    }
    if (const std::optional<int> status = dispatch(command, arguments))
        return *status;
    CommandLine::err(QStringLiteral("treelab: there is no command \"%1\".\nSee \"treelab --help\".\n")
                         .arg(command));
    return CommandLine::Usage;
}
