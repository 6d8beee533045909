#include "tree/widgets/TreeControls.h"

#include "tree/widgets/BranchLine.h"
#include "tree/widgets/BranchLines.h"
#include "tree/widgets/NodeButton.h"
#include "tree/logic/TreeModel.h"
#include "tree/logic/TreeTexts.h"
#include "window/logic/PointScale.h"

#include <QWidget>

namespace {

QString memberName(const QString &array, int level, int index)
{
    if (level == 1 && array == QLatin1String("d1"))
        return array;
    return QStringLiteral("%1(%2)").arg(array).arg(index);
}

} // namespace

void TreeControls::create(QWidget *window)
{
    m_painter = new BranchLines(window);
    m_painter->setObjectName(QStringLiteral("BranchLines"));
    m_painter->setGeometry(QRect()); // covers nothing until the lines are placed
    for (int k = 1; k < TreeModel::PayoffLevel; ++k) {
        for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j) {
            auto *line = new BranchLine(m_painter, window);
            line->setObjectName(memberName(QStringLiteral("l%1").arg(k), 0, j));
            m_lines[k].append(line);
        }
    }
    // Top level first, each level left to right: the window's children then run in the
    // order of their rows on screen, in which Qt's union of the opaque nodes' rectangles
    // (rebuilt after any control is shown, hidden or moved) appends each one instead of
    // merging it. Nodes do not overlap, so the order shows nowhere.
    for (int level = TreeModel::PayoffLevel; level >= 1; --level) {
        const QString array = TreeTexts::level(level).arrayName;
        for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
            auto *node = new NodeButton(level, i, window);
            node->setObjectName(memberName(array, level, i));
            m_nodes[level].append(node);
        }
    }
}

void TreeControls::place(const PointScale &scale)
{
    const int side = scale.px(TreeModel::NodeWidth);
    for (int level = 1; level <= TreeModel::PayoffLevel; ++level) {
        for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
            node(level, i)->setGeometry(scale.px(TreeModel::nodeLeft(level, i)),
                                        scale.px(TreeModel::nodeTop(level)), side, side);
        }
    }
    QRect covered;
    for (int k = 1; k < TreeModel::PayoffLevel; ++k) {
        for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j) {
            const TreeModel::Segment s = TreeModel::line(k, j);
            line(k, j)->setEnds(scale.point(s.x1, s.y1), scale.point(s.x2, s.y2));
            covered |= line(k, j)->box();
        }
    }
    m_painter->setGeometry(covered);
}

void TreeControls::paintBeneathNodesOnce() const
{
    for (const QList<NodeButton *> &row : m_nodes)
        for (NodeButton *node : row)
            node->paintBeneathOnce();
}
