#pragma once

#include <QString>

class EventLog;
class MessageBoxes;
class QWidget;

// A warning for the experimenter: on the program's console, in the record for analysis
// beside the log, and in a message box over the window.
namespace ExperimenterWarning {

void show(EventLog &log, MessageBoxes &boxes, QWidget *window, const QString &title,
          const QString &text);

// message, closed with the words for a subject who meets it during the attempts.
QString forSubject(const QString &message);

} // namespace ExperimenterWarning
