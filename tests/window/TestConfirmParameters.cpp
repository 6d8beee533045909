#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWindow>

// Confirming the experimenter's parameters: the run's state, the seed, the payoff
// table and the log; and every refusal leaves nothing behind and can be corrected.
class TestConfirmParameters : public QObject
{
    Q_OBJECT

    static QStringList dataFiles(const WindowFixture &f)
    {
        return QDir(f.dataPath(QString())).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void confirmationTakesTheParametersSeedsAndOpensTheLog()
    {
        WindowFixture f;
        f.confirm();
        const RunState &s = f.window().state();
        QCOMPARE(s.DataFileName, QStringLiteral("btinp.01"));
        QCOMPARE(s.SubjectNo, qint16(99));
        QCOMPARE(s.ParamSetNo, qint16(1));
        QCOMPARE(s.AttemptCount, qint16(4));
        QCOMPARE(s.AttemptsLeft, qint16(4));
        QCOMPARE(f.random.seeds, QList<qint16>{9910});
        QCOMPARE(f.random.drawCount, 0);
        for (int j = 0; j < 64; ++j) {
            const int v = WindowFixture::payoffFor(j);
            const QString pound(QChar(0x00A3));
            const QString expected = v < 0 ? QStringLiteral("-") + pound + QString::number(-v)
                                           : pound + QString::number(v);
            QCOMPARE(s.PayoffText[j], expected);
        }
        QVERIFY(s.PayoffText[64].isEmpty());
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void confirmationReplacesTheFrameByLogoAndWelcome()
    {
        WindowFixture f;
        f.confirm();
        const Controls &c = f.controls();
        QVERIFY(c.TimerOkToGo->isActive());
        QCOMPARE(c.TimerOkToGo->interval(), 1000);
        QVERIFY(!c.ExperimenterInput->isVisible());
        QVERIFY(c.OrrinLogo->isVisible());
        QCOMPARE(c.OrrinLogo->geometry(), QRect(307, 240, 393, 289)); // 230, 180, 294.75, 216.75 pt
        QVERIFY(!c.OrrinLogo->pixmap().isNull());
        QVERIFY(c.Hello->isVisible());
        QCOMPARE(c.Hello->geometry(), QRect(133, 587, 740, 20));    // 100, 440, 555, 15 pt
        QCOMPARE(c.Hello->toPlainText(),
                 QStringLiteral("Welcome to this experiment. Please read the instructions carefully "
                                "and wait for the start of the experiment."));
    }

    void enterConfirmsTheParametersAsShown()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window());
        QTRY_VERIFY(f.controls().ConfirmParameters->hasFocus());
        QTest::keyClick(f.controls().ConfirmParameters, Qt::Key_Return);
        QVERIFY(!f.controls().ExperimenterInput->isVisible());
        QVERIFY(!f.log().isEmpty());
    }

    // ConfirmParameters is the frame's default button: Enter in any of its boxes confirms
    // what is shown, once however long the key is held, as the button itself does.
    void enterInAParameterBoxConfirmsOnce_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("log");     // the log confirmed; empty: refused
        for (const char *box : {"SubjectNumberInput", "ParameterSetInput", "NumberAttemptsInput",
                                "InputDataFileInput"}) {
            for (bool held : {false, true}) {
                QTest::addRow("%s, Enter%s", box, held ? " held" : "")
                    << box << "12" << held << "o112btinp.01";
            }
        }
        // A refused entry keeps the frame: a held key must not ask again and again.
        QTest::newRow("refused subject, Enter held") << "SubjectNumberInput" << "abc" << true << "";
        QTest::newRow("refused subject, keypad Enter") << "SubjectNumberInput" << "abc" << false << "";
    }

    void enterInAParameterBoxConfirmsOnce()
    {
        QFETCH(QString, box);
        QFETCH(QString, subject);
        QFETCH(bool, held);
        QFETCH(QString, log);
        WindowFixture f;
        const Controls &c = f.controls();
        QApplication::setActiveWindow(&f.window());
        auto *input = f.window().findChild<QLineEdit *>(box);
        QVERIFY(input);
        c.SubjectNumberInput->setText(subject);
        QTest::mouseClick(input, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(input));

        const Qt::Key key = QTest::currentDataTag() == QByteArray("refused subject, keypad Enter")
            ? Qt::Key_Enter : Qt::Key_Return;
        QWindow *handle = f.window().windowHandle();
        QTest::simulateEvent(handle, true, key, Qt::NoModifier, QStringLiteral("\r"), false);
        for (int i = 0; held && i < 10; ++i) {
            QTest::simulateEvent(handle, false, key, Qt::NoModifier, QStringLiteral("\r"), true);
            QTest::simulateEvent(handle, true, key, Qt::NoModifier, QStringLiteral("\r"), true);
        }
        QTest::simulateEvent(handle, false, key, Qt::NoModifier, QStringLiteral("\r"), false);

        if (log.isEmpty()) {
            QCOMPARE(f.boxes.shown.size(), 1);
            QVERIFY(f.boxes.shown[0].text.contains(QStringLiteral("Subject Number: \"abc\"")));
            QVERIFY(c.ExperimenterInput->isVisible());
            QCOMPARE(dataFiles(f), QStringList({"btinp.01", "okto.go"}));
            return;
        }
        QVERIFY(f.boxes.shown.isEmpty());
        QVERIFY(!c.ExperimenterInput->isVisible());
        QVERIFY(c.TimerOkToGo->isActive());
        QCOMPARE(f.readFile(log), QByteArray("12  1  3/4/09  512.5\r\n"));
        QCOMPARE(dataFiles(f), QStringList({"btinp.01", log, log + ".jsonl", "okto.go"}));
    }

    // A window minimized and restored at the parameter frame keeps the focus where it was,
    // so Enter still confirms.
    void minimizedAndRestoredTheFrameKeepsItsFocus()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        QApplication::setActiveWindow(&f.window());
        QTRY_VERIFY(c.ConfirmParameters->hasFocus());
        f.window().showMinimized();
        QTRY_VERIFY(f.window().isMinimized());
        f.window().showNormal();
        QApplication::setActiveWindow(&f.window());
        QTRY_VERIFY(!f.window().isMinimized());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.ConfirmParameters));
        QTest::simulateEvent(f.window().windowHandle(), true, Qt::Key_Return, Qt::NoModifier,
                             QStringLiteral("\r"), false);
        QTest::simulateEvent(f.window().windowHandle(), false, Qt::Key_Return, Qt::NoModifier,
                             QStringLiteral("\r"), false);
        QVERIFY(!c.ExperimenterInput->isVisible());
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
    }

    void typedParametersNameTheLogAndItsHeader()
    {
        WindowFixture f;
        f.controls().SubjectNumberInput->setText(QStringLiteral(" 5 "));
        f.controls().ParameterSetInput->setText(QStringLiteral("2"));
        f.confirm();
        QCOMPARE(f.random.seeds, QList<qint16>{520});
        QCOMPARE(f.readFile(QStringLiteral("o25btinp.01")), QByteArray("5  2  3/4/09  512.5\r\n"));
        QCOMPARE(f.window().state().PayoffText[1], QStringLiteral("-") + QChar(0x00A3) + QStringLiteral("2"));
    }

    void refusedEntriesLeaveNothingBehind_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("attempts");
        QTest::addColumn<QString>("expectedWords");

        QTest::newRow("subject not a number") << "abc" << "1" << "4" << "Subject Number: \"abc\" is not a number";
        QTest::newRow("subject beyond 16 bits") << "40000" << "1" << "4" << "Subject Number: \"40000\" lies outside";
        QTest::newRow("set not a number") << "99" << "1x" << "4" << "Parameter Set: \"1x\"";
        QTest::newRow("seed overflows") << "328" << "1" << "4" << "Subject Number 328 with Parameter Set 1";
        QTest::newRow("set times ten overflows") << "1" << "3277" << "4" << "random seed";
        QTest::newRow("no attempts") << "99" << "1" << "0" << "Number of Attempts: \"0\"";
        QTest::newRow("more attempts than room") << "99" << "1" << "21" << "1 to 20 attempts";
        QTest::newRow("set not in the file") << "99" << "7" << "4" << "Parameter set 7 is not in the input data file";
    }

    void refusedEntriesLeaveNothingBehind()
    {
        QFETCH(QString, subject);
        QFETCH(QString, set);
        QFETCH(QString, attempts);
        QFETCH(QString, expectedWords);
        WindowFixture f;
        const Controls &c = f.controls();
        c.SubjectNumberInput->setText(subject);
        c.ParameterSetInput->setText(set);
        c.NumberAttemptsInput->setText(attempts);
        f.confirm();

        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].warning);
        QVERIFY2(f.boxes.shown[0].text.contains(expectedWords), qPrintable(f.boxes.shown[0].text));
        QCOMPARE(dataFiles(f), QStringList({"btinp.01", "okto.go"}));
        QVERIFY(c.ExperimenterInput->isVisible());
        QVERIFY(!c.TimerOkToGo->isActive());
        QVERIFY(!c.OrrinLogo->isVisible());

        // The experimenter corrects the entry and confirms again.
        c.SubjectNumberInput->setText(QStringLiteral("99"));
        c.ParameterSetInput->setText(QStringLiteral("1"));
        c.NumberAttemptsInput->setText(QStringLiteral("4"));
        f.confirm();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
        QVERIFY(c.TimerOkToGo->isActive());
        QCOMPARE(f.random.seeds.last(), qint16(9910));
    }

    void troubledDataFilesAreExplainedAndCanBeFixed_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expectedWords");

        QTest::newRow("missing") << QByteArray() << "does not exist";
        QTest::newRow("not a whole number") << QByteArray("1, 2, 3.5, 4") << "line 1, column 7: \"3.5\" is not a whole number";
        QTest::newRow("out of range") << QByteArray("1\r\n 2, 32768") << "line 2, column 5: 32768 lies outside";
        QTest::newRow("ends inside the record") << QByteArray("1, 5, 6, 7\r\n") << "ends in the middle of a record";
        QTest::newRow("empty") << QByteArray("\r\n") << "holds no records";
    }

    void troubledDataFilesAreExplainedAndCanBeFixed()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expectedWords);
        WindowFixture f;
        QFile::remove(f.dataPath(QStringLiteral("btinp.01")));
        if (!content.isEmpty())
            f.writeFile(QStringLiteral("btinp.01"), content);
        f.confirm();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY2(f.boxes.shown[0].text.contains(expectedWords), qPrintable(f.boxes.shown[0].text));
        QVERIFY(f.boxes.shown[0].text.contains(QStringLiteral("btinp.01")));
        QVERIFY(!QFile::exists(f.dataPath(QStringLiteral("o199btinp.01"))));
        QVERIFY(f.controls().ExperimenterInput->isVisible());

        f.writeFile(QStringLiteral("btinp.01"), WindowFixture::payoffFileText());
        f.confirm();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
    }

    void aMissingDataFolderIsExplained()
    {
        WindowFixture f;
        QDir(f.dataPath(QString())).removeRecursively();
        f.confirm();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY2(f.boxes.shown[0].text.contains(QStringLiteral("data folder")), qPrintable(f.boxes.shown[0].text));
        QVERIFY(!QDir(f.dataPath(QString())).exists());
        QVERIFY(f.controls().ExperimenterInput->isVisible());
    }

    void aLogThatCannotBeCreatedIsReportedBeforeAnythingElse()
    {
        WindowFixture f;
        // The log's name ("o199" and the data file's name) is longer than a file name may be.
        const QString name = QString(252, QLatin1Char('b'));
        f.writeFile(name, WindowFixture::payoffFileText());
        f.controls().InputDataFileInput->setText(name);
        f.confirm();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY2(f.boxes.shown[0].text.contains(QStringLiteral("cannot be created")), qPrintable(f.boxes.shown[0].text));
        QVERIFY(!f.controls().TimerOkToGo->isActive());
        QVERIFY(f.controls().ExperimenterInput->isVisible());

        f.controls().InputDataFileInput->setText(QStringLiteral("btinp.01"));
        f.confirm();
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
    }

    void anEarlierLogOfTheSameNameIsKept()
    {
        WindowFixture f;
        f.writeFile(QStringLiteral("o199btinp.01"), "earlier run\r\n");
        f.writeFile(QStringLiteral("o199btinp.01.1"), "even earlier\r\n");
        f.writeFile(QStringLiteral("o199btinp.01.jsonl"), "{}\n");
        f.confirm();
        QCOMPARE(f.readFile(QStringLiteral("o199btinp.01.2")), QByteArray("earlier run\r\n"));
        QCOMPARE(f.readFile(QStringLiteral("o199btinp.01.2.jsonl")), QByteArray("{}\n")); // goes with it
        QCOMPARE(f.readFile(QStringLiteral("o199btinp.01.1")), QByteArray("even earlier\r\n"));
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].text.contains(QStringLiteral("o199btinp.01.2")));
        QVERIFY(!f.controls().ExperimenterInput->isVisible());
    }

    void parameterSetZeroPaysNothingAnywhere()
    {
        WindowFixture f;
        f.writeFile(QStringLiteral("btinp.01"), "not numbers at all");
        f.controls().ParameterSetInput->setText(QStringLiteral("0"));
        f.confirm();
        QVERIFY(f.boxes.shown.isEmpty());
        for (int j = 0; j < 64; ++j)
            QCOMPARE(f.window().state().PayoffText[j], QString(QChar(0x00A3)) + QLatin1Char('0'));
    }
};

DT_GUI_TEST_MAIN(TestConfirmParameters)
#include "TestConfirmParameters.moc"
