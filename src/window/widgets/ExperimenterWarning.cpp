#include "window/widgets/ExperimenterWarning.h"

#include "record/EventLog.h"
#include "window/widgets/MessageBoxes.h"

#include <QCoreApplication>

#include <cstdio>

namespace ExperimenterWarning {

void show(EventLog &log, MessageBoxes &boxes, QWidget *window, const QString &title,
          const QString &text)
{
    std::fprintf(stderr, "Decision Tree: %s\n", qPrintable(text));
    log.companion().warning(title, text);
    boxes.warning(window, title, text);
}

QString forSubject(const QString &message)
{
    // What went wrong is the experimenter's, in English; what to do is the subject's.
    return message + QStringLiteral("\n\n")
        + QCoreApplication::translate("ExperimenterWarning",
                                      "Please call the experimenter. You can go on with the experiment.");
}

} // namespace ExperimenterWarning
