#include "session/StateTexts.h"

QString StateTexts::age(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds < 120)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 120 * 60)
        return QStringLiteral("%1 min").arg(seconds / 60);
    if (seconds < 48 * 3600)
        return QStringLiteral("%1 h").arg(seconds / 3600);
    return QStringLiteral("%1 days").arg(seconds / 86400);
}

QString StateTexts::goAhead(const GoAheadFile::Reading &reading)
{
    switch (reading.status) {
    case GoAheadFile::Status::Number: return QString::number(reading.value);
    case GoAheadFile::Status::Missing: return QStringLiteral("none");
    default: return QStringLiteral("?");
    }
}

QString StateTexts::holds(const GoAheadFile::Reading &reading)
{
    switch (reading.status) {
    case GoAheadFile::Status::Number: return QStringLiteral("okto.go holds %1").arg(reading.value);
    case GoAheadFile::Status::Missing: return QStringLiteral("there is no okto.go");
    default: return QStringLiteral("okto.go holds no number (%1)").arg(reading.detail);
    }
}

bool StateTexts::isLeftover(qint16 value)
{
    return value == GoAheadFile::Quit || value == GoAheadFile::Release;
}

QString StateTexts::leftover(qint16 value)
{
    const QString effect = value == GoAheadFile::Quit
        ? QStringLiteral("the program will close a second after its parameters are confirmed")
        : QStringLiteral("the subject will be offered Start as soon as the parameters are confirmed");
    return QStringLiteral("%1, left from an earlier session, and there is no log of today's run yet: %2")
        .arg(holds({GoAheadFile::Status::Number, value, {}}), effect);
}
