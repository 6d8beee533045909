#pragma once

#include <QString>

class QPlainTextEdit;

// The text of a notepad exactly as typed: the document's own characters, no-break spaces
// included, with only its paragraph and line separators (Return, Shift+Return) turned
// into line breaks. QPlainTextEdit::toPlainText() would also turn every no-break space
// into a plain one.
namespace NotepadText {

QString of(const QPlainTextEdit *notepad);

} // namespace NotepadText
