#include "window/logic/PointScale.h"

#include <cmath>

int PointScale::px(double points) const
{
    return static_cast<int>(std::lround(points * m_factor));
}

QRect PointScale::rect(double left, double top, double width, double height) const
{
    const int x = px(left);
    const int y = px(top);
    return {x, y, px(left + width) - x, px(top + height) - y};
}
