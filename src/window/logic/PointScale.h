#pragma once

#include <QPointF>
#include <QRect>

// The layout is in points (1/72 inch); widgets are in device-independent pixels. This
// is the one place where the two meet: at 96 DPI one point is 4/3 pixel. On a screen
// smaller than the layout everything, fonts included, shrinks by one fit factor, so that
// proportions and line breaks stay as drawn.
class PointScale
{
public:
    explicit PointScale(double dotsPerInch, double fit = 1.0)
        : m_factor(dotsPerInch * fit / 72.0), m_fit(fit)
    {
    }

    int px(double points) const;
    double pxF(double points) const { return points * m_factor; }
    // Edges are rounded, so neighbouring controls meet without gaps.
    QRect rect(double left, double top, double width, double height) const;
    QPointF point(double x, double y) const { return {pxF(x), pxF(y)}; }
    // The size to give a font of `points` points: shrunk with the layout.
    double fontPoints(double points) const { return points * m_fit; }
    double fit() const { return m_fit; }

private:
    double m_factor;
    double m_fit;
};
