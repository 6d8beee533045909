#pragma once

#include <QList>
#include <QWidget>

class BranchLine;

// The one widget that draws every branch line, beneath the node buttons. A repaint draws
// only the shown lines whose rectangle meets the region being repainted, each clipped to
// its rectangle, so that the pixels are those of one widget per line. It lets every mouse
// event through and paints no background. It is visible while any of its lines is shown.
class BranchLines : public QWidget
{
    Q_OBJECT

public:
    explicit BranchLines(QWidget *parent);

    // Kept in order, not owned; called by BranchLine's constructor.
    void add(BranchLine *line);
    // Asks for a repaint of box, in the parent's coordinates, where it meets this widget.
    void repaintBox(const QRect &box);
    // A line of rectangle box has been shown or hidden: its box is repainted, or the whole
    // widget shown or hidden with the first line shown or the last hidden.
    void lineShown(const QRect &box, bool shown);

    // The lines a repaint of region (in the parent's coordinates) draws, in their order.
    QList<const BranchLine *> linesIn(const QRegion &region) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static bool draws(const BranchLine *line, const QRegion &region);

    QList<BranchLine *> m_lines;
    int m_shownLines = 0;
};
