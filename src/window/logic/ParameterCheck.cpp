#include "window/logic/ParameterCheck.h"

#include "window/logic/IntegerConversion.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<qint16> convert(const QString &text)
{
    const IntegerConversion converted = IntegerConversion::fromText(text);
    if (converted.ok())
        return converted.value;
    return std::nullopt;
}

QString problemWith(const QString &field, const QString &text)
{
    const bool number = IntegerConversion::fromText(text).status != IntegerConversion::Status::NotANumber;
    return QStringLiteral("%1: \"%2\" %3.")
        .arg(field, text, number ? QStringLiteral("lies outside the numbers that can be used")
                                 : QStringLiteral("is not a number"));
}

bool fits16(qint32 value)
{
    return value >= -32768 && value <= 32767;
}

int floorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

int ceilDiv(int a, int b)
{
    return -floorDiv(-a, b);
}

// The values of one parameter whose product stays within 16 bits on its own and, added to
// the other product, still does: low > high when there are none.
struct Range
{
    int low;
    int high;
};

// Other parameter unknown (not a number): the product's own limit.
Range usable(int factor)
{
    const int most = 32767 / factor;
    return {-most, most};
}

Range usable(int factor, qint32 otherProduct)
{
    const int most = 32767 / factor;
    if (!fits16(otherProduct))
        return {1, 0};
    return {std::max(-most, ceilDiv(-32768 - otherProduct, factor)),
            std::min(most, floorDiv(32767 - otherProduct, factor))};
}

// "With Parameter Set 7, subject numbers from -327 to 326 can be used."
QString usableSentence(const QString &plural, const QString &singular, const Range &range,
                       const QString &otherField, std::optional<qint16> other)
{
    if (range.low > range.high)
        return QStringLiteral("No %1 can be used with %2 %3.").arg(singular, otherField).arg(*other);
    const QString values = QStringLiteral("%1 from %2 to %3 can be used.")
                               .arg(plural).arg(range.low).arg(range.high);
    if (!other)
        return values.left(1).toUpper() + values.mid(1);
    return QStringLiteral("With %1 %2, %3").arg(otherField).arg(*other).arg(values);
}

QString usableSubjects(std::optional<qint16> paramSet)
{
    const Range range = paramSet ? usable(100, qint32(*paramSet) * 10) : usable(100);
    return usableSentence(QStringLiteral("subject numbers"), QStringLiteral("subject number"),
                          range, QStringLiteral("Parameter Set"), paramSet);
}

QString usableParameterSets(std::optional<qint16> subject)
{
    const Range range = subject ? usable(10, qint32(*subject) * 100) : usable(10);
    return usableSentence(QStringLiteral("parameter sets"), QStringLiteral("parameter set"),
                          range, QStringLiteral("Subject Number"), subject);
}

} // namespace

ParameterCheck::Result ParameterCheck::check(const QString &dataFileText,
                                             const QString &subjectText,
                                             const QString &paramSetText,
                                             const QString &attemptsText)
{
    Result result;
    result.dataFileName = dataFileText;
    if (dataFileText.trimmed().isEmpty() || dataFileText.contains(QLatin1Char('/'))
        || dataFileText.contains(QLatin1Char('\\')) || dataFileText.startsWith(QLatin1Char('.'))) {
        result.error = QStringLiteral("Input Data File: \"%1\" is not a file name in the data "
                                      "folder. Please give the name of a file there, such as "
                                      "btinp.01.")
                           .arg(dataFileText);
        return result;
    }

    // A refused number is told together with the numbers that work with the other one as
    // typed, so that the first correction can be the right one.
    const auto subject = convert(subjectText);
    const auto paramSet = convert(paramSetText);
    if (!subject) {
        result.error = problemWith(QStringLiteral("Subject Number"), subjectText) + QLatin1Char(' ')
            + usableSubjects(paramSet);
        return result;
    }
    if (!paramSet) {
        result.error = problemWith(QStringLiteral("Parameter Set"), paramSetText) + QLatin1Char(' ')
            + usableParameterSets(subject);
        return result;
    }
    const IntegerConversion attempts = IntegerConversion::fromText(attemptsText);
    if (!attempts.ok() || attempts.value < 1 || attempts.value > MaxAttempts) {
        result.error = QStringLiteral("Number of Attempts: \"%1\" cannot be used. The experiment "
                                      "has room for 1 to %2 attempts.")
                           .arg(attemptsText)
                           .arg(MaxAttempts);
        return result;
    }

    const qint32 a = qint32(*paramSet) * 10;
    const qint32 b = qint32(*subject) * 100;
    if (!fits16(a) || !fits16(b) || !fits16(a + b)) {
        result.error = QStringLiteral("Subject Number %1 with Parameter Set %2 cannot be used: "
                                      "the random seed (Parameter Set x 10 + Subject Number x "
                                      "100) must lie within -32768 to 32767. %3 %4")
                           .arg(*subject)
                           .arg(*paramSet)
                           .arg(usableSubjects(paramSet), usableParameterSets(subject));
        return result;
    }

    result.ok = true;
    result.subjectNo = *subject;
    result.paramSetNo = *paramSet;
    result.attempts = attempts.value;
    result.seed = static_cast<qint16>(a + b);
    return result;
}
