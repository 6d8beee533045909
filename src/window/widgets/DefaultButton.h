#pragma once

#include <QObject>

class QPushButton;
class QWidget;

// Makes a button the default button of a frame, as the classic toolkit has it: Enter in
// any text box of the frame clicks it, once however long the key is held, and the button
// is drawn as the default. A plain window, unlike a dialog, has no default button of its
// own. The filter lives as long as the button.
class DefaultButton : public QObject
{
public:
    static void make(QPushButton *button, QWidget *frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DefaultButton(QPushButton *button);

    QPushButton *m_button;
};
