#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/BranchLine.h"
#include "tree/NodeButton.h"
#include "tree/TreeModel.h"
#include "window/Controls.h"
#include "window/TreeWindow.h"
#include "window/WrappingButton.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>

// The window as it opens: only the experimenter's parameter frame, nothing opened.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheParameterFrameIsVisibleAfterStartUp()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        QCOMPARE(f.window().windowTitle(), QStringLiteral("Decision Tree"));
        QVERIFY(c.ExperimenterInput->isVisible());
        QCOMPARE(c.ExperimenterInput->pos(), QPoint(400, 213)); // Left 300, Top 160 points

        QStringList visibleOutside;
        for (QWidget *w : f.window().findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w->isVisible() && w != c.ExperimenterInput)
                visibleOutside << w->objectName();
        }
        QCOMPARE(visibleOutside, QStringList());
        QCOMPARE(c.ParameterSetInput->text(), QStringLiteral("1"));
        QCOMPARE(c.SubjectNumberInput->text(), QStringLiteral("99"));
        QCOMPARE(c.NumberAttemptsInput->text(), QStringLiteral("4"));
        QCOMPARE(c.InputDataFileInput->text(), QStringLiteral("btinp.01"));
    }

    void nothingIsOpenedOrRunningBeforeConfirmation()
    {
        WindowFixture f;
        QVERIFY(!f.controls().TimerOkToGo->isActive());
        const QStringList files = QDir(f.dataPath(QString())).entryList(QDir::Files);
        QCOMPARE(files, QStringList({QStringLiteral("btinp.01"), QStringLiteral("okto.go")}));
        QCOMPARE(f.readFile(QStringLiteral("okto.go")), QByteArray(" 0 \r\n"));
        const RunState &s = f.window().state();
        QCOMPARE(s.GoValue, qint16(0));
        QCOMPARE(s.ReachedLevel, qint16(1));
        QCOMPARE(s.ClickLevel, qint16(-1));
        QCOMPARE(s.NoteLevel, qint16(-1));
        QCOMPARE(s.NoteIndex, qint16(-1));
    }

    void confirmHoldsTheFocusAndTabOrderFollowsTheFrame()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        QApplication::setActiveWindow(&f.window());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.ConfirmParameters));
        QCOMPARE(c.ConfirmParameters->nextInFocusChain(), static_cast<QWidget *>(c.ParameterSetInput));
        QCOMPARE(c.ParameterSetInput->nextInFocusChain(), static_cast<QWidget *>(c.SubjectNumberInput));
        QCOMPARE(c.SubjectNumberInput->nextInFocusChain(), static_cast<QWidget *>(c.NumberAttemptsInput));
        QCOMPARE(c.NumberAttemptsInput->nextInFocusChain(), static_cast<QWidget *>(c.InputDataFileInput));
    }

    void onlySubjectAndParameterSetCanBeTypedOver()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        for (QLineEdit *edit : {c.ParameterSetInput, c.SubjectNumberInput, c.NumberAttemptsInput,
                                c.InputDataFileInput}) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("7"));
        }
        QCOMPARE(c.ParameterSetInput->text(), QStringLiteral("7"));
        QCOMPARE(c.SubjectNumberInput->text(), QStringLiteral("7"));
        QCOMPARE(c.NumberAttemptsInput->text(), QStringLiteral("4"));
        QCOMPARE(c.InputDataFileInput->text(), QStringLiteral("btinp.01"));
    }

    void everyNodeAndLineExistsWithItsName()
    {
        WindowFixture f;
        int nodes = 0;
        int lines = 0;
        for (int level = 1; level <= TreeModel::PayoffLevel; ++level) {
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
                NodeButton *n = f.node(level, i);
                QCOMPARE(n->level(), level);
                QCOMPARE(n->index(), i);
                QVERIFY(!n->isVisible());
                ++nodes;
                if (level > 1) {
                    QVERIFY(!f.controls().tree.line(level - 1, i)->isVisible());
                    ++lines;
                }
            }
        }
        QCOMPARE(nodes, 127);
        QCOMPARE(lines, 126);
        QVERIFY(f.window().findChild<NodeButton *>(QStringLiteral("d1")));
        QVERIFY(f.window().findChild<NodeButton *>(QStringLiteral("c3(5)")));
        QVERIFY(f.window().findChild<BranchLine *>(QStringLiteral("l6(63)")));
    }

    void theClientAreaHoldsTheWholeLayout()
    {
        WindowFixture f;
        QVERIFY(f.window().width() >= 1027);  // 770 points at 96 DPI
        QVERIFY(f.window().height() >= 707); // 530 points
    }

    void hideTreeChangesVisibilityAndNothingElse()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        f.clickNode(1, 0);
        NodeButton *d1 = f.node(1, 0);
        const QString colour = d1->backColor();
        const QString tip = f.node(7, 5)->toolTip();
        const QString payoffs = f.controls().Payoffs->text();
        const QByteArray log = f.log();
        f.window().flow().HideTree();
        QVERIFY(!d1->isVisible());
        QVERIFY(!f.node(7, 5)->isVisible());
        QVERIFY(!f.controls().Payoffs->isVisible());
        QVERIFY(!f.controls().NotepadContainer->isVisible());
        QVERIFY(!f.controls().DecisionBox->isVisible());
        QCOMPARE(d1->backColor(), colour);
        QCOMPARE(f.node(7, 5)->toolTip(), tip);
        QVERIFY(f.node(7, 5)->isEnabled());
        QCOMPARE(f.controls().Payoffs->text(), payoffs);
        QCOMPARE(f.window().state().NoteLevel, qint16(1));
        QCOMPARE(f.log(), log);
    }
};

DT_GUI_TEST_MAIN(TestStartup)
#include "TestStartup.moc"
