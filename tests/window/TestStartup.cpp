#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/BranchLine.h"
#include "tree/widgets/NodeButton.h"
#include "tree/logic/TreeModel.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegion>
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
        // As the build sets them: 4 and btinp.01 unless a lab chose others.
        QCOMPARE(c.NumberAttemptsInput->text(), QStringLiteral(DT_NUMBER_OF_ATTEMPTS));
        QCOMPARE(c.InputDataFileInput->text(), QStringLiteral(DT_DATA_FILE_NAME));
    }

    // A captioned frame is an etched rectangle broken by its caption: a dark line with a
    // light one inside it at the top and left, outside it at the bottom and right
    // (TestScreens: where the caption breaks it).
    void framesAreEtchedRectangles()
    {
        WindowFixture f;
        QGroupBox *frame = f.controls().ParameterSet;
        const QImage image = frame->grab().toImage();
        // The frame's own pixels: where a control inside it lies, the control is seen.
        QRegion inside;
        for (QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            inside += child->geometry();
        const QString covered = QStringLiteral("covered");
        const auto at = [&](int x, int y) {
            return inside.contains(QPoint(x, y)) ? covered : QColor(image.pixel(x, y)).name();
        };
        const auto edge = [&](int x, int y, const QString &colour) {
            const QString seen = at(x, y);
            return seen == covered || seen == colour;
        };
        const QString dark = QColor(frame->palette().color(QPalette::Dark).rgb()).name();
        const QString light = QColor(frame->palette().color(QPalette::Light).rgb()).name();
        const QString face = QColor(frame->palette().color(QPalette::Window).rgb()).name();
        QVERIFY(dark != light && dark != face && light != face);
        const int w = image.width(), h = image.height();

        // The top edge runs through the caption, the left one starts below it: both are
        // looked at in the half away from the caption.
        int top = 0;
        while (top < h && at(w - 4, top) != dark)
            ++top;
        QVERIFY2(top > 0 && top < frame->fontMetrics().height(),
                 qPrintable(QStringLiteral("top edge at row %1 of %2").arg(top).arg(h)));
        for (int x = w * 3 / 4; x < w - 1; ++x) {
            QVERIFY2(edge(x, top, dark) && edge(x + 1, h - 1, light), qPrintable(QString::number(x)));
            if (x >= 1 && x < w - 2)
                QVERIFY2(edge(x, top + 1, light) && edge(x, h - 2, dark), qPrintable(QString::number(x)));
        }
        for (int y = top; y < h - 1; ++y) {
            QVERIFY2(edge(w - 1, y + 1, light), qPrintable(QString::number(y)));
            if (y >= h / 2)
                QVERIFY2(edge(0, y, dark), qPrintable(QString::number(y)));
            if (y >= top + 1 && y < h - 2)
                QVERIFY2((y < h / 2 || edge(1, y, light)) && edge(w - 2, y, dark), qPrintable(QString::number(y)));
        }
        QCOMPARE(at(w - 3, top - 1), face);
        QCOMPARE(at(4, h - 4), face);
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
