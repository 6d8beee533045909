#include "session/Drawing.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

// A viewer of the SVG may draw a sans-serif a little wider than the one measured here.
constexpr double WidthMargin = 1.08;

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QFont Drawing::font(double size, bool bold)
{
    QFont font(QStringLiteral("sans-serif"));
#ifdef Q_OS_WIN
    // Windows has no family of that name, and the first it falls back to may be a font of
    // symbols (the room's live tree under Wine drew its texts as fragments): named fonts
    // that every Windows has.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Microsoft Sans Serif")});
#endif
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(size))); // in points, or pixels once painted at a scale
    font.setBold(bold);
    return font;
}

double Drawing::textWidth(const QString &text, double size, bool bold)
{
    return QFontMetricsF(font(size, bold)).horizontalAdvance(text) * WidthMargin;
}

double Drawing::lineStep(double size)
{
    const QFontMetricsF metrics(font(size, true));
    return std::ceil(metrics.ascent() + metrics.descent() + 2 * Pad + 0.5);
}

QRectF Drawing::extent(const Text &text)
{
    const QFontMetricsF metrics(font(text.size, text.bold));
    const double width = textWidth(text.text, text.size, text.bold);
    QRectF rect;
    if (text.upright) {
        rect = QRectF(text.at.x() - metrics.ascent(), text.at.y() - width, metrics.ascent() + metrics.descent(), width);
    } else {
        const double left = text.align < 0 ? text.at.x() - width
                            : text.align == 0 ? text.at.x() - width / 2
                                              : text.at.x();
        rect = QRectF(left, text.at.y() - metrics.ascent(), width, metrics.ascent() + metrics.descent());
    }
    return rect.adjusted(-Pad, -Pad, Pad, Pad);
}

QStringList Drawing::wrapped(const QString &text, double width, double size, bool bold)
{
    QStringList lines;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && textWidth(lines.last() + QLatin1Char(' ') + word, size, bold) <= width)
            lines.last() += QLatin1Char(' ') + word;
        else
            lines.append(word);
    }
    return lines;
}

QString Drawing::svg() const
{
    QString out;
    out += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1pt\" height=\"%2pt\" "
                          "viewBox=\"0 0 %1 %2\" xml:space=\"preserve\">\n"
                          "<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n")
               .arg(width)
               .arg(height);
    for (const Line &s : lines)
        out += QStringLiteral("<line class=\"%1\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\" stroke=\"%6\" "
                              "stroke-width=\"%7\" stroke-linecap=\"round\"%8/>\n")
                   .arg(s.role, number(s.from.x()), number(s.from.y()), number(s.to.x()), number(s.to.y()),
                        s.colour.name(), number(s.width),
                        s.dashed ? QStringLiteral(" stroke-dasharray=\"%1 %2\"")
                                       .arg(number(3 * s.width), number(2.5 * s.width))
                                 : QString());
    for (const Box &b : boxes) {
        const QString stroke = b.outline > 0 ? QStringLiteral("stroke=\"%1\" stroke-width=\"%2\"")
                                                   .arg(b.stroke.name(), number(b.outline))
                                             : QStringLiteral("stroke=\"none\"");
        const QString head = QStringLiteral("<rect class=\"%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" "
                                            "fill=\"%6\" %7")
                                 .arg(b.role, number(b.rect.x()), number(b.rect.y()), number(b.rect.width()),
                                      number(b.rect.height()),
                                      b.fill.alpha() == 0 ? QStringLiteral("none") : b.fill.name(), stroke);
        out += b.tip.isEmpty() ? head + QStringLiteral("/>\n")
                               : head + QStringLiteral("><title>%1</title></rect>\n").arg(b.tip.toHtmlEscaped());
    }
    for (const Text &l : texts) {
        const QString anchor = l.align < 0 ? QStringLiteral("end")
                               : l.align == 0 ? QStringLiteral("middle")
                                              : QStringLiteral("start");
        const QString turn = l.upright ? QStringLiteral(" transform=\"rotate(-90 %1 %2)\"")
                                             .arg(number(l.at.x()), number(l.at.y()))
                                       : QString();
        out += QStringLiteral("<text class=\"%1\" x=\"%2\" y=\"%3\" font-family=\"sans-serif\" font-size=\"%4\" "
                              "font-weight=\"%5\" text-anchor=\"%6\" fill=\"%7\"%8>%9</text>\n")
                   .arg(l.role, number(l.at.x()), number(l.at.y()), number(l.size),
                        l.bold ? QStringLiteral("bold") : QStringLiteral("normal"), anchor, l.colour.name(), turn,
                        l.text.toHtmlEscaped());
    }
    out += QStringLiteral("</svg>\n");
    return out;
}

void Drawing::paint(QPainter &painter, double scale) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Scaled here rather than through the painter: Windows' font engine draws the glyphs of
    // a painter scaled below one as fragments (the room's live tree under Wine).
    painter.fillRect(QRectF(0, 0, width * scale, height * scale), Qt::white);
    for (const Line &s : lines) {
        QPen pen(s.colour, s.width * scale, Qt::SolidLine, Qt::RoundCap);
        if (s.dashed)
            pen.setDashPattern({3, 2.5});
        painter.setPen(pen);
        painter.drawLine(s.from * scale, s.to * scale);
    }
    for (const Box &b : boxes) {
        if (b.outline > 0)
            painter.setPen(QPen(b.stroke, b.outline * scale));
        else
            painter.setPen(Qt::NoPen);
        painter.setBrush(b.fill.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(b.fill));
        painter.drawRect(QRectF(b.rect.topLeft() * scale, b.rect.size() * scale));
    }
    for (const Text &l : texts) {
        const QFont font = Drawing::font(l.size * scale, l.bold);
        painter.setFont(font);
        painter.setPen(l.colour);
        const double width = QFontMetricsF(font).horizontalAdvance(l.text);
        const double x = l.align < 0 ? -width : l.align == 0 ? -width / 2 : 0;
        painter.save();
        painter.translate(l.at * scale);
        if (l.upright)
            painter.rotate(-90);
        painter.drawText(QPointF(x, 0), l.text);
        painter.restore();
    }
    painter.restore();
}

QByteArray Drawing::png() const
{
    QImage image(int(std::ceil(width * PngScale)), int(std::ceil(height * PngScale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint(painter, PngScale);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Drawing::bytesFor(const QString &fileName) const
{
    return fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? png() : svg().toUtf8();
}
