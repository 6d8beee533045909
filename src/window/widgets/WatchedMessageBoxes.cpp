#include "window/widgets/WatchedMessageBoxes.h"

void WatchedMessageBoxes::information(QWidget *parent, const QString &title, const QString &text)
{
    show({false, title, text}, parent);
}

void WatchedMessageBoxes::warning(QWidget *parent, const QString &title, const QString &text)
{
    show({true, title, text}, parent);
}

void WatchedMessageBoxes::show(const Box &box, QWidget *parent)
{
    if (m_silent)
        return;
    m_open.append(box);
    if (box.warning)
        m_shown.warning(parent, box.title, box.text);
    else
        m_shown.information(parent, box.title, box.text);
    m_open.removeLast();
}
