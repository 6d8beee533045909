#include "session/LookaheadPicture.h"

#include "session/LabLog.h"
#include "session/LogWalk.h"
#include "session/SearchMeasures.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Margin = 16;
constexpr double PlotLeft = 72;  // the first panel's axis, room for the axis' name and numbers
constexpr double PanelGap = 44;  // room for the next panel's numbers
constexpr double PlotTop = 62;
constexpr double PlotHeight = 220;
constexpr double TitleSize = 12;
constexpr double PanelTitleSize = 10;
constexpr double TickSize = 8;
constexpr double AxisSize = 9;
constexpr double LegendSize = 9;
constexpr double MarkerSize = 3.2; // half the marker's width

const QColor Ink(0, 0, 0);
const QColor Grid(215, 215, 215);
// Subjects are told apart by colour on the screen, and by six markers and two dashes in
// black and white.
constexpr int Markers = 6;
const QColor Palette[] = {QColor(0x00, 0x72, 0xb2), QColor(0xd5, 0x5e, 0x00), QColor(0x00, 0x9e, 0x73),
                          QColor(0xcc, 0x79, 0xa7), QColor(0xe6, 0x9f, 0x00), QColor(0x56, 0xb4, 0xe9),
                          QColor(0x00, 0x00, 0x00)};
constexpr int LevelsAhead[] = {6, 4, 2};

QColor colourOf(int subject)
{
    return Palette[subject % int(std::size(Palette))];
}

bool dashedOf(int subject)
{
    return (subject + subject / Markers) % 2 == 1;
}

double plotWidth()
{
    return (LookaheadPicture::Width - Margin - PlotLeft - 2 * PanelGap) / 3;
}

} // namespace

LookaheadPicture::Subject LookaheadPicture::of(const LabLog &log, const LogWalk &walk)
{
    const QStringList header = SearchMeasures::definition().header();
    std::array<qsizetype, 3> column{};
    for (int d = 1; d <= 3; ++d)
        column[std::size_t(d - 1)] = header.indexOf(QStringLiteral("normalised_ahead_d%1").arg(d));
    Subject subject{QStringLiteral("subject %1").arg(log.subject()), {}};
    for (const QStringList &row : SearchMeasures::rows(log, walk)) {
        std::array<std::optional<double>, 3> depth;
        for (std::size_t d = 0; d < 3; ++d) {
            bool ok = false;
            const double value = row.value(column[d]).toDouble(&ok);
            if (ok)
                depth[d] = value;
        }
        subject.depth.append(depth);
    }
    return subject;
}

LookaheadPicture::LookaheadPicture(const QString &title, const QList<Subject> &subjects)
{
    m_drawing.width = Width;
    addText({Margin, 20}, QStringLiteral("Look-ahead depth by attempt: %1").arg(title), Ink, TitleSize, true, 1,
            QStringLiteral("title"));
    int attempts = 1;
    for (const Subject &subject : subjects)
        attempts = std::max(attempts, int(subject.depth.size()));
    for (int level = 1; level <= 3; ++level)
        addPanel(level, PlotLeft + (level - 1) * (plotWidth() + PanelGap), PlotTop, attempts, subjects);
    // The axis' name, upright beside the first panel's numbers.
    const QString name = QStringLiteral("deepest look-ahead / levels ahead");
    const QFontMetricsF metrics(Drawing::font(AxisSize, false));
    addText({Margin + metrics.ascent(), PlotTop + PlotHeight / 2 + Drawing::textWidth(name, AxisSize, false) / 2}, name,
            Ink, AxisSize, false, 1, QStringLiteral("axis"), true);
    double last = addLegend(PlotTop + PlotHeight + 40, subjects);
    const QString caption = QStringLiteral(
        "Each point: normalised_ahead_d1, d2 or d3 of treelab export --measures, the deepest levels_ahead the subject "
        "looked at while standing on that decision level, divided by the levels that lie ahead of it (6, 4 and 2): 1 "
        "is a look at the payoffs. A gap: no inspection while standing there. The subjects' points are set a little "
        "apart sideways so that equal values stay visible.");
    last += 6;
    for (const QString &line : Drawing::wrapped(caption, Width - 2 * Margin, LegendSize, false)) {
        last += Drawing::lineStep(LegendSize);
        addText({Margin, last}, line, Ink, LegendSize, false, 1, QStringLiteral("caption"));
    }
    m_drawing.height = std::ceil(last + 14);
}

void LookaheadPicture::addPanel(int level, double left, double top, int attempts, const QList<Subject> &subjects)
{
    const double width = plotWidth();
    const double bottom = top + PlotHeight;
    addText({left + width / 2, top - 10}, QStringLiteral("standing on d%1 (%2 levels ahead)").arg(level).arg(LevelsAhead[level - 1]),
            Ink, PanelTitleSize, true, 0, QStringLiteral("panel"));
    const QFontMetricsF tick(Drawing::font(TickSize, false));
    for (int k = 0; k <= 4; ++k) {
        const double y = bottom - PlotHeight * k / 4;
        m_drawing.lines.append({{left, y}, {left + width, y}, k == 0 ? Ink : Grid, k == 0 ? 0.8 : 0.5,
                                QStringLiteral("grid")});
        addText({left - 4, y + (tick.ascent() - tick.descent()) / 2}, QString::number(k / 4.0), Ink, TickSize, false,
                -1, QStringLiteral("tick"));
    }
    m_drawing.lines.append({{left, top}, {left, bottom}, Ink, 0.8, QStringLiteral("axis")});
    const double pitch = width / attempts;
    const int every = std::max(1, int(std::ceil(Drawing::textWidth(QString::number(attempts), TickSize, false) * 2 / pitch)));
    for (int a = 1; a <= attempts; ++a) {
        const double x = left + pitch * (a - 0.5);
        m_drawing.lines.append({{x, bottom}, {x, bottom + 3}, Ink, 0.8, QStringLiteral("axis")});
        if ((a - 1) % every == 0)
            addText({x, bottom + 4 + tick.ascent()}, QString::number(a), Ink, TickSize, false, 0,
                    QStringLiteral("tick"));
    }
    addText({left + width / 2, bottom + 28}, QStringLiteral("attempt"), Ink, AxisSize, false, 0, QStringLiteral("axis"));

    const int n = int(subjects.size());
    const double apart = std::min(3.0, pitch * 0.5 / std::max(1, n));
    for (int s = 0; s < n; ++s) {
        const double shift = (s - (n - 1) / 2.0) * apart;
        std::optional<QPointF> before;
        for (int a = 1; a <= int(subjects[s].depth.size()); ++a) {
            const std::optional<double> value = subjects[s].depth[a - 1][std::size_t(level - 1)];
            if (!value) {
                before.reset();
                continue;
            }
            const QPointF at(left + pitch * (a - 0.5) + shift, bottom - PlotHeight * std::clamp(*value, 0.0, 1.0));
            if (before)
                m_drawing.lines.append({*before, at, colourOf(s), 1.4, QStringLiteral("subject"), dashedOf(s)});
            before = at;
            addMarker(s, at, QStringLiteral("%1, attempt %2, d%3: %4")
                                 .arg(subjects[s].name)
                                 .arg(a)
                                 .arg(level)
                                 .arg(*value, 0, 'f', 3));
        }
    }
}

void LookaheadPicture::addMarker(int subject, QPointF at, const QString &tip)
{
    const QColor colour = colourOf(subject);
    const double r = MarkerSize;
    const QRectF square(at.x() - r, at.y() - r, 2 * r, 2 * r);
    auto line = [&](QPointF a, QPointF b) {
        m_drawing.lines.append({at + a, at + b, colour, 1.2, QStringLiteral("marker")});
    };
    switch (subject % Markers) {
    case 0: m_drawing.boxes.append({square, colour, 0, QStringLiteral("marker"), QString()}); break;
    case 1: m_drawing.boxes.append({square, QColor(255, 255, 255), 1.2, QStringLiteral("marker"), QString(), colour}); break;
    case 2:
        line({-r, r}, {r, r});
        line({r, r}, {0, -r});
        line({0, -r}, {-r, r});
        break;
    case 3:
        line({0, -r}, {r, 0});
        line({r, 0}, {0, r});
        line({0, r}, {-r, 0});
        line({-r, 0}, {0, -r});
        break;
    case 4:
        line({-r, -r}, {r, r});
        line({-r, r}, {r, -r});
        break;
    default:
        line({-r, 0}, {r, 0});
        line({0, -r}, {0, r});
        break;
    }
    // What the point tells, to the test and to a browser's pointer.
    if (!tip.isEmpty())
        m_drawing.boxes.append({square, QColor(0, 0, 0, 0), 0, QStringLiteral("point"), tip});
}

double LookaheadPicture::addLegend(double top, const QList<Subject> &subjects)
{
    // The subjects in rows, each a piece of its line with its marker and its name.
    const double step = Drawing::lineStep(LegendSize) + 4;
    double x = Margin, y = top + 10;
    for (int s = 0; s < int(subjects.size()); ++s) {
        const double wide = 34 + Drawing::textWidth(subjects[s].name, LegendSize, false) + 18;
        if (x > Margin && x + wide > Width - Margin) {
            x = Margin;
            y += step;
        }
        const double mid = y - 3;
        m_drawing.lines.append({{x, mid}, {x + 28, mid}, colourOf(s), 1.4, QStringLiteral("legend"), dashedOf(s)});
        addMarker(s, {x + 14, mid}, QString());
        addText({x + 34, y}, subjects[s].name, Ink, LegendSize, false, 1, QStringLiteral("legend"));
        x += wide;
    }
    return y;
}

void LookaheadPicture::addText(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                               const QString &role, bool upright)
{
    m_drawing.texts.append({at, text, colour, size, bold, align, role, upright});
}
