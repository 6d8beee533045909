#include "tree/widgets/NodeButton.h"

#include "tree/logic/TreeTexts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

NodeButton::NodeButton(int level, int index, QWidget *parent)
    : QAbstractButton(parent), m_level(level), m_index(index)
{
    setCursor(Qt::CrossCursor);
    // Only a mouse click inspects a node. A node holding the focus would be clicked again
    // by the space bar or Enter, and such a press is recorded exactly like an inspection.
    setFocusPolicy(Qt::NoFocus);
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

bool NodeButton::event(QEvent *event)
{
    const bool handled = QAbstractButton::event(event);
    // The face covers every pixel, so nothing beneath a node needs painting when it
    // repaints. The Fusion style clears this attribute on every button it polishes, and
    // without it Qt repaints the window and the branch lines under each node first.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
        setAttribute(Qt::WA_OpaquePaintEvent);
    return handled;
}

void NodeButton::mousePressEvent(QMouseEvent *event)
{
    // The click takes the focus from wherever it was, the notepad included, and keeps it
    // for no control: keys typed next press nothing and write into no notepad until the
    // subject clicks a control that takes keys.
    QWidget *focus = window()->focusWidget();
    if (focus && event->button() == Qt::LeftButton)
        focus->clearFocus();
    QAbstractButton::mousePressEvent(event);
}

void NodeButton::keyPressEvent(QKeyEvent *event)
{
    // No key presses a node, even one given the focus by a call to setFocus.
    event->ignore();
}

void NodeButton::keyReleaseEvent(QKeyEvent *event)
{
    event->ignore();
}

void NodeButton::paintBeneathOnce()
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
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
    const QColor &upperLeft = sunken ? dark : light;
    const QColor &lowerRight = sunken ? light : dark;
    // Filled one-pixel rectangles rather than pen lines: the raster engine fills them
    // directly, at a fraction of the cost, and all 127 buttons repaint at every reset.
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), upperLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), upperLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), lowerRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), lowerRight);
    // Opaque again once painted over what lay beneath (paintBeneathOnce): a new colour
    // then repaints nothing beneath it.
    if (!testAttribute(Qt::WA_OpaquePaintEvent))
        setAttribute(Qt::WA_OpaquePaintEvent);
}
