#include "room/RoomApp.h"

#include "record/SystemClock.h"
#include "room/widgets/QtRoomBoxes.h"
#include "room/widgets/RoomWindow.h"
#include "session/WildcardArguments.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

namespace RoomApp {

int run(int &argc, char *argv[], QStringList folders)
{
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // cmd.exe and PowerShell leave "ws*\data" as typed; a POSIX shell has expanded it.
    folders = WildcardArguments::expand(folders);
#endif
    const SystemClock clock;
    QtRoomBoxes boxes;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DecisionTree"),
                       QStringLiteral("room"));
    RoomWindow window({clock, boxes, settings, QDir::currentPath()}, folders);
    window.showFitted();
    return app.exec();
}

} // namespace RoomApp
