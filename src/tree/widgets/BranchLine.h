#pragma once

#include <QLineF>
#include <QWidget>

// A branch line of the tree: solid, one pixel, in the window-text colour. It covers only
// the rectangle around its two ends and lets every mouse event through.
class BranchLine : public QWidget
{
    Q_OBJECT

public:
    explicit BranchLine(QWidget *parent = nullptr);

    // Ends in the parent's pixel coordinates.
    void setEnds(QPointF from, QPointF to);
    QLineF ends() const { return m_ends; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineF m_ends;
};
