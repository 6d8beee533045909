#include "tree/widgets/BranchLine.h"

#include <QPainter>

#include <cmath>

BranchLine::BranchLine(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BranchLine::setEnds(QPointF from, QPointF to)
{
    if (QLineF(from, to) == m_ends)
        return;
    m_ends = QLineF(from, to);
    const int left = int(std::floor(std::min(from.x(), to.x())));
    const int top = int(std::floor(std::min(from.y(), to.y())));
    const int right = int(std::floor(std::max(from.x(), to.x())));
    const int bottom = int(std::floor(std::max(from.y(), to.y())));
    setGeometry(left, top, right - left + 1, bottom - top + 1);
    update();
}

void BranchLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::SolidLine));
    const QPointF offset = pos();
    painter.drawLine(QLineF(m_ends.p1() - offset, m_ends.p2() - offset));
}
