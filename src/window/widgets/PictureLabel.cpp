#include "window/widgets/PictureLabel.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int StripRows = 32; // some 50 kB converted at a time for a picture 400 pixels wide

} // namespace

PictureLabel::PictureLabel(QWidget *parent) : QLabel(parent)
{
}

void PictureLabel::paintEvent(QPaintEvent *event)
{
    const QPixmap shown = pixmap();
    // Shown at its own ratio only, as the window makes it: another ratio QLabel scales.
    if (shown.isNull() || shown.depth() != 8 || !text().isEmpty() || !isEnabled()
        || shown.devicePixelRatio() != devicePixelRatio()) {
        QLabel::paintEvent(event);
        return;
    }
    const QImage picture = shown.toImage();
    const qreal ratio = shown.devicePixelRatio();
    // Where QLabel puts its pixmap: aligned in the contents.
    const QRect at = QStyle::alignedRect(layoutDirection(), QStyle::visualAlignment(layoutDirection(), alignment()),
                                         shown.deviceIndependentSize().toSize(), contentsRect());
    QPainter painter(this);
    drawFrame(&painter);
    for (int y = 0; y < picture.height(); y += StripRows) {
        const int rows = std::min(StripRows, picture.height() - y);
        const QRectF target(at.left(), at.top() + y / ratio, picture.width() / ratio, rows / ratio);
        if (!event->region().intersects(target.toAlignedRect()))
            continue;
        QImage strip = picture.copy(0, y, picture.width(), rows).convertToFormat(QImage::Format_RGB32);
        strip.setDevicePixelRatio(ratio);
        painter.drawImage(target.topLeft(), strip);
    }
}
