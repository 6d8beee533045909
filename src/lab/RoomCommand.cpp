#include "lab/RoomCommand.h"

#include "lab/CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#ifndef DT_ROOM_PROGRAM
#define DT_ROOM_PROGRAM "decisiontree-room"
#endif

QString RoomCommand::help()
{
    return QStringLiteral(
        "Usage: treelab room [FOLDER...]\n"
        "\n"
        "Opens the window \"Decision Tree Room\": a whole session run from one screen. Each\n"
        "FOLDER is a workstation's data folder, or a folder holding them (ws*/data beneath\n"
        "it). Without FOLDER the window opens on the folders it showed last time; more can\n"
        "be added in the window.\n"
        "\n"
        "The room table shows each workstation as treelab status does, read again every\n"
        "second: the go-ahead value, subject, set, attempt and level, the payoffs of the\n"
        "finished attempts, the time since the log was written, and whether the run is\n"
        "over. A row is marked, with the reason in its tooltip and in the panel below, for a\n"
        "leftover 1 or 99, one subject number in two folders, a set that differs from the\n"
        "room's, two subjects in one folder, a log silent for longer than the time chosen\n"
        "while an attempt is in play, a log that fails verification, and a folder that\n"
        "cannot be read.\n"
        "\n"
        "Prepare, Release and Quit write okto.go of the selected rows (all rows when none\n"
        "is selected) as treelab prepare, release and quit do, after a box that lists what\n"
        "each okto.go holds now. Selecting one row draws its attempt in play as treelab\n"
        "draw does, following the log as it grows. Verify all, Pay and Export end the\n"
        "session. Every action is appended to room-log.txt in the working folder, with\n"
        "the time and each okto.go value before and after.\n"
        "\n"
        "Options:\n"
        "  -h, --help  Show this help.\n"
        "\n"
        "The window is the program " DT_ROOM_PROGRAM ", which treelab starts from its own\n"
        "folder and waits for; treelab itself holds no window.\n"
        "\n"
        "Exit status: 0 when the window was closed; 1 when there is no display to open it\n"
        "on, or " DT_ROOM_PROGRAM " is not beside treelab or cannot be started; 2 for a\n"
        "usage error.\n");
}

int RoomCommand::run(int argc, char *argv[])
{
    QStringList named;
    for (int k = 2; k < argc; ++k)
        named.append(QString::fromLocal8Bit(argv[k]));
    if (named.contains(QStringLiteral("-h")) || named.contains(QStringLiteral("--help"))) {
        CommandLine::out(help());
        return CommandLine::Success;
    }
    for (const QString &name : std::as_const(named))
        if (name.startsWith(QLatin1Char('-')))
            return CommandLine::usageError(QStringLiteral("treelab room"),
                                           QStringLiteral("there is no option \"%1\"").arg(name));
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without a display QApplication would abort; say so instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        CommandLine::err(QStringLiteral("treelab room: there is no display to open the window on (DISPLAY is not "
                                        "set); the other commands need none\n"));
        return CommandLine::Finding;
    }
#endif
    // The window is a program of its own, beside treelab: treelab links no widgets.
    QCoreApplication app(argc, argv);
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(DT_ROOM_PROGRAM));
    if (!QFileInfo(program).isFile()) {
        CommandLine::err(QStringLiteral("treelab room: the room window's program %1 is not there; it is "
                                        "installed beside treelab, in the same folder\n")
                             .arg(QDir::toNativeSeparators(program)));
        return CommandLine::Finding;
    }
    QProcess room;
    room.setProgram(program);
    room.setArguments(named);
    room.setProcessChannelMode(QProcess::ForwardedChannels);
    room.setInputChannelMode(QProcess::ForwardedInputChannel);
    room.start();
    if (!room.waitForStarted(-1)) {
        CommandLine::err(QStringLiteral("treelab room: %1 cannot be started: %2\n")
                             .arg(QDir::toNativeSeparators(program), room.errorString()));
        return CommandLine::Finding;
    }
    room.waitForFinished(-1);
    if (room.exitStatus() != QProcess::NormalExit) {
        CommandLine::err(QStringLiteral("treelab room: %1 ended abnormally: %2\n")
                             .arg(QDir::toNativeSeparators(program), room.errorString()));
        return CommandLine::Finding;
    }
    return room.exitCode();
}
