#include "window/widgets/Controls.h"

#include <QWidget>

void Controls::move(QWidget *control, double left, double top) const
{
    control->move(scale.px(left), scale.px(top));
}

void Controls::place(QWidget *control, double left, double top, double width, double height) const
{
    control->setGeometry(scale.rect(left, top, width, height));
}
