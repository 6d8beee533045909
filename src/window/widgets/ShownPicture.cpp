#include "window/widgets/ShownPicture.h"

#include <QColorSpace>
#include <QImageReader>
#include <QList>

#include <algorithm>

QPixmap ShownPicture::load(const QString &png, const QSize &shown, qreal ratio)
{
    // Decoded as an image, not a pixmap, which Qt would keep in its pixmap cache. The reader
    // is told the format and not to guess it: guessing asks every image plugin installed
    // (GIF, ICO, JPEG...), and each one asked stays loaded for the whole run.
    QImageReader reader(png, "png");
    reader.setAutoDetectImageFormat(false);
    QImage picture = compact(reader.read().scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    // Shown as it is, unscaled: painting converts either format back exactly.
    QPixmap pixmap = QPixmap::fromImage(std::move(picture), Qt::NoFormatConversion);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QImage ShownPicture::compact(QImage picture)
{
    if (picture.isNull() || picture.hasAlphaChannel())
        return picture;
    const QImage rgb = std::move(picture).convertToFormat(QImage::Format_RGB32);
    const auto row = [&rgb](int y) { return reinterpret_cast<const QRgb *>(rgb.constScanLine(y)); };
    // The picture's colours, sorted; a 257th ends the search.
    QList<QRgb> table;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = row(y)[x];
            const auto at = std::lower_bound(table.begin(), table.end(), colour);
            if (at != table.end() && *at == colour)
                continue;
            if (table.size() == 256)
                return rgb.convertToFormat(QImage::Format_RGB888);
            table.insert(at, colour);
        }
    }
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return rgb.convertToFormat(QImage::Format_RGB888);
    indexed.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        uchar *to = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            to[x] = uchar(std::lower_bound(table.cbegin(), table.cend(), row(y)[x]) - table.cbegin());
    }
    indexed.setColorSpace(rgb.colorSpace());
    indexed.setDotsPerMeterX(rgb.dotsPerMeterX());
    indexed.setDotsPerMeterY(rgb.dotsPerMeterY());
    return indexed;
}
