#pragma once

#include "session/AttemptFacts.h"
#include "record/LogReader.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// One attempt drawn on the tree the subject saw, in points, with the geometry of
// TreeModel: every branch line thin, the path taken in bold (the subject's decisions in
// blue, Nature's draws in orange, each with its L or R beside it), the nodes of the path
// outlined, every node clicked in the attempt numbered in the order of the clicks, and
// the payoff reached written above its node. A heading names the log and the attempt,
// a legend below the tree says what the marks mean. The same picture is written as SVG
// text or painted (for PNG) with QPainter.
class TreePicture
{
public:
    static constexpr double Width = 800;  // points
    static constexpr double Height = 560;

    // records: the log's records; attempt: one of its attempts. payoffText: the payoff
    // of the node reached as the subject saw it, when known.
    TreePicture(const QString &title, const QList<LogRecord> &records, const AttemptSummary &attempt,
                const AttemptFacts &facts, const std::optional<QString> &payoffText);

    QString svg() const;
    // Paints the picture scaled by scale pixels per point onto a painter of
    // Width * scale by Height * scale pixels.
    void paint(QPainter &painter, double scale) const;

private:
    struct Stroke
    {
        QPointF from, to;
        QColor colour;
        double width;
        QString role; // "branch", "decision" or "nature"
    };
    struct Box
    {
        QRectF rect;
        QColor fill;
        double outline; // 0.5 thin, thicker on the path
        QString role;   // "node" or "path-node"
    };
    struct Label
    {
        QPointF at;     // the baseline point of the text
        QString text;
        QColor colour;
        double size;    // points
        bool bold;
        int align;      // -1 ends at the point, 0 centred on it, 1 starts at it
        QString role;   // "title", "move", "click", "payoff", "legend"
    };

    void addLabel(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                  const QString &role);

    QList<Stroke> m_strokes;
    QList<Box> m_boxes;
    QList<Label> m_labels;
};
