// The experiment window played from a script in a process of its own, for the tests
// that kill it, fill its disk or take its data folder away (see ScriptPlayer.h).
// Usage: reliability-player DATA-FOLDER [options] STEP...
#include "ScriptPlayer.h"

#include "window/widgets/LabStyle.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    QApplication::setStyle(new LabStyle);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: reliability-player DATA-FOLDER [options] STEP...\n");
        return 2;
    }
    ScriptPlayer player(args.first(), args.mid(1));
    return player.run();
}
