#include "record/SystemClock.h"
#include "window/widgets/LabStyle.h"
#include "window/logic/MersenneRandomSource.h"
#include "window/logic/TextsTranslation.h"
#include "window/widgets/QtMessageBoxes.h"
#include "window/SignalHandler.h"
#include "window/TreeWindow.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {

// X11 and Wayland name their display in the environment; without one Qt would abort with
// a message few experimenters understand. Windows always has its desktop and sets none
// of these variables.
bool hasDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fprintf(stderr, "Decision Tree needs a graphical display, and none is set (DISPLAY "
                             "and WAYLAND_DISPLAY are empty): start it from the workstation's "
                             "desktop, or under xvfb-run.\n");
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(new LabStyle);

    SystemClock clock;
    MersenneRandomSource random;
    QtMessageBoxes boxes;
    const QString data = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    // The subjects' language is the data folder's texts.qm, read whole before any text is
    // made; one that cannot be used stops the start.
    TextsTranslation texts;
    if (texts.load(data) == TextsTranslation::Outcome::Refused) {
        std::fprintf(stderr, "Decision Tree: %s\n", qPrintable(texts.error()));
        boxes.warning(nullptr, QStringLiteral("Decision Tree"), texts.error());
        return EXIT_FAILURE;
    }
    texts.install();
    TreeWindow window({clock, random, boxes, data, {}, &texts});
    SignalHandler terminationSignals([&window](const QString &name, int number) {
        window.closeForSignal(name);
        SignalHandler::endProcess(number); // also from inside an open message box
    });
    window.show();
    return app.exec();
}
