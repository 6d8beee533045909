#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "record/CompanionReader.h"
#include "record/LogReader.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QAbstractButton>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>

#include <cmath>

// What the record for analysis holds beyond the classic log: the presses of the buttons
// that leave no record, and every message box with the time it stood on screen. Played on
// the real window; the companion file is read back as treelab reads it.
namespace {

const QString CompanionFile = QStringLiteral("o199btinp.01.jsonl");

Companion readBack(const WindowFixture &f)
{
    Companion c;
    QString error;
    if (!CompanionReader::read(f.dataPath(CompanionFile), &c, &error))
        qWarning("%s", qPrintable(error));
    return c;
}

// The "type" of each line of the companion file, in order.
QStringList lineTypes(const WindowFixture &f)
{
    QStringList types;
    for (const QByteArray &line : f.readFile(CompanionFile).split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        QString type = object.value(QLatin1String("type")).toString();
        if (type == QLatin1String("record"))
            type = object.value(QLatin1String("kind")).toString();
        types.append(type);
    }
    return types;
}

// Plays attempts from d1 up, all Left, each ended with Continue; between them NextAttempt
// is pressed at the given seconds after the log was opened.
void playAttempts(WindowFixture &f, int attempts, const QList<double> &nextAt)
{
    for (int k = 0; k < attempts; ++k) {
        if (k > 0) {
            f.at(nextAt.value(k - 1));
            f.click(f.controls().NextAttempt);
        }
        f.playMoves({false, false, false, false, false, false});
        f.click(f.controls().Continue);
    }
}

} // namespace

class TestPressesAndBoxes : public QObject
{
    Q_OBJECT

private slots:
    // ShowtheTree, NextAttempt and ExperimentOver each leave one press line with the
    // moment of the press and the attempt it belongs to, and nothing in the classic log.
    void eachPressWithoutARecordHasItsLine_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::addColumn<int>("played");     // attempts played before the press
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("attempt");
        QTest::newRow("ShowtheTree") << 4 << 0 << QStringLiteral("ShowtheTree") << 1;
        QTest::newRow("NextAttempt to 2") << 4 << 1 << QStringLiteral("NextAttempt") << 2;
        QTest::newRow("NextAttempt to 4") << 4 << 3 << QStringLiteral("NextAttempt") << 4;
        QTest::newRow("ExperimentOver after 4") << 4 << 4 << QStringLiteral("ExperimentOver") << 4;
        QTest::newRow("ExperimentOver after 1") << 1 << 1 << QStringLiteral("ExperimentOver") << 1;
    }

    void eachPressWithoutARecordHasItsLine()
    {
        QFETCH(int, attempts);
        QFETCH(int, played);
        QFETCH(QString, control);
        QFETCH(int, attempt);
        WindowFixture f;
        f.controls().NumberAttemptsInput->setText(QString::number(attempts));
        f.at(0);
        f.startRun();
        playAttempts(f, played, {100, 200, 300});
        const QByteArray log = f.log();
        const qsizetype pressesBefore = readBack(f).presses.size();

        f.at(1234.25);
        f.click(f.window().findChild<QAbstractButton *>(control));
        QCOMPARE(f.log(), log);
        const Companion after = readBack(f);
        QCOMPARE(after.presses.size(), pressesBefore + 1);
        QCOMPARE(after.presses.last().control, control);
        QCOMPARE(after.presses.last().attempt, attempt);
        QCOMPARE(after.presses.last().ms, qint64(1234250));
        QCOMPARE(lineTypes(f).last(), QStringLiteral("press"));
        QVERIFY(after.problems.isEmpty());
        QVERIFY(CompanionReader::compare(LogReader::parse(f.log()), after).isEmpty());
    }

    // Every box the subject or the experimenter answers: its kind, title and text, when
    // it appeared and when OK was pressed (the boxes here answer after a set time), and
    // its place among the lines.
    void eachBoxIsRecordedWithItsTimeOnScreen_data()
    {
        QTest::addColumn<int>("moves");          // moves played from d1 up, all Left
        QTest::addColumn<bool>("logThere");      // an older log of the same name is there
        QTest::addColumn<double>("onScreen");    // seconds each box waits for OK
        QTest::addColumn<QStringList>("boxes");  // icon|title|text|attempt per box line
        QTest::addColumn<QStringList>("around"); // the types of the lines around the first box
        const QString pound(QChar(0x00A3));
        QTest::newRow("Nature at c1") << 2 << false << 3.25
            << QStringList{"information|Nature 's Move|Nature has chosen Left. Click OK to continue...|1"}
            << QStringList{"NatureMove", "box", "end of file"};
        QTest::newRow("Nature at c3 and the payoff") << 6 << false << 0.5
            << QStringList{"information|Nature 's Move|Nature has chosen Left. Click OK to continue...|1",
                           "information|Nature 's Move|Nature has chosen Left. Click OK to continue...|1",
                           "information|Nature's move|Nature has chosen Left. Click to find the realised payoff.|1",
                           "information|Payoff|The realised payoff is " + pound + "0|1"}
            << QStringList{"NatureMove", "box", "d2"};
        QTest::newRow("the experimenter's warning") << 0 << true << 12.0
            << QStringList{"warning|Decision Tree: experimental parameters|An event log of the same name was "
                           "already there.|1"}
            << QStringList{"warning", "box", "end of file"};
    }

    void eachBoxIsRecordedWithItsTimeOnScreen()
    {
        QFETCH(int, moves);
        QFETCH(bool, logThere);
        QFETCH(double, onScreen);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, around);
        WindowFixture f;
        if (logThere)
            f.writeFile(QStringLiteral("o199btinp.01"), "1  1  1/1/09  1\r\n");
        QList<qint64> shownAt;
        f.boxes.onShow = [&](const AnsweringMessageBoxes::Shown &) {
            shownAt << std::llround((double(f.clock.now().seconds) - 512.5) * 1000);
            f.clock.advance(float(onScreen));
        };
        f.at(0);
        f.confirm();
        if (moves > 0) {
            f.writeFile(QStringLiteral("okto.go"), "1\r\n");
            f.tick();
            f.click(f.controls().Start);
            f.at(10);
            f.playMoves(QList<bool>(moves, false));
        }
        const Companion c = readBack(f);
        QCOMPARE(c.boxes.size(), boxes.size());
        for (qsizetype k = 0; k < boxes.size(); ++k) {
            const QStringList expected = boxes[k].split(QLatin1Char('|'));
            const CompanionBox &b = c.boxes[k];
            QCOMPARE(b.icon, expected[0]);
            QCOMPARE(b.title, expected[1]);
            if (expected[0] == QLatin1String("warning"))
                QVERIFY2(b.text.startsWith(expected[2]), qPrintable(b.text));
            else
                QCOMPARE(b.text, expected[2]);
            QCOMPARE(b.attempt, expected[3].toInt());
            QCOMPARE(b.shownMs, shownAt.value(k));
            QCOMPARE(b.answeredMs - b.shownMs, qint64(std::llround(onScreen * 1000)));
        }
        QStringList types = lineTypes(f);
        types << QStringLiteral("end of file");
        const qsizetype first = types.indexOf(QStringLiteral("box"));
        QCOMPARE(types.mid(first - 1, 3), around);
        QVERIFY(c.problems.isEmpty());
        QVERIFY(CompanionReader::compare(LogReader::parse(f.log()), c).isEmpty());
    }
};

DT_GUI_TEST_MAIN(TestPressesAndBoxes)
#include "TestPressesAndBoxes.moc"
