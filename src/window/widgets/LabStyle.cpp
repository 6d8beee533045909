#include "window/widgets/LabStyle.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

namespace {

void fill(QPainter *painter, int left, int top, int right, int bottom, const QColor &colour)
{
    if (right >= left && bottom >= top)
        painter->fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), colour);
}

// A rectangle's outline, one pixel wide, except where the caption stands.
void outline(QPainter *painter, const QRect &r, const QRect &caption, const QColor &colour)
{
    const int captionLeft = caption.isNull() ? r.right() + 1 : caption.left() - LabStyle::CaptionGap;
    const int captionRight = caption.isNull() ? r.right() + 1 : caption.right() + LabStyle::CaptionGap;
    const int captionBottom = caption.isNull() ? r.top() - 1 : caption.bottom() + LabStyle::CaptionGap;
    fill(painter, r.left(), r.top(), qMin(r.right(), captionLeft - 1), r.top(), colour);
    fill(painter, qMax(r.left(), captionRight + 1), r.top(), r.right(), r.top(), colour);
    fill(painter, r.left(), r.bottom(), r.right(), r.bottom(), colour);
    for (int x : {r.left(), r.right()}) {
        const bool underCaption = x >= captionLeft && x <= captionRight;
        fill(painter, x, underCaption ? qMax(r.top(), captionBottom + 1) : r.top(), x, r.bottom(), colour);
    }
}

} // namespace

LabStyle::LabStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

QRect LabStyle::captionRect(const QStyleOption *option, const QWidget *widget) const
{
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (!box || box->title().isEmpty())
        return {};
    CaptionKey key{box->title(), box->font(), option->rect.width()};
    const auto known = m_captions.constFind(key);
    if (known != m_captions.cend())
        return *known;
    if (m_captions.size() > 512) // not to grow without end
        m_captions.clear();
    QStyleOptionGroupBox captioned;
    captioned.QStyleOption::operator=(*option);
    captioned.text = box->title();
    captioned.textAlignment = box->alignment();
    captioned.subControls = SC_GroupBoxFrame | SC_GroupBoxLabel;
    const QRect rect = proxy()->subControlRect(CC_GroupBox, &captioned, SC_GroupBoxLabel, widget);
    m_captions.insert(std::move(key), rect);
    return rect;
}

QRect LabStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                               SubControl subControl, const QWidget *widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control != CC_GroupBox || subControl != SC_GroupBoxLabel || rect.isNull())
        return rect;
    // Indented, and kept within the frame.
    rect.translate(captionIndent(option->fontMetrics, option->rect.width(), rect.width()), 0);
    rect.setRight(qMin(rect.right(), option->rect.right()));
    return rect;
}

void LabStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                             QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // As on the classic toolkit the layout was drawn for: the top edge runs through the
    // middle of the caption, which interrupts it; the caption stands in from the corner.
    const QRect caption = captionRect(option, widget);
    const int top = caption.isNull() ? option->rect.top() : caption.center().y();
    const QRect frame = option->rect.adjusted(0, top - option->rect.top(), 0, 0);
    if (frame.width() < 2 || frame.height() < 2)
        return;
    // Etched: a dark line with a light one just inside it at the top and left, and just
    // outside it at the bottom and right.
    const QRect inner(frame.left() + 1, frame.top() + 1, frame.width() - 1, frame.height() - 1);
    const QRect outer(frame.left(), frame.top(), frame.width() - 1, frame.height() - 1);
    outline(painter, inner, caption, option->palette.color(QPalette::Light));
    outline(painter, outer, caption, option->palette.color(QPalette::Dark));
}
