#include "tree/widgets/NotepadText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace NotepadText {

QString of(const QPlainTextEdit *notepad)
{
    QString text = notepad->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace NotepadText
