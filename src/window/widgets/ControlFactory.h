#pragma once

#include "window/widgets/Controls.h"

class QWidget;

// Creates every control of the window at its geometry, with its caption, font and
// initial state, and the tab order of the parameter frame.
class ControlFactory
{
public:
    static void build(QWidget *window, Controls &controls);
};
