#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// A picture a label shows for the whole run, kept in the least memory that holds every
// pixel of it: decoded once, at the size it is shown, with nothing else kept.
class ShownPicture
{
public:
    // The picture of the PNG file (a resource) scaled as a scaling label scales it: to
    // shown device pixels, smooth. The pixmap carries ratio as its device pixel ratio.
    static QPixmap load(const QString &png, const QSize &shown, qreal ratio);

    // The same pixels in a smaller format where one holds them exactly: eight bits a
    // pixel with a colour table for an opaque picture of at most 256 colours, three bytes
    // a pixel for any other opaque one. A picture with an alpha channel is kept as it is.
    static QImage compact(QImage picture);
};
