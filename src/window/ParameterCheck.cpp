#include "window/ParameterCheck.h"

#include "window/IntegerConversion.h"

#include <optional>

namespace {

std::optional<qint16> convert(const QString &field, const QString &text, QString *error)
{
    const IntegerConversion converted = IntegerConversion::fromText(text);
    if (converted.ok())
        return converted.value;
    const QString problem = converted.status == IntegerConversion::Status::NotANumber
        ? QStringLiteral("is not a number")
        : QStringLiteral("lies outside the range -32768 to 32767");
    *error = QStringLiteral("%1: \"%2\" %3. Please enter a whole number from -32768 to 32767.")
                 .arg(field, text, problem);
    return std::nullopt;
}

bool fits16(qint32 value)
{
    return value >= -32768 && value <= 32767;
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

    const auto subject = convert(QStringLiteral("Subject Number"), subjectText, &result.error);
    if (!subject)
        return result;
    const auto paramSet = convert(QStringLiteral("Parameter Set"), paramSetText, &result.error);
    if (!paramSet)
        return result;
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
                                      "100) must lie within -32768 to 32767. Subject numbers "
                                      "from -327 to 327 can be used; with subject 327, "
                                      "parameter sets up to 6.")
                           .arg(*subject)
                           .arg(*paramSet);
        return result;
    }

    result.ok = true;
    result.subjectNo = *subject;
    result.paramSetNo = *paramSet;
    result.attempts = attempts.value;
    result.seed = static_cast<qint16>(a + b);
    return result;
}
