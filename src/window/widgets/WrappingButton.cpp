#include "window/widgets/WrappingButton.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// The time stamp of the last mouse button event delivered anywhere in the program.
std::optional<quint64> lastMouseButtonTime;

bool isClickKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Select;
}

} // namespace

WrappingButton::WrappingButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(true);
}

void WrappingButton::noteMouseButton(quint64 timestamp)
{
    lastMouseButtonTime = timestamp;
}

QRect WrappingButton::captionArea(const QRect &face, double lineSpacing)
{
    const QRect wrapped = face.adjusted(3, 2, -3, -2);
    return wrapped.height() < 2 * lineSpacing ? face.adjusted(3, 0, -3, 0) : wrapped;
}

void WrappingButton::showEvent(QShowEvent *event)
{
    QPushButton::showEvent(event);
    m_appearedAt = lastMouseButtonTime;
}

void WrappingButton::mousePressEvent(QMouseEvent *event)
{
    const quint64 interval = quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (m_appearedAt && event->timestamp() - *m_appearedAt < interval) {
        event->accept(); // the rest of a click on the control this one replaced
        return;
    }
    QPushButton::mousePressEvent(event);
}

void WrappingButton::keyPressEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat() && isClickKey(event->key())) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect area = captionArea(rect(), fontMetrics().lineSpacing());
    const int flags = Qt::AlignCenter | (area.height() < rect().height() ? Qt::TextWordWrap : 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(area, flags, caption);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
