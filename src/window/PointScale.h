#pragma once

#include <QPointF>
#include <QRect>

// The layout is in points (1/72 inch); widgets are in device-independent pixels. This
// is the one place where the two meet: at 96 DPI one point is 4/3 pixel.
class PointScale
{
public:
    explicit PointScale(double dotsPerInch) : m_factor(dotsPerInch / 72.0) {}

    int px(double points) const;
    double pxF(double points) const { return points * m_factor; }
    // Edges are rounded, so neighbouring controls meet without gaps.
    QRect rect(double left, double top, double width, double height) const;
    QPointF point(double x, double y) const { return {pxF(x), pxF(y)}; }

private:
    double m_factor;
};
