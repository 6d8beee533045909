#pragma once

#include "record/Clock.h"
#include "room/widgets/RoomBoxes.h"

#include <QString>

class QSettings;

// What the room window is given rather than finding for itself, so that a test can give
// its own: the clock, the boxes it asks with, the settings it remembers its folders in,
// and the working folder of room-log.txt and of the tables it writes by default.
struct RoomServices
{
    const Clock &clock;
    RoomBoxes &boxes;
    QSettings &settings;
    QString workFolder;
};
