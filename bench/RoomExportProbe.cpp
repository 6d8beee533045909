// room-export-probe FOLDER LOG...: the room window's Export (RoomExport, the code its
// Export button runs) of the logs into FOLDER, for run-peak to measure as a process of its
// own. Exits 0 when everything was written.
#include "room/logic/RoomExport.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "Usage: room-export-probe FOLDER LOG...\n");
        return 2;
    }
    const RoomExport::Result result = RoomExport::to(arguments[1], arguments.mid(2), [](int) { return true; });
    for (const Finding &finding : result.findings)
        std::fprintf(stderr, "%s\n", qPrintable(finding.text()));
    return result.written ? 0 : 1;
}
