#pragma once

#include <QList>

#include <array>

class BranchLine;
class BranchLines;
class NodeButton;
class PointScale;
class QWidget;

// The tree's controls: 127 node buttons d1, c1(0..1) ... p(0..63) and 126 branch lines
// l1(0..1) ... l6(0..63), created once with the window. The lines are drawn by one
// BranchLines widget; it and the lines are created first, so they lie under the buttons,
// and the buttons follow from p(0) to d1 in the rows' order on screen.
class TreeControls
{
public:
    void create(QWidget *window);

    // 1 <= level <= 7, 0 <= index < 2^(level-1)
    NodeButton *node(int level, int index) const { return m_nodes.at(level).at(index); }
    // Line j of line array k: the branch into node j of level k+1; 1 <= k <= 6.
    BranchLine *line(int k, int j) const { return m_lines.at(k).at(j); }
    BranchLines *lines() const { return m_painter; }

    // Positions every node and line by the level table and the line rule; the lines'
    // widget covers the lines' rectangles.
    void place(const PointScale &scale);

    // Each node is painted once more over what lies beneath it (NodeButton::paintBeneathOnce):
    // for the paint in which the whole tree appears.
    void paintBeneathNodesOnce() const;

private:
    std::array<QList<NodeButton *>, 8> m_nodes;
    std::array<QList<BranchLine *>, 7> m_lines;
    BranchLines *m_painter = nullptr;
};
