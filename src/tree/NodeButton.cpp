#include "tree/NodeButton.h"

#include "tree/TreeTexts.h"

#include <QPainter>

NodeButton::NodeButton(int level, int index, QWidget *parent)
    : QAbstractButton(parent), m_level(level), m_index(index)
{
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(TreeTexts::accessibleName(level, index));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void NodeButton::setBackColor(const QString &colourText)
{
    if (colourText == m_colourText)
        return;
    m_colourText = colourText;
    const RgbColour rgb = BgrColour::fromHexText(colourText);
    m_face = QColor(rgb.red, rgb.green, rgb.blue);
    update();
}

QSize NodeButton::sizeHint() const
{
    return {13, 13};
}

void NodeButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, m_face);
    // A thin raised edge, light above and to the left, dark below and to the right;
    // sunken while pressed.
    const QColor light(255, 255, 255);
    const QColor dark(64, 64, 64);
    const bool sunken = isDown();
    painter.setPen(sunken ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(sunken ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (hasFocus()) {
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(r.adjusted(2, 2, -3, -3));
    }
}
