#include "tree/widgets/BranchLines.h"

#include "tree/widgets/BranchLine.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

BranchLines::BranchLines(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BranchLines::add(BranchLine *line)
{
    m_lines.append(line);
    if (!line->isHidden())
        lineShown(line->box(), true);
}

void BranchLines::lineShown(const QRect &box, bool shown)
{
    m_shownLines += shown ? 1 : -1;
    if (shown && m_shownLines == 1)
        show();
    else if (!shown && m_shownLines == 0)
        hide();
    else
        repaintBox(box);
}

void BranchLines::repaintBox(const QRect &box)
{
    const QRect mine = box.intersected(geometry());
    if (!mine.isEmpty())
        update(mine.translated(-pos()));
}

bool BranchLines::draws(const BranchLine *line, const QRegion &region)
{
    return !line->isHidden() && region.intersects(line->box());
}

QList<const BranchLine *> BranchLines::linesIn(const QRegion &region) const
{
    QList<const BranchLine *> lines;
    for (const BranchLine *line : m_lines) {
        if (draws(line, region))
            lines.append(line);
    }
    return lines;
}

void BranchLines::paintEvent(QPaintEvent *event)
{
    const QPoint offset = pos();
    const QRegion region = event->region().translated(offset);
    if (std::none_of(m_lines.cbegin(), m_lines.cend(),
                     [&region](const BranchLine *line) { return draws(line, region); }))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::SolidLine));
    for (const BranchLine *line : std::as_const(m_lines)) {
        if (!draws(line, region))
            continue;
        // The clip a widget of the line's own rectangle would have had: the same pixels.
        painter.setClipRect(line->box().translated(-offset));
        painter.drawLine(QLineF(line->ends().p1() - offset, line->ends().p2() - offset));
    }
}
