#include "session/TreePicture.h"

#include "tree/logic/BgrColour.h"
#include "tree/logic/TreeModel.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMap>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The tree's own coordinates moved right for a margin, and down to leave room for the
// heading and for the marks above the payoff row (more room when they need it).
constexpr double OffsetX = 16;
constexpr double MinOffsetY = 62;
constexpr double TitleBaseline = 20;
constexpr double TitleSize = 12;
constexpr double ClickSize = 7;
constexpr double ListSize = 8;
constexpr double MaxColumn = 90; // points of numbers above a payoff node
constexpr double PayoffSize = 11;
constexpr double Pad = Drawing::Pad;
constexpr double LegendSize = 9;
constexpr double LegendGap = 8;   // between a key and its meaning, and after a meaning
constexpr double LegendStep = 18; // from one line of the legend to the next

// The nodes' colours, as the window paints them.
QColor nodeColour(const QString &text)
{
    const RgbColour rgb = BgrColour::fromHexText(text);
    return QColor(rgb.red, rgb.green, rgb.blue);
}
const QColor DecisionColour = nodeColour(ColourText::Decision);
const QColor ChanceColour = nodeColour(ColourText::Chance);
const QColor PayoffColour = nodeColour(ColourText::Payoff);
const QColor DecisionMove(20, 70, 200);
const QColor NatureMove(230, 120, 0);
const QColor ClickColour(90, 20, 120);
const QColor Ink(0, 0, 0);

const QChar RangeDash(0x2013);

QColor kindColour(int level)
{
    switch (TreeModel::kind(level)) {
    case TreeModel::Kind::Decision: return DecisionColour;
    case TreeModel::Kind::Chance: return ChanceColour;
    case TreeModel::Kind::Payoff: return PayoffColour;
    }
    return Ink;
}

QColor paler(const QColor &colour)
{
    return QColor((colour.red() + 3 * 255) / 4, (colour.green() + 3 * 255) / 4, (colour.blue() + 3 * 255) / 4);
}

QFont labelFont(double size, bool bold)
{
    return Drawing::font(size, bold);
}

double lineStep(double size)
{
    return Drawing::lineStep(size);
}

double textWidth(const QString &text, double size, bool bold)
{
    return Drawing::textWidth(text, size, bold);
}

// The lines of a click list, none wider than width, broken at its commas; empty when one
// item alone is wider. A column of numbers beside a node reads as a list without the
// comma at each break (stacked), a list in running text keeps it.
QStringList wrapped(const QString &list, double width, double size, bool stacked)
{
    const QString comma(QLatin1Char(','));
    const QString atBreak = stacked ? QString() : comma;
    QStringList lines;
    for (const QString &item : list.split(QLatin1Char(','))) {
        if (textWidth(item + atBreak, size, true) > width)
            return {};
        if (!lines.isEmpty() && textWidth(lines.last() + comma + item + atBreak, size, true) <= width)
            lines.last() += comma + item;
        else
            lines.append(item);
    }
    for (qsizetype k = 0; k + 1 < lines.size(); ++k)
        lines[k] += atBreak;
    return lines;
}

// The key of the n-th list set below the legend: a ... z, then A ... Z, then aa, ab ...
QString keyName(int n)
{
    if (n < 26)
        return QString(QChar(u'a' + n));
    if (n < 52)
        return QString(QChar(u'A' + (n - 26)));
    return keyName(n / 26 - 2) + keyName(n % 26);
}


} // namespace

QString TreePicture::title(const QString &logName, qint16 subject, qint16 set, const AttemptSummary &attempt,
                           const std::optional<QString> &payoffText)
{
    QString text = QStringLiteral("%1: subject %2, set %3, attempt %4").arg(logName).arg(subject).arg(set).arg(attempt.number);
    if (attempt.finalPayoffNode < 0)
        return text + QStringLiteral(": still in play");
    return text + QStringLiteral(": payoff %1 at p(%2)")
                      .arg(payoffText.value_or(QStringLiteral("p(%1)").arg(attempt.finalPayoffNode)))
                      .arg(attempt.finalPayoffNode);
}

QString TreePicture::clickList(const QList<int> &numbers)
{
    QStringList parts;
    for (qsizetype k = 0; k < numbers.size();) {
        qsizetype run = k;
        while (run + 1 < numbers.size() && numbers[run + 1] == numbers[run] + 1)
            ++run;
        if (run - k >= 2) {
            parts << QString::number(numbers[k]) + RangeDash + QString::number(numbers[run]);
        } else {
            for (qsizetype j = k; j <= run; ++j)
                parts << QString::number(numbers[j]);
        }
        k = run + 1;
    }
    return parts.join(QLatin1Char(','));
}

QString TreePicture::listFor(const QPair<int, int> &node, const QList<int> &numbers) const
{
    const QString list = clickList(numbers);
    if (m_dwell.isEmpty())
        return list;
    const auto found = m_dwell.constFind(node);
    return list + (found == m_dwell.cend() ? QStringLiteral(" (? s)")
                                           : QStringLiteral(" (%1 s)").arg(double(*found) / 1000, 0, 'f', 1));
}

QRectF TreePicture::nodeRect(int level, int index) const
{
    return QRectF(OffsetX + TreeModel::nodeLeft(level, index), m_offsetY + TreeModel::nodeTop(level),
                  TreeModel::NodeWidth, TreeModel::NodeWidth);
}

QString TreePicture::keyFor(int level, int index, const QString &list)
{
    const QString key = keyName(int(m_keyed.size()));
    m_keyed << QStringLiteral("%1  %2(%3): %4").arg(key, QLatin1String(TreeModel::levelName(level))).arg(index).arg(list);
    return key;
}

double TreePicture::columnPitch()
{
    return TreeModel::centreX(TreeModel::PayoffLevel, 1) - TreeModel::centreX(TreeModel::PayoffLevel, 0);
}

QMap<int, TreePicture::Column> TreePicture::planColumns(const QMap<QPair<int, int>, QList<int>> &clicks)
{
    // A text as narrow as a payoff column (a key, one or two short numbers) stands level
    // above its node, a longer list upright. A column taller than MaxColumn would push
    // the tree far down for one node: its numbers are listed below the legend instead,
    // under a key in the column.
    const QFontMetricsF metrics(labelFont(ClickSize, true));
    QMap<int, Column> columns;
    for (auto it = clicks.cbegin(); it != clicks.cend(); ++it) {
        if (it.key().first != TreeModel::PayoffLevel)
            continue;
        Column column{listFor(it.key(), it.value()), false, 0};
        if (textWidth(column.text, ClickSize, true) > MaxColumn)
            column.text = keyFor(TreeModel::PayoffLevel, it.key().second, column.text);
        const double width = textWidth(column.text, ClickSize, true);
        column.level = width + 2 * Pad < columnPitch();
        column.height = 2 + (column.level ? metrics.ascent() + metrics.descent() : width) + Pad;
        columns.insert(it.key().second, column);
    }
    return columns;
}

TreePicture::TreePicture(const QString &title, const QList<LogRecord> &records, const AttemptSummary &attempt,
                         const AttemptFacts &facts, const std::optional<QString> &payoffText,
                         const QMap<QPair<int, int>, qint64> &dwellMs)
    : m_dwell(dwellMs)
{
    // The clicks of the attempt, numbered in order; a node clicked again gets each number.
    QMap<QPair<int, int>, QList<int>> clicks;
    int count = 0;
    for (qsizetype i = attempt.firstRecord; i <= attempt.lastRecord && i < records.size(); ++i)
        if (records[i].kind == LogRecord::Kind::NodeClick)
            clicks[{records[i].level, records[i].index}].append(++count);

    // Above the payoff row: the columns of numbers, and the payoff reached above the
    // columns it spans. The tree moves down to make room for them under the heading.
    const QMap<int, Column> columns = planColumns(clicks);
    const QString payoff = facts.finalPayoffNode >= 0
        ? payoffText.value_or(QStringLiteral("p(%1)").arg(facts.finalPayoffNode)) : QString();
    const QFontMetricsF payoffMetrics(labelFont(PayoffSize, true));
    double underPayoff = 0; // the tallest column under the payoff's text
    if (!payoff.isEmpty()) {
        const double centre = TreeModel::centreX(TreeModel::PayoffLevel, facts.finalPayoffNode);
        const double half = textWidth(payoff, PayoffSize, true) / 2 + Pad;
        for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
            const double x = TreeModel::centreX(TreeModel::PayoffLevel, it.key());
            if (x + columnPitch() / 2 > centre - half && x - columnPitch() / 2 < centre + half)
                underPayoff = std::max(underPayoff, it->height);
        }
    }
    double above = 0;
    for (const Column &column : columns)
        above = std::max(above, column.height);
    if (!payoff.isEmpty())
        above = std::max(above, underPayoff + 4 + payoffMetrics.ascent() + payoffMetrics.descent());
    double titleSize = TitleSize;
    const double titleWidth = textWidth(title, TitleSize, true);
    if (titleWidth > Width - 2 * OffsetX)
        titleSize = std::max(1.0, std::floor(TitleSize * (Width - 2 * OffsetX) / titleWidth));
    const QFontMetricsF titleMetrics(labelFont(titleSize, true));
    const double belowTitle = TitleBaseline + titleMetrics.descent() + 4;
    m_offsetY = std::max(MinOffsetY, std::ceil(belowTitle + above - TreeModel::nodeTop(TreeModel::PayoffLevel)));

    addLabel({OffsetX, TitleBaseline}, title, Ink, titleSize, true, 1, QStringLiteral("title"));
    addTree(attempt, facts);
    addColumns(columns);
    if (!payoff.isEmpty()) {
        const double centre = OffsetX + TreeModel::centreX(TreeModel::PayoffLevel, facts.finalPayoffNode);
        const double rowTop = m_offsetY + TreeModel::nodeTop(TreeModel::PayoffLevel);
        addLabel({centre, rowTop - underPayoff - 4 - payoffMetrics.descent()}, payoff, Ink, PayoffSize, true, 0,
                 QStringLiteral("payoff"));
    }
    const double legendTop = m_offsetY + TreeModel::nodeTop(1) + TreeModel::NodeWidth + 30;
    bool ranges = false;
    for (const QList<int> &numbers : clicks)
        ranges = ranges || clickList(numbers).contains(RangeDash);
    addNodeLists(clicks, legendTop);
    addLegend(legendTop, ranges);
}

void TreePicture::addTree(const AttemptSummary &attempt, const AttemptFacts &facts)
{
    // The path: the node reached at each level, from d1 up.
    std::array<int, 8> path = attempt.pathNode;
    path[1] = 0;

    for (int k = 1; k < TreeModel::PayoffLevel; ++k) {
        for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j) {
            const TreeModel::Segment s = TreeModel::line(k, j);
            m_drawing.lines.append({{OffsetX + s.x1, m_offsetY + s.y1}, {OffsetX + s.x2, m_offsetY + s.y2},
                              QColor(150, 150, 150), 0.5, QStringLiteral("branch")});
        }
    }
    for (int k = 1; k < TreeModel::PayoffLevel; ++k) {
        const char move = facts.move[std::size_t(k)];
        if (!move || path[k + 1] < 0)
            continue;
        const bool decision = TreeModel::isDecisionLevel(k);
        const QColor colour = decision ? DecisionMove : NatureMove;
        const TreeModel::Segment s = TreeModel::line(k, path[k + 1]);
        const QPointF from(OffsetX + s.x1, m_offsetY + s.y1), to(OffsetX + s.x2, m_offsetY + s.y2);
        m_drawing.lines.append({from, to, colour, 3, decision ? QStringLiteral("decision") : QStringLiteral("nature")});
        // The letter stands 7 points off the line's middle, on its lower, outer side
        // (right of a move Right, left of a move Left), clear of the line however steep.
        const QPointF middle = (from + to) / 2;
        const bool left = move == 'L';
        const QPointF along = to - from;
        const double length = std::hypot(along.x(), along.y());
        const QPointF normal = left ? QPointF(along.y(), -along.x()) / length : QPointF(-along.y(), along.x()) / length;
        const QPointF at = middle + 7 * normal;
        addLabel({at.x(), at.y() + 4}, QString(QLatin1Char(move)), colour, 11, true, left ? -1 : 1,
                 QStringLiteral("move"));
    }

    for (int level = 1; level <= TreeModel::PayoffLevel; ++level) {
        for (int index = 0; index < TreeModel::nodesOnLevel(level); ++index) {
            const bool onPath = path[std::size_t(level)] == index;
            const QRectF rect = nodeRect(level, index);
            m_drawing.boxes.append({rect, onPath ? kindColour(level) : paler(kindColour(level)),
                            onPath ? 1.5 : 0.5, onPath ? QStringLiteral("path-node") : QStringLiteral("node")});
            m_taken.append(rect.adjusted(-Pad, -Pad, Pad, Pad));
        }
    }
}

void TreePicture::addColumns(const QMap<int, Column> &columns)
{
    const QFontMetricsF metrics(labelFont(ClickSize, true));
    const double rowTop = m_offsetY + TreeModel::nodeTop(TreeModel::PayoffLevel);
    for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
        const double centre = OffsetX + TreeModel::centreX(TreeModel::PayoffLevel, it.key());
        const QString role = it->text.front().isLetter() ? QStringLiteral("click-key") : QStringLiteral("click");
        if (it->level) {
            addLabel({centre, rowTop - 2 - metrics.descent()}, it->text, ClickColour, ClickSize, true, 0, role);
        } else {
            const double x = centre + (metrics.ascent() - metrics.descent()) / 2;
            addLabel({x, rowTop - 2}, it->text, ClickColour, ClickSize, true, 1, role);
            m_drawing.texts.last().upright = true;
        }
        m_taken.append(Drawing::extent(m_drawing.texts.last()));
    }
}

void TreePicture::addNodeLists(const QMap<QPair<int, int>, QList<int>> &clicks, double legendTop)
{
    // Beside every other node clicked: its numbers wrapped within the room up to the
    // next node of its level, downwards no further than the level below; else a key.
    for (auto it = clicks.cbegin(); it != clicks.cend(); ++it) {
        const auto [level, index] = it.key();
        if (level == TreeModel::PayoffLevel)
            continue;
        const QString list = listFor(it.key(), it.value());
        const QRectF node = nodeRect(level, index);
        const double next = index + 1 < TreeModel::nodesOnLevel(level) ? nodeRect(level, index + 1).left()
                                                                        : Width - OffsetX / 2;
        const double bottom = level > 1 ? m_offsetY + TreeModel::nodeTop(level - 1) - 2 : legendTop - 14;
        const double rightRoom = next - 1.5 - (node.right() + 1.5);
        if (placeBeside(node, list, rightRoom, bottom))
            continue;
        addLabel({node.right() + 1.5, node.bottom() - 1}, keyFor(level, index, list), ClickColour, ClickSize, true, 1,
                 QStringLiteral("click-key"));
        m_taken.append(Drawing::extent(m_drawing.texts.last()));
    }
}

bool TreePicture::placeBeside(const QRectF &node, const QString &list, double room, double bottom)
{
    const QStringList lines = wrapped(list, room, ClickSize, true);
    if (lines.isEmpty())
        return false;
    QList<Label> placed;
    const double step = lineStep(ClickSize);
    double y = node.bottom() - 1;
    for (const QString &line : lines) {
        placed.append({{node.right() + 1.5, y}, line, ClickColour, ClickSize, true, 1, QStringLiteral("click")});
        const QRectF room = Drawing::extent(placed.last());
        if (room.bottom() > bottom || !isFree(room))
            return false;
        y += step;
    }
    for (const Label &label : placed) {
        m_drawing.texts.append(label);
        m_taken.append(Drawing::extent(label));
    }
    return true;
}

bool TreePicture::isFree(const QRectF &rect) const
{
    for (const QRectF &taken : m_taken) {
        if (taken.intersects(rect))
            return false;
    }
    return true;
}

void TreePicture::addLegend(double top, bool ranges)
{
    addMovesLegend(top);
    double last = top + LegendStep;
    addNodesLegend(last);
    if (ranges || !m_keyed.isEmpty()) {
        last += LegendStep;
        double x = OffsetX;
        if (ranges)
            x = addLegendKey(x, last, QStringLiteral("28") + RangeDash + QStringLiteral("40"),
                             QStringLiteral("the clicks 28 to 40, all on that node"), 300);
        if (!m_keyed.isEmpty())
            addLegendKey(x, last, QStringLiteral("a, b ..."), QStringLiteral("the node's clicks are listed below"), 0);
    }
    if (!m_dwell.isEmpty()) {
        last += LegendStep;
        addLegendKey(OffsetX, last, QStringLiteral("(3.5 s)"),
                     QStringLiteral("how long the node was shown, all its clicks together (? where the record does not "
                                    "tell)"),
                     0);
    }
    last = addKeyedLists(last);
    m_height = std::max(MinHeight, std::ceil(last + 14));
    m_drawing.width = Width;
    m_drawing.height = m_height;
}

void TreePicture::addMovesLegend(double y)
{
    double x = OffsetX;
    for (const auto &[colour, text] : {std::pair{DecisionMove, QStringLiteral("L / R  the subject's decision")},
                                       std::pair{NatureMove, QStringLiteral("L / R  Nature's draw")}}) {
        m_drawing.lines.append({{x, y - 4}, {x + 24, y - 4}, colour, 3, QStringLiteral("legend")});
        addLabel({x + 30, y}, text, Ink, LegendSize, false, 1, QStringLiteral("legend"));
        x = std::max(x + 200, x + 30 + textWidth(text, LegendSize, false) + 2 * LegendGap);
    }
    addLegendKey(x, y, QStringLiteral("1, 2, 3 ..."), QStringLiteral("nodes clicked (inspected), in order"), 0);
}

void TreePicture::addNodesLegend(double y)
{
    double x = OffsetX;
    for (const auto &[colour, text] : {std::pair{DecisionColour, QStringLiteral("decision node")},
                                       std::pair{ChanceColour, QStringLiteral("chance node (Nature)")},
                                       std::pair{PayoffColour, QStringLiteral("payoff node")}}) {
        m_drawing.boxes.append({QRectF(x, y - 9, 9.75, 9.75), colour, 1.5, QStringLiteral("legend")});
        addLabel({x + 16, y}, text, Ink, LegendSize, false, 1, QStringLiteral("legend"));
        x = std::max(x + 150, x + 16 + textWidth(text, LegendSize, false) + 2 * LegendGap);
    }
    addLabel({x, y}, QStringLiteral("outlined nodes: the path taken; pale nodes: not reached"), Ink, LegendSize, false,
             1, QStringLiteral("legend"));
}

double TreePicture::addLegendKey(double x, double y, const QString &key, const QString &text, double minimum)
{
    addLabel({x, y}, key, ClickColour, LegendSize, true, 1, QStringLiteral("legend"));
    const double after = x + textWidth(key, LegendSize, true) + LegendGap;
    addLabel({after, y}, text, Ink, LegendSize, false, 1, QStringLiteral("legend"));
    return std::max(x + minimum, after + textWidth(text, LegendSize, false) + 2 * LegendGap);
}

double TreePicture::addKeyedLists(double last)
{
    // Wrapped to the picture's width.
    const double width = Width - 2 * OffsetX - 12;
    for (const QString &list : std::as_const(m_keyed)) {
        const QStringList lines = wrapped(list, width, ListSize, false);
        for (qsizetype k = 0; k < lines.size(); ++k) {
            last += lineStep(ListSize) + (k == 0 ? 4 : 0);
            addLabel({OffsetX + (k == 0 ? 0 : 12), last}, lines[k], ClickColour, ListSize, true, 1,
                     QStringLiteral("click-list"));
        }
    }
    return last;
}

void TreePicture::addLabel(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                           const QString &role)
{
    m_drawing.texts.append({at, text, colour, size, bold, align, role});
    if (role == QLatin1String("title") || role == QLatin1String("move") || role == QLatin1String("payoff"))
        m_taken.append(Drawing::extent(m_drawing.texts.last()));
}
