#include "session/TreePicture.h"

#include "tree/TreeModel.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMap>
#include <QPainter>

#include <cmath>

namespace {

// The tree's own coordinates moved down to leave room for the heading and the marks
// above the payoff row, and right for a margin.
constexpr double OffsetX = 16;
constexpr double OffsetY = 62;

const QColor DecisionColour(0, 192, 0);
const QColor ChanceColour(255, 0, 0);
const QColor PayoffColour(255, 255, 0);
const QColor DecisionMove(20, 70, 200);
const QColor NatureMove(230, 120, 0);
const QColor ClickColour(90, 20, 120);
const QColor Ink(0, 0, 0);

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

QRectF nodeRect(int level, int index)
{
    return QRectF(OffsetX + TreeModel::nodeLeft(level, index), OffsetY + TreeModel::nodeTop(level),
                  TreeModel::NodeWidth, TreeModel::NodeWidth);
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

TreePicture::TreePicture(const QString &title, const QList<LogRecord> &records, const AttemptSummary &attempt,
                         const AttemptFacts &facts, const std::optional<QString> &payoffText)
{
    addLabel({OffsetX, 20}, title, Ink, 12, true, 1, QStringLiteral("title"));

    // The path: the node reached at each level, from d1 up.
    std::array<int, 8> path = attempt.pathNode;
    path[1] = 0;

    for (int k = 1; k < TreeModel::PayoffLevel; ++k) {
        for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j) {
            const TreeModel::Segment s = TreeModel::line(k, j);
            m_strokes.append({{OffsetX + s.x1, OffsetY + s.y1}, {OffsetX + s.x2, OffsetY + s.y2},
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
        const QPointF from(OffsetX + s.x1, OffsetY + s.y1), to(OffsetX + s.x2, OffsetY + s.y2);
        m_strokes.append({from, to, colour, 3, decision ? QStringLiteral("decision") : QStringLiteral("nature")});
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
            m_boxes.append({nodeRect(level, index), onPath ? kindColour(level) : paler(kindColour(level)),
                            onPath ? 1.5 : 0.5, onPath ? QStringLiteral("path-node") : QStringLiteral("node")});
        }
    }

    // The clicks of the attempt, numbered in order; a node clicked again gets each number.
    QMap<QPair<int, int>, QStringList> clicks;
    int count = 0;
    for (qsizetype i = attempt.firstRecord; i <= attempt.lastRecord && i < records.size(); ++i)
        if (records[i].kind == LogRecord::Kind::NodeClick)
            clicks[{records[i].level, records[i].index}].append(QString::number(++count));
    for (auto it = clicks.cbegin(); it != clicks.cend(); ++it) {
        const QRectF rect = nodeRect(it.key().first, it.key().second);
        if (it.key().first == TreeModel::PayoffLevel) {
            // Nothing leaves a payoff node upwards: the numbers stand above it, one a line.
            double y = rect.top() - 2;
            for (const QString &n : it.value()) {
                addLabel({rect.center().x(), y}, n, ClickColour, 7, true, 0, QStringLiteral("click"));
                y -= 8;
            }
        } else {
            addLabel({rect.right() + 1.5, rect.bottom() - 1}, it.value().join(QLatin1Char(',')), ClickColour, 7,
                     true, 1, QStringLiteral("click"));
        }
    }

    if (facts.finalPayoffNode >= 0) {
        const QRectF rect = nodeRect(TreeModel::PayoffLevel, facts.finalPayoffNode);
        const int above = int(clicks.value({TreeModel::PayoffLevel, facts.finalPayoffNode}).size());
        addLabel({rect.center().x(), rect.top() - 4 - 8 * above},
                 payoffText.value_or(QStringLiteral("p(%1)").arg(facts.finalPayoffNode)), Ink, 11, true, 0,
                 QStringLiteral("payoff"));
    }

    // The legend, below the tree.
    const double y = OffsetY + TreeModel::nodeTop(1) + TreeModel::NodeWidth + 30;
    double x = OffsetX;
    auto swatchLine = [&](const QColor &colour, const QString &text) {
        m_strokes.append({{x, y - 4}, {x + 24, y - 4}, colour, 3, QStringLiteral("legend")});
        addLabel({x + 30, y}, text, Ink, 9, false, 1, QStringLiteral("legend"));
        x += 200;
    };
    swatchLine(DecisionMove, QStringLiteral("L / R  the subject's decision"));
    swatchLine(NatureMove, QStringLiteral("L / R  Nature's draw"));
    addLabel({x, y}, QStringLiteral("1, 2, 3 ..."), ClickColour, 9, true, 1, QStringLiteral("legend"));
    addLabel({x + 52, y}, QStringLiteral("nodes clicked (inspected), in order"), Ink, 9, false, 1,
             QStringLiteral("legend"));
    const double y2 = y + 18;
    x = OffsetX;
    for (const auto &[colour, text] : {std::pair{DecisionColour, QStringLiteral("decision node")},
                                       std::pair{ChanceColour, QStringLiteral("chance node (Nature)")},
                                       std::pair{PayoffColour, QStringLiteral("payoff node")}}) {
        m_boxes.append({QRectF(x, y2 - 9, 9.75, 9.75), colour, 1.5, QStringLiteral("legend")});
        addLabel({x + 16, y2}, text, Ink, 9, false, 1, QStringLiteral("legend"));
        x += 150;
    }
    addLabel({x, y2}, QStringLiteral("outlined nodes: the path taken; pale nodes: not reached"), Ink, 9, false, 1,
             QStringLiteral("legend"));
}

void TreePicture::addLabel(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                           const QString &role)
{
    m_labels.append({at, text, colour, size, bold, align, role});
}

QString TreePicture::svg() const
{
    QString out;
    out += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1pt\" height=\"%2pt\" "
                          "viewBox=\"0 0 %1 %2\">\n"
                          "<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n")
               .arg(Width)
               .arg(Height);
    for (const Stroke &s : m_strokes)
        out += QStringLiteral("<line class=\"%1\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\" stroke=\"%6\" "
                              "stroke-width=\"%7\" stroke-linecap=\"round\"/>\n")
                   .arg(s.role, number(s.from.x()), number(s.from.y()), number(s.to.x()), number(s.to.y()),
                        s.colour.name(), number(s.width));
    for (const Box &b : m_boxes)
        out += QStringLiteral("<rect class=\"%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" fill=\"%6\" "
                              "stroke=\"#000000\" stroke-width=\"%7\"/>\n")
                   .arg(b.role, number(b.rect.x()), number(b.rect.y()), number(b.rect.width()),
                        number(b.rect.height()), b.fill.name(), number(b.outline));
    for (const Label &l : m_labels) {
        const QString anchor = l.align < 0 ? QStringLiteral("end")
                               : l.align == 0 ? QStringLiteral("middle")
                                              : QStringLiteral("start");
        out += QStringLiteral("<text class=\"%1\" x=\"%2\" y=\"%3\" font-family=\"sans-serif\" font-size=\"%4\" "
                              "font-weight=\"%5\" text-anchor=\"%6\" fill=\"%7\">%8</text>\n")
                   .arg(l.role, number(l.at.x()), number(l.at.y()), number(l.size),
                        l.bold ? QStringLiteral("bold") : QStringLiteral("normal"), anchor, l.colour.name(),
                        escaped(l.text));
    }
    out += QStringLiteral("</svg>\n");
    return out;
}

void TreePicture::paint(QPainter &painter, double scale) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.fillRect(QRectF(0, 0, Width, Height), Qt::white);
    for (const Stroke &s : m_strokes) {
        painter.setPen(QPen(s.colour, s.width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(s.from, s.to);
    }
    for (const Box &b : m_boxes) {
        painter.setPen(QPen(Ink, b.outline));
        painter.setBrush(b.fill);
        painter.drawRect(b.rect);
    }
    for (const Label &l : m_labels) {
        QFont font(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(qMax(1, qRound(l.size))); // in points: the painter is scaled
        font.setBold(l.bold);
        painter.setFont(font);
        painter.setPen(l.colour);
        const double width = QFontMetricsF(font).horizontalAdvance(l.text);
        const double x = l.align < 0 ? l.at.x() - width : l.align == 0 ? l.at.x() - width / 2 : l.at.x();
        painter.drawText(QPointF(x, l.at.y()), l.text);
    }
    painter.restore();
}
