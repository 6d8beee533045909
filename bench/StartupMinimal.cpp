// The yardstick for start-up and memory: the least a Qt Widgets program can do, one
// empty top-level window of the experiment window's size, shown and idle.
//
//   startup-minimal --size 1032x712 [--caption TEXT]
//
// With --caption the window holds one frame with that caption in Qt's default font:
// the least a window that shows any text costs, the font system's start among it.
#include "ProbeReport.h"

#include <QApplication>
#include <QGroupBox>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList size = ProbeReport::argument(argc, argv, "--size", QStringLiteral("1032x712"))
                                 .split(QLatin1Char('x'));
    QWidget window;
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    const QString caption = ProbeReport::argument(argc, argv, "--caption");
    if (!caption.isEmpty())
        (new QGroupBox(caption, &window))->setGeometry(400, 213, 185, 385);
    window.show();
    ProbeReport::whenShownAndIdle(window, [&window] {
        ProbeReport::print("ready", window);
        QCoreApplication::exit(0);
    });
    return app.exec();
}
