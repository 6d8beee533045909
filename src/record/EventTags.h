#pragma once

#include <QString>

// The tags of the event log's records, blanks counted: a blank, the name left-justified
// in a 20-character column; " Start" alone has no column, and the four move tags add
// the move letter and a blank.
namespace EventTags {

inline const QString Start = QStringLiteral(" Start");
inline const QString NotepadContents = QStringLiteral(" NotepadContents     ");
inline const QString CloseNotepad = QStringLiteral(" CloseNotepad        ");
inline const QString ConfirmDecisionLeft = QStringLiteral(" ConfirmDecision     L ");
inline const QString ConfirmDecisionRight = QStringLiteral(" ConfirmDecision     R ");
inline const QString NatureMoveLeft = QStringLiteral(" NatureMove          L ");
inline const QString NatureMoveRight = QStringLiteral(" NatureMove          R ");
inline const QString FinalPayoffNode = QStringLiteral(" FinalPayoffNode     ");
inline const QString Continue = QStringLiteral(" Continue            ");

// The click tag of a node button array, for example " c3                  ".
inline QString click(const QString &arrayName)
{
    return (QLatin1Char(' ') + arrayName).leftJustified(21, QLatin1Char(' '));
}

} // namespace EventTags
