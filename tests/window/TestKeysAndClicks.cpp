#include "GuiTestMain.h"
#include "RunPhases.h"
#include "WindowFixture.h"

#include "tree/NodeButton.h"
#include "window/Controls.h"
#include "window/TreeWindow.h"
#include "window/WrappingButton.h"

#include <QDir>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

// Keys and double clicks at every screen of a run: a keyboard on every desk, subjects
// who double click.
namespace {

QString keyText(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_Space: return QStringLiteral(" ");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Escape: return QString(QChar(0x1b));
    default: return QString();
    }
}

// Through the platform window, as a keyboard's key comes: to whatever holds the focus.
// A held key repeats as the windowing system repeats it, with auto-repeat releases
// and presses between the first press and the last release.
void sendKey(TreeWindow &window, Qt::Key key, bool held)
{
    QWindow *handle = window.windowHandle();
    const QString text = keyText(key);
    QTest::simulateEvent(handle, true, key, Qt::NoModifier, text, false);
    for (int i = 0; held && i < 15; ++i) {
        QTest::simulateEvent(handle, false, key, Qt::NoModifier, text, true);
        QTest::simulateEvent(handle, true, key, Qt::NoModifier, text, true);
    }
    QTest::simulateEvent(handle, false, key, Qt::NoModifier, text, false);
}

// What a run leaves behind and shows: the data folder, the log, the boxes, the controls
// on screen.
QStringList outcome(const WindowFixture &f)
{
    QStringList seen = QDir(f.dataPath(QString())).entryList(QDir::Files);
    seen << QString::fromLatin1(f.log());
    for (const AnsweringMessageBoxes::Shown &box : f.boxes.shown)
        seen << QStringLiteral("box: ") + box.text;
    for (QWidget *w : const_cast<WindowFixture &>(f).window().findChildren<QWidget *>()) {
        if (w->isVisible() && !w->objectName().isEmpty())
            seen << w->objectName();
    }
    return seen;
}

// Clicks by hand at a point of the window, at the events' own times (milliseconds).
void clickAt(QWindow *window, QPoint at, ulong time)
{
    const QPointF global = window->mapToGlobal(at);
    qt_handleMouseEvent(window, at, global, Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, Qt::NoModifier, int(time));
    qt_handleMouseEvent(window, at, global, Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, Qt::NoModifier, int(time + 1));
}

} // namespace

class TestKeysAndClicks : public QObject
{
    Q_OBJECT

private slots:
    // On every screen Enter, the space bar, Escape and Tab, pressed once or held, do what
    // one mouse click on the focused button does if a visible button has the focus, and
    // nothing else.
    void keysClickOnlyAVisibleFocusedButton_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("held");
        for (int p = 0; p < int(std::size(RunPhases::all)); ++p) {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Tab}) {
                for (bool held : {false, true}) {
                    QTest::addRow("%s, %s%s", RunPhases::all[p].name, qPrintable(QKeySequence(key).toString()),
                                  held ? ", held" : "")
                        << p << int(key) << held;
                }
            }
        }
    }

    void keysClickOnlyAVisibleFocusedButton()
    {
        QFETCH(int, phase);
        QFETCH(int, key);
        QFETCH(bool, held);
        WindowFixture f;
        RunPhases::all[phase].reach(f);
        QWidget *focus = f.window().focusWidget();
        const auto *button = qobject_cast<QAbstractButton *>(focus);
        const bool clicks = button && button->isVisible() && button->isEnabled()
            && (key == Qt::Key_Return || key == Qt::Key_Space);

        WindowFixture expected;
        RunPhases::all[phase].reach(expected);
        if (clicks)
            expected.click(expected.window().findChild<QAbstractButton *>(button->objectName()));
        sendKey(f.window(), Qt::Key(key), held);
        QCOMPARE(outcome(f), outcome(expected));
        QVERIFY(!f.controls().Notepad->toPlainText().contains(QLatin1Char('\t')));
    }

    // NextAttempt and ExperimentOver appear where Continue was clicked: the second click
    // of a double click on Continue must not press them; a click after the interval does.
    void aButtonIgnoresTheSecondClickOfTheClickThatShowedIt_data()
    {
        QTest::addColumn<bool>("lastAttempt");
        QTest::addColumn<int>("gap"); // from the first click to the second, milliseconds
        QTest::addColumn<bool>("pressed");
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QTest::newRow("NextAttempt, inside") << false << 120 << false;
        QTest::newRow("NextAttempt, just inside") << false << interval - 2 << false;
        QTest::newRow("NextAttempt, outside") << false << interval + 50 << true;
        QTest::newRow("ExperimentOver, inside") << true << 120 << false;
        QTest::newRow("ExperimentOver, outside") << true << interval + 50 << true;
    }

    void aButtonIgnoresTheSecondClickOfTheClickThatShowedIt()
    {
        QFETCH(bool, lastAttempt);
        QFETCH(int, gap);
        QFETCH(bool, pressed);
        WindowFixture f;
        f.controls().NumberAttemptsInput->setText(lastAttempt ? QStringLiteral("1") : QStringLiteral("4"));
        f.startRun();
        RunPhases::playAttempt(f);
        const Controls &c = f.controls();
        const QPoint at = c.Continue->geometry().center();
        const ulong t = ulong(QTest::lastMouseTimestamp) + 1000;
        clickAt(f.window().windowHandle(), at, t);
        WrappingButton *shown = lastAttempt ? c.ExperimentOver : c.NextAttempt;
        QVERIFY(shown->isVisible() && shown->geometry().contains(at));
        clickAt(f.window().windowHandle(), at, t + ulong(gap));
        if (lastAttempt)
            QCOMPARE(c.TimerOkToGo->isActive(), pressed);
        else
            QCOMPARE(c.NextAttempt->isVisible(), !pressed);
        QTest::lastMouseTimestamp = int(t + ulong(gap) + 1000);
    }
};

DT_GUI_TEST_MAIN(TestKeysAndClicks)
#include "TestKeysAndClicks.moc"
