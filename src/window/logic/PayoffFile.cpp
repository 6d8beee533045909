#include "window/logic/PayoffFile.h"

#include "window/logic/PayoffReader.h"
#include "record/InputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString setList(const QList<qint16> &sets)
{
    QStringList names;
    for (const qint16 set : sets) {
        const QString name = QString::number(set);
        if (!names.contains(name))
            names.append(name);
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

QString PayoffFile::displayText(int payoff)
{
    // One pattern each, so that a translation writes the amount in its own currency and
    // order ("12 €", "¥12"); %1 is the amount's digits, without a sign.
    if (payoff < 0)
        //: %1 is the amount lost, in digits.
        return QCoreApplication::translate("PayoffFile", "-£%1", "loss").arg(-payoff);
    if (payoff == 0)
        //: %1 is 0.
        return QCoreApplication::translate("PayoffFile", "£%1", "zero").arg(0);
    //: %1 is the amount won, in digits.
    return QCoreApplication::translate("PayoffFile", "£%1", "gain").arg(payoff);
}

namespace {

bool openPayoffFile(QFile &file, const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.dir().exists()) {
        *error = QStringLiteral("The data folder %1 does not exist.").arg(native(info.absolutePath()));
        return false;
    }
    if (!info.exists() && !info.isSymLink()) {
        *error = QStringLiteral("The input data file %1 does not exist.").arg(native(path));
        return false;
    }
    // Only a regular file: a FIFO or a device would hang the read, or never end.
    QString why;
    if (!InputFile::open(file, path, &why)) {
        *error = QStringLiteral("The input data file %1.").arg(why);
        return false;
    }
    return true;
}

} // namespace

PayoffFile::SetResult PayoffFile::readSet(const QString &path, qint16 paramSetNo)
{
    SetResult result;
    QFile file;
    if (!openPayoffFile(file, path, &result.error))
        return result;

    PayoffReader reader(file);
    std::array<qint16, RecordSize> buffer{};
    qint64 recordLine = 0;
    while (buffer[0] != paramSetNo) {
        for (int position = 0; position < RecordSize; ++position) {
            const PayoffReader::Item item = reader.next();
            if (position == 0)
                recordLine = item.line;
            // Spelt out only for an error: built for every number, it cost more than
            // the reading itself.
            const auto where = [&] {
                return QStringLiteral("%1, line %2, column %3")
                    .arg(native(path)).arg(item.line).arg(item.column);
            };
            switch (item.status) {
            case PayoffReader::Status::Number:
                buffer[position] = item.value;
                break;
            case PayoffReader::Status::NotWhole:
                result.error = QStringLiteral("%1: \"%2\" is not a whole number.")
                                   .arg(where(), QString::fromLatin1(item.text));
                return result;
            case PayoffReader::Status::OutOfRange:
                result.error = QStringLiteral("%1: %2 lies outside the range -32767 to 32767.")
                                   .arg(where(), QString::fromLatin1(item.text));
                return result;
            case PayoffReader::Status::End:
                if (position == 0) {
                    result.error = result.setsBefore.isEmpty()
                        ? QStringLiteral("The input data file %1 holds no records, so parameter "
                                         "set %2 is not in it.")
                              .arg(native(path)).arg(paramSetNo)
                        : QStringLiteral("Parameter set %1 is not in the input data file %2. "
                                         "It holds the sets %3.")
                              .arg(paramSetNo).arg(native(path), setList(result.setsBefore));
                } else {
                    result.error = QStringLiteral("The input data file %1 ends in the middle of a "
                                                  "record: the record of set %2 that begins on "
                                                  "line %3 has %4 of its 65 numbers.")
                                       .arg(native(path)).arg(buffer[0]).arg(recordLine)
                                       .arg(position);
                }
                return result;
            }
        }
        if (buffer[0] != paramSetNo)
            result.setsBefore.append(buffer[0]);
    }
    std::copy(buffer.begin() + 1, buffer.end(), result.payoffs.begin());
    result.ok = true;
    return result;
}

PayoffFile::Scan PayoffFile::scan(const QString &path)
{
    Scan result;
    QFile file;
    if (!openPayoffFile(file, path, &result.error))
        return result;
    result.ok = true;

    PayoffReader reader(file);
    for (;;) {
        ScannedRecord record;
        QList<BadNumber> bad;
        int position = 0;
        for (; position < RecordSize; ++position) {
            const PayoffReader::Item item = reader.next();
            if (item.status == PayoffReader::Status::End)
                break;
            if (position == 0) {
                record.line = item.line;
                record.column = item.column;
            }
            record.endLine = item.line;
            record.endColumn = item.column;
            const qint16 value = item.status == PayoffReader::Status::Number ? item.value : 0;
            if (item.status != PayoffReader::Status::Number) {
                bad.append({item.status, item.text, item.line, item.column,
                            int(result.records.size()) + 1, position + 1});
                ++record.badNumbers;
            }
            if (position == 0) {
                record.set = value;
                record.setKnown = item.status == PayoffReader::Status::Number;
            }
            else
                record.payoffs[position - 1] = value;
        }
        result.badNumbers += bad;
        if (position == 0)
            break;
        if (position < RecordSize) {
            result.incomplete = true;
            result.last = {record.set, record.line, record.column, position};
            break;
        }
        for (qsizetype k = 0; k < result.records.size(); ++k) {
            if (record.setKnown && result.records[k].setKnown
                && result.records[k].set == record.set) {
                record.firstOfSet = int(k);
                break;
            }
        }
        result.records.append(record);
    }
    return result;
}
