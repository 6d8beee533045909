#include "session/HeatPicture.h"

#include "session/LogWalk.h"
#include "tree/logic/TreeModel.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double OffsetX = 84; // room at the left for the names of the rows above the payoffs
constexpr double Margin = 16;
constexpr double TitleBaseline = 20;
constexpr double TitleSize = 12;
constexpr double NumberSize = 7;
constexpr double RowNameSize = 8;
constexpr double ScaleSize = 8;
constexpr double CaptionSize = 9;
constexpr double Pad = Drawing::Pad;

const QColor Ink(0, 0, 0);
const QColor Branch(150, 150, 150);
const QColor NotLooked(255, 255, 255);
// Light to dark in one run of hue and lightness (yellow to dark red), so that printed in
// grey each shade is darker than the last.
const std::array<QColor, HeatPicture::Shades> ShadeColours{QColor(0xff, 0xed, 0xa0), QColor(0xfe, 0xb2, 0x4c),
                                                           QColor(0xfd, 0x8d, 0x3c), QColor(0xe3, 0x1a, 0x1c),
                                                           QColor(0x80, 0x00, 0x26)};
const QChar RangeDash(0x2013);

QString measureWord(NodeHeat::Measure measure)
{
    return measure == NodeHeat::Measure::Inspections ? QStringLiteral("Inspections") : QStringLiteral("Dwell");
}

// The smallest whole round number (1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25 ...) that is
// at least least and at least value.
qint64 roundUp(double value, qint64 least)
{
    for (qint64 decade = 1;; decade *= 10) {
        for (const qint64 tenths : {10, 12, 15, 20, 25, 30, 40, 50, 60, 80}) {
            if (tenths * decade % 10 != 0)
                continue;
            const qint64 round = tenths * decade / 10;
            if (round >= least && double(round) >= value)
                return round;
        }
    }
}

} // namespace

qint64 HeatPicture::step(const NodeHeat &heat)
{
    // Dwell in tenths of a second at the finest, as the numbers are written.
    const qint64 least = heat.measure() == NodeHeat::Measure::Inspections ? 1 : 100;
    return roundUp(double(heat.maximum()) / Shades, least);
}

int HeatPicture::shadeOf(qint64 value, qint64 step)
{
    if (value <= 0)
        return 0;
    return int(std::min<qint64>(Shades, (value + step - 1) / step));
}

QColor HeatPicture::shadeColour(int shade)
{
    return shade <= 0 ? NotLooked : ShadeColours[std::size_t(std::min(shade, int(Shades)) - 1)];
}

QString HeatPicture::valueText(const NodeHeat &heat, qint64 value)
{
    if (heat.measure() == NodeHeat::Measure::Inspections)
        return QString::number(value);
    return QString::number(double(value) / 1000, 'f', value < 100 ? 2 : 1);
}

QString HeatPicture::summary(const NodeHeat &heat)
{
    return QStringLiteral("%1 log(s), %2 attempt(s) summed").arg(heat.logs()).arg(heat.attempts());
}

HeatPicture::HeatPicture(const QString &title, const NodeHeat &heat) : m_heat(heat), m_step(step(heat))
{
    m_drawing.width = Width;
    const QString heading = QStringLiteral("%1 per node: %2").arg(measureWord(heat.measure()), title);
    const QStringList titleLines = Drawing::wrapped(heading, Width - 2 * Margin, TitleSize, true);
    double y = TitleBaseline;
    for (const QString &line : titleLines) {
        addText({Margin, y}, line, Ink, TitleSize, true, 1, QStringLiteral("title"));
        y += Drawing::lineStep(TitleSize);
    }
    const double titleBottom = y - Drawing::lineStep(TitleSize) + QFontMetricsF(Drawing::font(TitleSize, true)).descent();

    // The two columns above each payoff node: its number nearest, its payoff above.
    double valueHeight = Drawing::textWidth(QStringLiteral("0"), NumberSize, true);
    double payoffHeight = Drawing::textWidth(QStringLiteral("0"), NumberSize, true);
    for (int j = 0; j < TreeModel::nodesOnLevel(TreeModel::PayoffLevel); ++j) {
        valueHeight = std::max(valueHeight, Drawing::textWidth(valueText(heat, heat.value({TreeModel::PayoffLevel, j})),
                                                               NumberSize, true));
        payoffHeight = std::max(payoffHeight, Drawing::textWidth(payoffText(j), NumberSize, true));
    }
    const double rowTop = std::ceil(titleBottom + 8 + payoffHeight + 6 + valueHeight + 3);
    m_offsetY = rowTop - TreeModel::nodeTop(TreeModel::PayoffLevel);
    addTree();
    addPayoffColumns(rowTop, valueHeight);
    addNodeNumbers();
    const double treeBottom = m_offsetY + TreeModel::nodeTop(1) + TreeModel::NodeWidth;
    const double last = addCaption(addScale(treeBottom + 26));
    m_drawing.height = std::ceil(last + 14);
}

QString HeatPicture::payoffText(int node) const
{
    if (m_heat.payoffDiffers(node))
        return QStringLiteral("*");
    const std::optional<int> payoff = m_heat.payoff(node);
    if (!payoff)
        return QString();
    return (*payoff < 0 ? QStringLiteral("-") : QString()) + m_heat.currency() + QString::number(std::abs(*payoff));
}

QRectF HeatPicture::nodeRect(int level, int index) const
{
    return QRectF(OffsetX + TreeModel::nodeLeft(level, index), m_offsetY + TreeModel::nodeTop(level),
                  TreeModel::NodeWidth, TreeModel::NodeWidth);
}

void HeatPicture::addTree()
{
    for (int k = 1; k < TreeModel::PayoffLevel; ++k) {
        for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j) {
            const TreeModel::Segment s = TreeModel::line(k, j);
            m_drawing.lines.append({{OffsetX + s.x1, m_offsetY + s.y1}, {OffsetX + s.x2, m_offsetY + s.y2}, Branch,
                                    0.5, QStringLiteral("branch")});
        }
    }
    for (int level = 1; level <= TreeModel::PayoffLevel; ++level) {
        for (int index = 0; index < TreeModel::nodesOnLevel(level); ++index) {
            const qint64 value = m_heat.value({level, index});
            const int shade = shadeOf(value, m_step);
            const QRectF rect = nodeRect(level, index);
            // The exact value, for a browser's pointer and for scripts that read the SVG.
            const QString tip = m_heat.measure() == NodeHeat::Measure::Inspections
                                    ? QStringLiteral("%1: %2 inspection(s)").arg(LogWalk::nodeName(level, index)).arg(value)
                                    : QStringLiteral("%1: %2 ms").arg(LogWalk::nodeName(level, index)).arg(value);
            m_drawing.boxes.append({rect, shadeColour(shade), shade == 0 ? 0.5 : 0.75, QStringLiteral("heat-node"), tip,
                                    shade == 0 ? Branch : Ink});
            m_taken.append(rect.adjusted(-Pad, -Pad, Pad, Pad));
        }
    }
}

void HeatPicture::addPayoffColumns(double rowTop, double valueHeight)
{
    const QFontMetricsF metrics(Drawing::font(NumberSize, true));
    const double payoffBase = rowTop - 3 - valueHeight - 6;
    for (int j = 0; j < TreeModel::nodesOnLevel(TreeModel::PayoffLevel); ++j) {
        const double x = OffsetX + TreeModel::centreX(TreeModel::PayoffLevel, j)
                         + (metrics.ascent() - metrics.descent()) / 2;
        const qint64 value = m_heat.value({TreeModel::PayoffLevel, j});
        if (value > 0)
            addText({x, rowTop - 3}, valueText(m_heat, value), Ink, NumberSize, true, 1, QStringLiteral("heat-value"),
                    true);
        const QString payoff = payoffText(j);
        if (!payoff.isEmpty())
            addText({x, payoffBase}, payoff, Ink, NumberSize, false, 1, QStringLiteral("payoff"), true);
    }
    // The rows' names, level with the middle of each column, left of the tree.
    const QFontMetricsF names(Drawing::font(RowNameSize, false));
    const double shift = (names.ascent() - names.descent()) / 2;
    const double nameX = OffsetX - 4;
    addText({nameX, rowTop - 3 - valueHeight / 2 + shift},
            m_heat.measure() == NodeHeat::Measure::Inspections ? QStringLiteral("inspections") : QStringLiteral("dwell, s"),
            Ink, RowNameSize, false, -1, QStringLiteral("row-name"));
    addText({nameX, payoffBase - Drawing::textWidth(QStringLiteral("00"), NumberSize, false) / 2 + shift},
            QStringLiteral("payoff"), Ink, RowNameSize, false, -1, QStringLiteral("row-name"));
}

void HeatPicture::addNodeNumbers()
{
    // Beside each node below the payoffs, on its right: level where the room up to the
    // next node holds it, else upright, reading upwards from the node's foot.
    const QFontMetricsF metrics(Drawing::font(NumberSize, true));
    for (int level = 1; level < TreeModel::PayoffLevel; ++level) {
        for (int index = 0; index < TreeModel::nodesOnLevel(level); ++index) {
            const qint64 value = m_heat.value({level, index});
            if (value <= 0)
                continue;
            const QString text = valueText(m_heat, value);
            const QRectF node = nodeRect(level, index);
            Drawing::Text flat{{node.right() + 1.5, node.bottom() - 1}, text, Ink, NumberSize, true, 1,
                               QStringLiteral("heat-value")};
            const double next = index + 1 < TreeModel::nodesOnLevel(level) ? nodeRect(level, index + 1).left() : Width;
            if (Drawing::extent(flat).right() < next - 1 && isFree(Drawing::extent(flat))) {
                addText(flat.at, text, Ink, NumberSize, true, 1, flat.role);
                continue;
            }
            addText({node.right() + 1.5 + metrics.ascent(), node.bottom()}, text, Ink, NumberSize, true, 1,
                    QStringLiteral("heat-value"), true);
        }
    }
}

double HeatPicture::addScale(double top)
{
    // "Inspections per node" then a box of each shade with the values it stands for.
    const double baseline = top + 10;
    const QString name = m_heat.measure() == NodeHeat::Measure::Inspections
                             ? QStringLiteral("Inspections per node:")
                             : QStringLiteral("Dwell per node, seconds:");
    addText({Margin, baseline}, name, Ink, CaptionSize, true, 1, QStringLiteral("scale"));
    double x = Margin + Drawing::textWidth(name, CaptionSize, true) + 10;
    const int shown = std::max(1, shadeOf(m_heat.maximum(), m_step));
    QStringList ranges{QStringLiteral("none")};
    for (int shade = 1; shade <= shown; ++shade) {
        const qint64 low = (shade - 1) * m_step, high = shade * m_step;
        if (m_heat.measure() == NodeHeat::Measure::Inspections)
            ranges << (m_step == 1 ? QString::number(high)
                                   : QString::number(low + 1) + RangeDash + QString::number(high));
        else
            ranges << (shade == 1 ? QStringLiteral("up to ") + valueText(m_heat, high)
                                  : valueText(m_heat, low) + RangeDash + valueText(m_heat, high));
    }
    double boxWidth = 34;
    for (const QString &range : ranges)
        boxWidth = std::max(boxWidth, Drawing::textWidth(range, ScaleSize, false) + 8);
    const double boxTop = baseline - 10;
    for (qsizetype k = 0; k < ranges.size(); ++k) {
        const QRectF box(x, boxTop, boxWidth, 12);
        m_drawing.boxes.append({box, shadeColour(int(k)), 0.75, QStringLiteral("scale"), ranges[k], k == 0 ? Branch : Ink});
        addText({box.center().x(), box.bottom() + 11}, ranges[k], Ink, ScaleSize, false, 0, QStringLiteral("scale"));
        x += boxWidth + 2;
    }
    return boxTop + 12 + 11;
}

double HeatPicture::addCaption(double last)
{
    QStringList sentences;
    const QString bursts = QStringLiteral("bursts (re-clicks of the node inspected just before, less than %1 ms after "
                                          "it opened: %2 here) are counted as inspections, as in the table")
                               .arg(LogWalk::BurstMs)
                               .arg(m_heat.bursts());
    if (m_heat.measure() == NodeHeat::Measure::Inspections) {
        sentences << QStringLiteral("Counted: every node click is one inspection, as the rows of treelab export's "
                                    "inspections table (%1 in all); %2.")
                         .arg(m_heat.inspections())
                         .arg(bursts);
    } else {
        sentences << QStringLiteral("Counted: how long each node was on screen, from its click until the next node "
                                    "click, CloseNotepad, the decision, Nature's move, a message box, Continue or the "
                                    "program's exit: the dwell_ms of treelab export's inspections table, summed over "
                                    "the node's inspections (%1 in all); %2.")
                         .arg(m_heat.inspections())
                         .arg(bursts);
        if (m_heat.untimed() > 0)
            sentences << QStringLiteral("%1 inspection(s) carry no time (a log without its companion record, or a node "
                                        "still shown) and add nothing.")
                             .arg(m_heat.untimed());
    }
    QString payoffs = QStringLiteral("Each node's number stands beside it (above a payoff node); a node not looked at "
                                     "is white and has none. The payoffs stand above the payoff nodes, as the run's "
                                     "payoff table held them");
    bool differs = false;
    for (int j = 0; j < TreeModel::nodesOnLevel(TreeModel::PayoffLevel); ++j)
        differs = differs || m_heat.payoffDiffers(j);
    payoffs += differs ? QStringLiteral("; * where the logs hold different payoffs.") : QStringLiteral(".");
    sentences << payoffs;
    const double step = Drawing::lineStep(CaptionSize);
    for (const QString &sentence : sentences) {
        last += 4;
        for (const QString &line : Drawing::wrapped(sentence, Width - 2 * Margin, CaptionSize, false)) {
            last += step;
            addText({Margin, last}, line, Ink, CaptionSize, false, 1, QStringLiteral("caption"));
        }
    }
    return last;
}

void HeatPicture::addText(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                          const QString &role, bool upright)
{
    m_drawing.texts.append({at, text, colour, size, bold, align, role, upright});
    m_taken.append(Drawing::extent(m_drawing.texts.last()));
}

bool HeatPicture::isFree(const QRectF &rect) const
{
    for (const QRectF &taken : m_taken)
        if (taken.intersects(rect))
            return false;
    return true;
}
