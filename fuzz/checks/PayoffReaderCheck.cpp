#include "PayoffReaderCheck.h"

#include "ReferenceNumbers.h"
#include "TrickleDevice.h"

#include "window/logic/PayoffReader.h"

#include <QBuffer>

namespace {

PayoffReader::Status expectedStatus(ReferenceNumbers::Kind kind)
{
    switch (kind) {
    case ReferenceNumbers::Kind::Number: return PayoffReader::Status::Number;
    case ReferenceNumbers::Kind::NotWhole: return PayoffReader::Status::NotWhole;
    case ReferenceNumbers::Kind::OutOfRange: return PayoffReader::Status::OutOfRange;
    }
    return PayoffReader::Status::End;
}

QString compare(PayoffReader &reader, const QByteArray &data)
{
    const QList<ReferenceNumbers::Token> tokens = ReferenceNumbers::read(data);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const ReferenceNumbers::Token &t = tokens[i];
        const PayoffReader::Item item = reader.next();
        const QString where = QStringLiteral("token %1 (\"%2\", line %3, column %4)")
                                  .arg(i + 1)
                                  .arg(QString::fromLatin1(t.text.left(80)))
                                  .arg(t.line)
                                  .arg(t.column);
        if (item.status != expectedStatus(t.kind))
            return where + QStringLiteral(": status %1, expected %2")
                               .arg(int(item.status)).arg(int(expectedStatus(t.kind)));
        if (t.kind == ReferenceNumbers::Kind::Number && item.value != t.value)
            return where + QStringLiteral(": value %1, expected %2").arg(item.value).arg(t.value);
        if (item.line != t.line || item.column != t.column)
            return where + QStringLiteral(": reported at line %1, column %2")
                               .arg(item.line).arg(item.column);
        // The reader may shorten a long token for its messages, never alter it.
        if (!t.text.startsWith(item.text) || item.text.isEmpty()
            || (t.text.size() <= 64 && item.text != t.text))
            return where + QStringLiteral(": text \"%1\"").arg(QString::fromLatin1(item.text));
    }
    for (int again = 0; again < 2; ++again) {
        const PayoffReader::Item item = reader.next();
        if (item.status != PayoffReader::Status::End)
            return QStringLiteral("after the %1 tokens: status %2 \"%3\", expected the end")
                .arg(tokens.size()).arg(int(item.status)).arg(QString::fromLatin1(item.text));
    }
    return {};
}

} // namespace

QString PayoffReaderCheck::run(const QByteArray &data, qint64 chunk)
{
    if (chunk <= 0) {
        QByteArray copy = data;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        PayoffReader reader(buffer);
        return compare(reader, data);
    }
    TrickleDevice device(data, chunk);
    device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    PayoffReader reader(device);
    const QString problem = compare(reader, data);
    return problem.isEmpty() ? problem
                             : problem + QStringLiteral(" [read %1 bytes at a time]").arg(chunk);
}

QString PayoffReaderCheck::runAll(const QByteArray &data)
{
    for (const qint64 chunk : {qint64(0), qint64(1 + data.size() % 13)}) {
        const QString problem = run(data, chunk);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}
