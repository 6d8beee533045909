#include "tree/widgets/BranchLine.h"

#include "tree/widgets/BranchLines.h"

#include <cmath>

BranchLine::BranchLine(BranchLines *painter, QObject *parent) : QObject(parent), m_painter(painter)
{
    m_painter->add(this);
}

void BranchLine::setEnds(QPointF from, QPointF to)
{
    if (QLineF(from, to) == m_ends)
        return;
    const QRect before = m_box;
    m_ends = QLineF(from, to);
    const int left = int(std::floor(std::min(from.x(), to.x())));
    const int top = int(std::floor(std::min(from.y(), to.y())));
    const int right = int(std::floor(std::max(from.x(), to.x())));
    const int bottom = int(std::floor(std::max(from.y(), to.y())));
    m_box = QRect(QPoint(left, top), QPoint(right, bottom));
    if (m_shown) {
        m_painter->repaintBox(before);
        m_painter->repaintBox(m_box);
    }
}

void BranchLine::setVisible(bool visible)
{
    if (visible == m_shown)
        return;
    m_shown = visible;
    m_painter->lineShown(m_box, visible);
}

bool BranchLine::isVisible() const
{
    return m_shown && m_painter->isVisible();
}
