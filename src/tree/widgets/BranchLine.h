#pragma once

#include <QLineF>
#include <QObject>
#include <QRect>

class BranchLines;

// A branch line of the tree: solid, one pixel, in the window-text colour, drawn by the
// one BranchLines widget beneath the nodes. It is data, not a widget: its ends, the
// pixels it may cover and whether it is shown. It shows and hides as a widget does, and
// each change asks for a repaint of its own rectangle only.
class BranchLine : public QObject
{
    Q_OBJECT

public:
    // painter draws the line and outlives it; parent owns it.
    BranchLine(BranchLines *painter, QObject *parent);

    // Ends in the window's pixel coordinates.
    void setEnds(QPointF from, QPointF to);
    QLineF ends() const { return m_ends; }
    // The rectangle a widget around the ends would have: from the floor of the smaller
    // coordinates to the floor of the larger ones, both included. Nothing outside it is
    // painted.
    QRect box() const { return m_box; }

    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Hidden by hide() or setVisible(false), whether or not the window is on screen.
    bool isHidden() const { return !m_shown; }
    // On screen, as QWidget::isVisible: not hidden, and its painter visible.
    bool isVisible() const;

private:
    BranchLines *m_painter;
    QLineF m_ends;
    QRect m_box;
    bool m_shown = true;
};
