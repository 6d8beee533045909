#pragma once

#include <QProxyStyle>

// The window's look: Qt's Fusion style, except that a captioned frame is drawn as a
// plain etched rectangle whose top edge runs through the middle of its caption. Fusion draws it by stretching a small picture over the frame's
// edges, a blend that Qt hands to its worker threads for every tall frame and waits for:
// most of the time of a click that shows, hides or repaints a frame.
class LabStyle : public QProxyStyle
{
public:
    LabStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
