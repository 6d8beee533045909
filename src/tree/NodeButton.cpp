#include "tree/NodeButton.h"

#include "tree/TreeTexts.h"

#include <QEvent>
#include <QKeyEvent>
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

void NodeButton::keyPressEvent(QKeyEvent *event)
{
    // Enter clicks a node that has the focus, as the space bar does; a held key clicks once.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
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
    if (hasFocus()) {
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(r.adjusted(2, 2, -3, -3));
    }
}
