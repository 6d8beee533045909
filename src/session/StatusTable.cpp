#include "session/StatusTable.h"

#include "session/StateTexts.h"
#include "session/StatusColumn.h"

#include <algorithm>

namespace {

// The heading line, then a line of each state: one text per column.
QList<QStringList> cells(const QList<WorkstationState> &states)
{
    QList<QStringList> lines(1);
    for (const StatusColumn &column : StatusColumn::all())
        lines[0].append(QString::fromLatin1(column.heading));
    for (const WorkstationState &state : states) {
        QStringList &line = lines.emplace_back();
        for (const StatusColumn &column : StatusColumn::all())
            line.append(column.text(state));
    }
    return lines;
}

// Each column as wide as its widest text, two blanks between columns, no blank at the end.
QString aligned(const QList<QStringList> &lines)
{
    QList<qsizetype> widths(StatusColumn::ColumnCount, 0);
    for (const QStringList &line : lines)
        for (qsizetype k = 0; k < line.size(); ++k)
            widths[k] = std::max(widths[k], line[k].size());
    QString text;
    for (const QStringList &line : lines) {
        QString out;
        for (qsizetype k = 0; k < line.size(); ++k) {
            if (k > 0)
                out += QStringLiteral("  ");
            out += StatusColumn::all()[k].number ? line[k].rightJustified(widths[k]) : line[k].leftJustified(widths[k]);
        }
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        text += out + QLatin1Char('\n');
    }
    return text;
}

} // namespace

QStringList StatusTable::notes(const WorkstationState &state)
{
    QStringList lines;
    if (state.leftoverGoAhead)
        lines.append(StateTexts::leftover(state.goAhead.value) + QStringLiteral("; run \"treelab prepare\" first"));
    for (const Finding &note : state.notes)
        lines.append(note.message);
    return lines;
}

QString StatusTable::render(const QList<WorkstationState> &states)
{
    QString text = aligned(cells(states));
    for (const WorkstationState &state : states)
        for (const QString &note : notes(state))
            text += QStringLiteral("%1: %2\n").arg(state.folder, note);
    return text;
}
