#include "GuiTestMain.h"
#include "RunPhases.h"
#include "WindowFixture.h"

#include "record/EventTags.h"
#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

// Keys and double clicks at every screen of a run: a keyboard on every desk, subjects
// who double click.
namespace {

QString keyText(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_A: return QStringLiteral("a");
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

// How often the log holds the click record of node index of level (1 to 7).
int clickRecords(const QByteArray &log, int level, int index)
{
    static const char *const names[] = {"", "d1", "c1", "d2", "c2", "d3", "c3", "p"};
    const QString tag = EventTags::click(QLatin1String(names[level]));
    return int(log.count((tag + QString::number(index) + QStringLiteral("\r\n")).toLatin1()));
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

    // Only a mouse click inspects a node: after it, the space bar, Enter, Return and any
    // other key, pressed again and again or held, add no record of the node, whether they
    // come from the keyboard or straight to a node that was given the focus in code.
    void keysNeverInspectANode_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("forcedFocus");
        const struct { const char *name; int level, index; } nodes[] = {
            {"p(5)", 7, 5}, {"d1, stood on", 1, 0}, {"c1(1), ahead", 2, 1}, {"d3(13), ahead", 5, 13}};
        for (const auto &n : nodes) {
            for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_Escape}) {
                for (bool forced : {false, true}) {
                    QTest::addRow("%s, %s%s", n.name, qPrintable(QKeySequence(key).toString()),
                                  forced ? ", focus forced" : "")
                        << n.level << n.index << int(key) << forced;
                }
            }
        }
    }

    void keysNeverInspectANode()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(int, key);
        QFETCH(bool, forcedFocus);
        WindowFixture f;
        f.startRun();
        NodeButton *node = f.node(level, index);
        f.clickNode(level, index);
        QCOMPARE(node->focusPolicy(), Qt::NoFocus);
        QVERIFY(!node->hasFocus());
        const QByteArray afterClick = f.log();
        QCOMPARE(clickRecords(afterClick, level, index), 1);
        for (int k = 0; k < 4; ++k) {
            if (forcedFocus) {
                node->setFocus();
                QTest::keyClick(node, Qt::Key(key));
            } else {
                sendKey(f.window(), Qt::Key(key), k == 3);
            }
        }
        QCOMPARE(f.log(), afterClick);
        QCOMPARE(clickRecords(f.log(), level, index), 1);
    }

    // A node click leaves no control with the keys: what the subject types next goes
    // neither into the notepad the click opened nor to a command button.
    void aNodeClickTakesTheKeysFromTheNotepad()
    {
        WindowFixture f;
        f.startRun();
        const Controls &c = f.controls();
        f.clickNode(5, 13);
        QTest::mouseClick(c.Notepad->viewport(), Qt::LeftButton);
        QVERIFY(c.Notepad->hasFocus());
        sendKey(f.window(), Qt::Key_A, false);
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("a"));
        f.clickNode(4, 6);
        QCOMPARE(f.window().focusWidget(), nullptr);
        sendKey(f.window(), Qt::Key_A, false);
        sendKey(f.window(), Qt::Key_Space, false);
        QCOMPARE(c.Notepad->toPlainText(), QString());
        f.clickNode(5, 13);
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("a"));
    }

    // The command buttons keep their keys after a node click: the space bar and Enter
    // press the one that has the focus (here given as the Tab key gives it).
    void aCommandButtonStillAnswersItsKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("decide"); // ConfirmDecision, else ShowtheTree
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            const QString name = QKeySequence(key).toString();
            QTest::addRow("ShowtheTree, %s", qPrintable(name)) << int(key) << false;
            QTest::addRow("ConfirmDecision, %s", qPrintable(name)) << int(key) << true;
        }
    }

    void aCommandButtonStillAnswersItsKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, decide);
        WindowFixture f;
        f.startRun();
        const Controls &c = f.controls();
        f.clickNode(7, 5);
        QVERIFY(c.Welcome->isVisible());
        QAbstractButton *button = c.ShowtheTree;
        if (decide) {
            f.clickNode(1, 0);
            f.click(c.MoveRight);
            button = c.ConfirmDecision;
        }
        const QByteArray before = f.log();
        button->setFocus(Qt::TabFocusReason);
        sendKey(f.window(), Qt::Key(key), false);
        if (decide) {
            QCOMPARE(f.since(before).mid(f.since(before).indexOf(' ')),
                     (EventTags::ConfirmDecisionRight + QStringLiteral("1 0\r\n")).toLatin1());
            QCOMPARE(f.window().state().ReachedLevel, qint16(2));
        } else {
            QVERIFY(!c.Welcome->isVisible());
            QCOMPARE(f.log(), before);
        }
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
