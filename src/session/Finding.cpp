#include "session/Finding.h"

QString Finding::text() const
{
    QString label;
    switch (severity) {
    case Severity::Plain: break;
    case Severity::Note: label = QStringLiteral("note: "); break;
    case Severity::Warning: label = QStringLiteral("warning: "); break;
    case Severity::Forced: label = QStringLiteral("forced: "); break;
    case Severity::Error: label = QStringLiteral("error: "); break;
    }
    QString where;
    if (!file.isEmpty())
        where = line > 0 ? QStringLiteral("%1:%2: ").arg(file).arg(line) : file + QStringLiteral(": ");
    return label + where + message;
}
