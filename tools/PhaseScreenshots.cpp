// Takes a screenshot of each phase of an experiment, as the subject sees it, into the
// folder named on the command line: make screenshots.
#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/widgets/LabStyle.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

namespace {

QString folder;
int shot = 0;

void save(QWidget &widget, const char *name)
{
    const QString path = QDir(folder).filePath(
        QStringLiteral("%1-%2.png").arg(++shot, 2, 10, QLatin1Char('0')).arg(QLatin1String(name)));
    QApplication::processEvents();
    if (!widget.grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    // At 96 DPI unless told to take the screen's own (make screenshots: the small screen).
    const bool screenDpi = argc > 2 && qstrcmp(argv[2], "--screen-dpi") == 0;
    if (!screenDpi)
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    QApplication::setStyle(new LabStyle);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    WindowFixture f;
    TreeWindow &w = f.window();
    const Controls &c = f.controls();
    // Nature's message boxes, drawn for real and grabbed while they would be on screen.
    f.boxes.onShow = [](const AnsweringMessageBoxes::Shown &box) {
        QMessageBox real(box.warning ? QMessageBox::Warning : QMessageBox::Information,
                         box.title, box.text, QMessageBox::Ok);
        real.show();
        save(real, "message-box");
    };

    save(w, "parameters");
    f.confirm();
    save(w, "waiting");
    f.writeFile(QStringLiteral("okto.go"), "1\r\n");
    f.tick();
    save(w, "start-offered");
    f.click(c.Start);
    save(w, "instructions");
    f.clickNode(1, 0);
    QTest::keyClicks(c.Notepad, QStringLiteral("Left looks safer."));
    QTest::keyClick(c.Notepad, Qt::Key_Return);
    QTest::keyClicks(c.Notepad, QStringLiteral("Check the payoffs first."));
    c.MoveLeft->setChecked(true);
    save(w, "decision-offered");
    f.click(c.ConfirmDecision);
    f.clickNode(2, 0);
    save(w, "nature-offered");
    f.random.draws = {0.75f, 0.25f, 0.5f};
    f.click(c.NatureMove);
    save(w, "nature-moved");
    f.clickNode(3, 1);
    c.MoveRight->setChecked(true);
    f.click(c.ConfirmDecision);
    f.clickNode(4, 3);
    f.click(c.NatureMove);
    f.clickNode(5, 6);
    c.MoveLeft->setChecked(true);
    f.click(c.ConfirmDecision);
    f.clickNode(6, 12);
    f.click(c.NatureMove);
    save(w, "payoff-reached");
    f.clickNode(7, 24);
    save(w, "payoff-inspected");
    f.click(c.Continue);
    save(w, "between-attempts");
    f.click(c.NextAttempt);
    save(w, "second-attempt");
    f.boxes.onShow = nullptr;
    for (int attempt = 2; attempt <= 4; ++attempt) {
        f.random.draws = {0.1f, 0.1f, 0.1f};
        for (int level : {1, 3, 5}) {
            f.clickNode(level, 0);
            c.MoveLeft->setChecked(true);
            f.click(c.ConfirmDecision);
            f.clickNode(level + 1, 0);
            f.click(c.NatureMove);
        }
        f.click(c.Continue);
        if (attempt < 4)
            f.click(c.NextAttempt);
    }
    save(w, "experiment-over");
    return 0;
}
