#pragma once

#include "session/AttemptFacts.h"
#include "session/Drawing.h"
#include "record/LogReader.h"

#include <QColor>
#include <QList>
#include <QMap>
#include <QPair>
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
//
// However busy the attempt, every text lies inside the picture and no text covers
// another text or a node: runs of three or more clicks in a row on one node are written
// "28–40"; the numbers of a payoff node stand in its column above it (upright unless
// they are as narrow as the column), and the picture grows upwards to hold the tallest;
// the numbers beside any other node wrap within the room beside it. A list that finds
// no room there, or would stand more than 90 points tall above a payoff node, is listed
// below the legend under a letter that marks the node, the picture growing downwards.
// Text sizes are measured with the fonts the PNG is painted with (a QGuiApplication
// must exist), with a margin for a viewer of the SVG that draws a wider sans-serif
// (Drawing).
class TreePicture
{
public:
    // The title of an attempt's picture: "<log>: subject 99, set 1, attempt 2: payoff £5 at
    // p(24)", or ": still in play"; payoffText is the payoff shown, when known.
    static QString title(const QString &logName, qint16 subject, qint16 set, const AttemptSummary &attempt,
                         const std::optional<QString> &payoffText);

    static constexpr double Width = 800;      // points
    static constexpr double MinHeight = 560;  // the height of a picture that needs no more

    // records: the log's records; attempt: one of its attempts. payoffText: the payoff
    // of the node reached as the subject saw it, when known. dwellMs: by (level, index),
    // how long each node clicked was shown in the attempt, all its inspections together;
    // when given, each node's click numbers end with it in seconds, "1,4,9 (3.5 s)", laid
    // out by the same rules.
    TreePicture(const QString &title, const QList<LogRecord> &records, const AttemptSummary &attempt,
                const AttemptFacts &facts, const std::optional<QString> &payoffText,
                const QMap<QPair<int, int>, qint64> &dwellMs = {});

    double height() const { return m_height; }

    // Its lines, boxes and texts, written as SVG or painted.
    const Drawing &drawing() const { return m_drawing; }
    QString svg() const { return m_drawing.svg(); }
    // Paints the picture scaled by scale pixels per point onto a painter of
    // Width * scale by height() * scale pixels.
    void paint(QPainter &painter, double scale) const { m_drawing.paint(painter, scale); }

    // "1,4,9–12,20": the click numbers (ascending), runs of three or more as ranges.
    static QString clickList(const QList<int> &numbers);

private:
    using Stroke = Drawing::Line; // role "branch", "decision" or "nature"
    using Box = Drawing::Box;     // role "node" or "path-node"
    // role "title", "move", "click", "click-key", "click-list", "payoff" or "legend"
    using Label = Drawing::Text;

    struct Column
    {
        QString text;  // the click numbers of a payoff node, or the key of their list
        bool level;    // standing level, else upright
        double height; // above the node, margin included
    };

    QRectF nodeRect(int level, int index) const;
    // The text told of a node clicked: its click list, and its time when times are drawn.
    QString listFor(const QPair<int, int> &node, const QList<int> &numbers) const;
    static double columnPitch();
    QMap<int, Column> planColumns(const QMap<QPair<int, int>, QList<int>> &clicks);
    // The key of a list written below the legend, which it is added to.
    QString keyFor(int level, int index, const QString &list);
    void addTree(const AttemptSummary &attempt, const AttemptFacts &facts);
    void addColumns(const QMap<int, Column> &columns);
    void addNodeLists(const QMap<QPair<int, int>, QList<int>> &clicks, double legendTop);
    void addLabel(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                  const QString &role);
    bool isFree(const QRectF &rect) const;
    // Places the click list of a node below the payoff level beside it, or gives false.
    // room: the width free on its right; bottom: how far down its lines may go.
    bool placeBeside(const QRectF &node, const QString &list, double room, double bottom);
    void addLegend(double top, bool ranges);
    // The legend's lines of the moves' colours and of the nodes' kinds, on baseline y.
    void addMovesLegend(double y);
    void addNodesLegend(double y);
    // A key in the clicks' colour at x and its meaning after it, as far on as the key is
    // wide in the font it is drawn in (the fonts differ from system to system). Returns
    // the x past both, and at least minimum past x.
    double addLegendKey(double x, double y, const QString &key, const QString &text, double minimum);
    // The lists that found no room beside their nodes, below the legend's last line.
    // Returns the baseline of the last.
    double addKeyedLists(double last);

    QMap<QPair<int, int>, qint64> m_dwell;

    double m_offsetY = 0;
    double m_height = MinHeight;
    Drawing m_drawing;
    QList<QRectF> m_taken;  // what a label must not cover: nodes and the texts placed
    QStringList m_keyed;    // the lists written below the legend, each with its key
};
