#pragma once

#include "session/Drawing.h"
#include "session/NodeHeat.h"

#include <QString>

// A heatmap on the tree: each node filled by how much it was looked at (NodeHeat), on a
// sequential scale from light to dark that stays readable printed in black and white,
// with the number beside the node (upright above a payoff node, under its payoff), the
// payoffs above the payoff nodes, the scale with the numbers of each shade and a caption
// that says what is counted. The tree has the program's geometry, moved right for the
// names of the rows above the payoff nodes. No text covers another text or a node, and
// every text lies inside the picture.
class HeatPicture
{
public:
    static constexpr double Width = 880; // points
    static constexpr int Shades = 5;     // beside white for a node not looked at

    // title: what the heat is of ("o101btinp.01: subject 101, set 1, attempt 2").
    HeatPicture(const QString &title, const NodeHeat &heat);

    const Drawing &drawing() const { return m_drawing; }
    double height() const { return m_drawing.height; }

    // The value one shade spans: a round number, so that Shades of it reach the maximum.
    static qint64 step(const NodeHeat &heat);
    // The shade of a value: 0 for none, 1..Shades.
    static int shadeOf(qint64 value, qint64 step);
    static QColor shadeColour(int shade);
    // The node's number as the picture writes it: inspections, or seconds with one place.
    static QString valueText(const NodeHeat &heat, qint64 value);
    // "7 log(s), 28 attempt(s) summed": the title of a heat over many logs or attempts.
    static QString summary(const NodeHeat &heat);

private:
    // "£51", "-£5"; "*" where the logs differ; empty when not known.
    QString payoffText(int node) const;
    void addTree();
    void addNodeNumbers();
    void addPayoffColumns(double rowTop, double valueHeight);
    // The scale from top; returns where it ends.
    double addScale(double top);
    // The caption's lines after the baseline last; returns the baseline of its last line.
    double addCaption(double last);
    void addText(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                 const QString &role, bool upright = false);
    bool isFree(const QRectF &rect) const;
    QRectF nodeRect(int level, int index) const;

    NodeHeat m_heat;
    qint64 m_step = 1;
    double m_offsetY = 0;
    Drawing m_drawing;
    QList<QRectF> m_taken;
};
