#include "window/widgets/DefaultButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

DefaultButton::DefaultButton(QPushButton *button) : QObject(button), m_button(button)
{
}

void DefaultButton::make(QPushButton *button, QWidget *frame)
{
    button->setDefault(true);
    auto *filter = new DefaultButton(button);
    for (QLineEdit *box : frame->findChildren<QLineEdit *>())
        box->installEventFilter(filter);
}

bool DefaultButton::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || modifiers != Qt::NoModifier)
        return false;
    // A held key repeats its press: the button was clicked at the first one.
    if (!key->isAutoRepeat() && m_button->isVisible() && m_button->isEnabled())
        m_button->click();
    return true;
}
