#include "window/LabStyle.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

namespace {

// Fusion's gap between the caption line and the top edge of the frame.
constexpr int CaptionGap = 3;

void outline(QPainter *painter, const QRect &r, const QColor &colour)
{
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

} // namespace

LabStyle::LabStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

void LabStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                             QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The edges stand where Fusion puts them: below the caption, or at the top when a
    // frame has none.
    int top = CaptionGap;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += qMax(proxy()->pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                    option->fontMetrics.height());
    const QRect frame = option->rect.adjusted(0, top, 0, 0);
    if (frame.width() < 2 || frame.height() < 2)
        return;
    // Etched: a dark line with a light one just inside it at the top and left, and just
    // outside it at the bottom and right.
    const QRect inner(frame.left() + 1, frame.top() + 1, frame.width() - 1, frame.height() - 1);
    const QRect outer(frame.left(), frame.top(), frame.width() - 1, frame.height() - 1);
    outline(painter, inner, option->palette.color(QPalette::Light));
    outline(painter, outer, option->palette.color(QPalette::Dark));
}
