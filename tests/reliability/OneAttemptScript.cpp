#include "OneAttemptScript.h"

namespace {

const QString NoteD1 = OneAttemptScript::longNote(
    QStringLiteral("Right looks better: the worst loss on the left is ") + QChar(0x00A3)
        + QStringLiteral("15."),
    1200);
const QString NoteC1 = QStringLiteral("Nature moves here.\nLeft and right are equally likely.\nNothing to decide.");
const QString NoteD2 = OneAttemptScript::longNote(QStringLiteral("Left, to keep the 25 in reach."), 3000);
const QString NoteC3 = OneAttemptScript::longNote(QStringLiteral("Last chance node."), 1500);

// The note as the log holds it: Windows-1252, line breaks as CR LF.
QByteArray logged(const QString &note)
{
    QByteArray bytes = note.toLatin1(); // ASCII and the pound sign: the same bytes
    bytes.replace("\n", "\r\n");
    return bytes;
}

} // namespace

QString OneAttemptScript::longNote(const QString &opening, int length)
{
    QString note = opening;
    for (int k = 1; note.size() < length; ++k)
        note += QStringLiteral(" thought %1,").arg(k);
    return note.left(length);
}

QList<OneAttemptScript::Step> OneAttemptScript::steps()
{
    return {
        {QStringLiteral("attempts=1"), {}},
        {QStringLiteral("confirm"), {}},
        {QStringLiteral("go"), {}},
        {QStringLiteral("start"), {" Start"}},
        {QStringLiteral("node=1.0"), {" d1                  0"}},
        {QStringLiteral("type=") + NoteD1, {}},
        {QStringLiteral("right"), {" ConfirmDecision     R 1 0"}},
        {QStringLiteral("node=2.1"), {" c1                  1", " NotepadContents     1 0 " + logged(NoteD1)}},
        {QStringLiteral("type=") + NoteC1, {}},
        {QStringLiteral("nature=L"), {" NatureMove          L 2 1"}},
        {QStringLiteral("node=3.2"), {" d2                  2", " NotepadContents     2 1 " + logged(NoteC1)}},
        {QStringLiteral("type=") + NoteD2, {}},
        {QStringLiteral("left"), {" ConfirmDecision     L 3 2"}},
        {QStringLiteral("node=4.4"), {" c2                  4", " NotepadContents     3 2 " + logged(NoteD2)}},
        {QStringLiteral("nature=R"), {" NatureMove          R 4 4"}},
        {QStringLiteral("node=5.9"), {" d3                  9", " NotepadContents     4 4 "}},
        {QStringLiteral("right"), {" ConfirmDecision     R 5 9"}},
        {QStringLiteral("node=6.19"), {" c3                  19", " NotepadContents     5 9 "}},
        {QStringLiteral("type=") + NoteC3, {}},
        {QStringLiteral("nature=L"), {" NatureMove          L 6 19", " FinalPayoffNode     38"}},
        {QStringLiteral("node=7.38"), {" p                   38", " NotepadContents     6 19 " + logged(NoteC3)}},
        {QStringLiteral("continue"), {" Continue            "}},
    };
}

QStringList OneAttemptScript::actions()
{
    QStringList list;
    for (const Step &s : steps())
        list.append(s.action);
    return list;
}

QByteArray OneAttemptScript::header()
{
    // Subject, set, the short date of 4 March 2009, the clock at its second reading.
    return "99  1  3/4/09  513.5\r\n";
}

QList<QByteArray> OneAttemptScript::recordLines()
{
    QList<QByteArray> lines;
    for (const Step &s : steps()) {
        for (const QByteArray &record : s.records)
            lines.append(QByteArray::number(lines.size() + 2) + record + "\r\n");
    }
    return lines;
}

QByteArray OneAttemptScript::logOf(int count)
{
    QByteArray log = header();
    const QList<QByteArray> lines = recordLines();
    for (int r = 0; r < count && r < lines.size(); ++r)
        log += lines[r];
    return log;
}

int OneAttemptScript::recordsAfterStep(int n)
{
    int count = 0;
    const QList<Step> all = steps();
    for (int k = 0; k < n && k < all.size(); ++k)
        count += int(all[k].records.size());
    return count;
}

int OneAttemptScript::stepOf(const QString &action)
{
    const QStringList list = actions();
    const qsizetype at = list.indexOf(action);
    return at < 0 ? -1 : int(at) + 1;
}

int OneAttemptScript::recordNumberOf(const QByteArray &tagAndFields)
{
    int r = 0;
    for (const Step &s : steps()) {
        for (const QByteArray &record : s.records) {
            ++r;
            if (record.startsWith(tagAndFields))
                return r;
        }
    }
    return -1;
}
