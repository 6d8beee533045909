#pragma once

#include "window/widgets/MessageBoxes.h"

#include <QString>

class QWidget;

// The room window's boxes: the program's message boxes (MessageBoxes) and the two the
// room asks more with, a question answered OK or Cancel and the choice of a folder. A
// test answers them at once (tests/room/AnsweringRoomBoxes.h), without a nested loop.
class RoomBoxes : public MessageBoxes
{
public:
    // OK and Cancel, Cancel the default: true when OK was chosen.
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text) = 0;
    // A folder chosen from startIn; empty when none was chosen.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &startIn) = 0;
};
