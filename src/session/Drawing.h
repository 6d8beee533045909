#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// A picture as a short list of primitives in points (lines, rectangles, texts), written
// as SVG text or painted with QPainter (for PNG) from the same list, so that the two
// agree. Texts are measured with the fonts the PNG is painted with (a QGuiApplication
// must exist), with a margin for a viewer of the SVG that draws a wider sans-serif: a
// text's extent() is the room it takes in either.
class Drawing
{
public:
    struct Line
    {
        QPointF from, to;
        QColor colour;
        double width;
        QString role;      // the SVG element's class
        bool dashed = false;
    };
    struct Box
    {
        QRectF rect;
        QColor fill;       // transparent for none
        double outline;    // 0 for none
        QString role;
        QString tip = QString(); // the SVG element's title, shown by a browser on hover
        QColor stroke = QColor(0, 0, 0);
    };
    struct Text
    {
        QPointF at;        // the baseline point of the text
        QString text;
        QColor colour;
        double size;       // points
        bool bold;
        int align;         // -1 ends at the point, 0 centred on it, 1 starts at it
        QString role;
        bool upright = false; // turned a quarter left: it reads upwards from the point
    };

    static constexpr double Pad = 0.5; // kept clear around every text
    static constexpr double PngScale = 2.0; // pixels per point of a PNG

    double width = 0;
    double height = 0;
    QList<Line> lines;
    QList<Box> boxes;
    QList<Text> texts;

    static QFont font(double size, bool bold);
    // The width a text takes, with the margin for an SVG viewer.
    static double textWidth(const QString &text, double size, bool bold);
    // From one baseline to the next, so that the lines' extents do not meet.
    static double lineStep(double size);
    // The room a text takes, in points, with its margin.
    static QRectF extent(const Text &text);
    // A text broken at its spaces into lines none wider than width (a word wider than
    // width stands alone on its line).
    static QStringList wrapped(const QString &text, double width, double size, bool bold);

    QString svg() const;
    // Paints the picture scaled by scale pixels per point onto a painter of
    // width * scale by height * scale pixels.
    void paint(QPainter &painter, double scale) const;
    // PNG at PngScale.
    QByteArray png() const;
    // The picture for a file: PNG when its name ends in .png, else SVG.
    QByteArray bytesFor(const QString &fileName) const;
};
