// The room window as treelab room opens it (production clock and boxes) over a room of
// workstation folders, reporting its memory once shown and idle with every row read.
//
//   room-probe --room DIR --settings FILE.ini
#include "ProbeReport.h"

#include "record/SystemClock.h"
#include "room/widgets/QtRoomBoxes.h"
#include "room/widgets/RoomWindow.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const SystemClock clock;
    QtRoomBoxes boxes;
    QSettings settings(ProbeReport::argument(argc, argv, "--settings"), QSettings::IniFormat);
    RoomWindow window({clock, boxes, settings, QDir::tempPath()}, {ProbeReport::argument(argc, argv, "--room")});
    window.show();
    ProbeReport::whenShownAndIdle(window, [&window] {
        ProbeReport::print("ready", window, QStringLiteral("rows=%1").arg(window.reader().rows().size()));
        QCoreApplication::exit(0);
    });
    return app.exec();
}
