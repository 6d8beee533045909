#pragma once

#include "window/widgets/MessageBoxes.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
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
    // The system's print dialog: when a printer is chosen, draw is called on it and true
    // is returned; false when the dialog was cancelled.
    virtual bool print(QWidget *parent, const QString &title,
                       const std::function<void(QPagedPaintDevice *)> &draw) = 0;
};
