#include "PayoffFileCheck.h"

#include "ReferenceNumbers.h"

#include "window/logic/PayoffFile.h"

#include <QFile>

#include <array>

namespace {

struct Expected
{
    bool ok = false;
    std::array<int, PayoffFile::PayoffCount> payoffs{};
    QList<qint16> setsBefore;
};

// The record search: records of 65 numbers, the first with the wanted set number wins;
// set 0 is "found" before anything is read.
Expected search(const QByteArray &data, qint16 paramSetNo)
{
    Expected e;
    const QList<ReferenceNumbers::Token> tokens = ReferenceNumbers::read(data);
    std::array<int, PayoffFile::RecordSize> record{};
    qsizetype next = 0;
    while (record[0] != paramSetNo) {
        for (int position = 0; position < PayoffFile::RecordSize; ++position) {
            if (next >= tokens.size() || tokens[next].kind != ReferenceNumbers::Kind::Number)
                return e;
            record[position] = tokens[next++].value;
        }
        if (record[0] != paramSetNo)
            e.setsBefore.append(qint16(record[0]));
    }
    std::copy(record.begin() + 1, record.end(), e.payoffs.begin());
    e.ok = true;
    return e;
}

} // namespace

QString PayoffFileCheck::run(const QByteArray &data, qint16 paramSetNo, const QString &path)
{
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
            return QStringLiteral("cannot prepare %1").arg(path);
    }
    const PayoffFile::SetResult got = PayoffFile::readSet(path, paramSetNo);
    const Expected want = search(data, paramSetNo);
    const QString which = QStringLiteral("set %1: ").arg(paramSetNo);
    if (got.ok != want.ok)
        return which + (want.ok ? QStringLiteral("refused (%1) although the file holds it").arg(got.error)
                                : QStringLiteral("accepted although the file does not hold it whole"));
    if (!got.ok) {
        if (got.error.isEmpty())
            return which + QStringLiteral("refused without a word for the experimenter");
        return {};
    }
    if (!got.error.isEmpty())
        return which + QStringLiteral("accepted with an error text: %1").arg(got.error);
    for (int k = 0; k < PayoffFile::PayoffCount; ++k) {
        if (got.payoffs[k] != want.payoffs[k])
            return which + QStringLiteral("payoff of p(%1) is %2, expected %3")
                               .arg(k).arg(got.payoffs[k]).arg(want.payoffs[k]);
    }
    if (got.setsBefore != want.setsBefore)
        return which + QStringLiteral("passed over %1 records, expected %2")
                           .arg(got.setsBefore.size()).arg(want.setsBefore.size());
    return {};
}

QString PayoffFileCheck::runAll(const QByteArray &data, const QString &path)
{
    QList<qint16> sets{1, 0, -32768};
    const QList<ReferenceNumbers::Token> tokens = ReferenceNumbers::read(data);
    const qsizetype last = (tokens.size() / PayoffFile::RecordSize - 1) * PayoffFile::RecordSize;
    if (last >= 0 && tokens[last].kind == ReferenceNumbers::Kind::Number)
        sets.append(qint16(tokens[last].value));
    for (const qint16 set : sets) {
        const QString problem = run(data, set, path);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}
