#pragma once

#include <QPushButton>

// A command button whose caption wraps inside the button, centred, as on the classic
// toolkit this layout was drawn for. Enter and the space bar click it when it has the
// focus.
class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
