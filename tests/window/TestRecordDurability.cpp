#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "record/EventLog.h"
#include "window/widgets/Controls.h"
#include "window/SignalHandler.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include "TestFiles.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <functional>

// The record as a power cut, a termination signal and a subject's keyboard test it: every
// record forced to the disk before the next event, both files whole at every sync, the
// notepad's text exactly as typed, and a signal ending the run like a window close.
class TestRecordDurability : public QObject
{
    Q_OBJECT

    static inline const QString Log = QStringLiteral("o199btinp.01");
    static inline const QString Companion = QStringLiteral("o199btinp.01.jsonl");

    // Types text as a keyboard does, one key event per character ('\n' is Return).
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n')) {
                QTest::keyClick(widget, Qt::Key_Return);
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    }

    static QList<QJsonObject> objects(const QByteArray &jsonl) { return TestFiles::jsonObjects(jsonl); }

private slots:
    void eachRecordIsSyncedBeforeTheNextEvent()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        const QList<std::function<void()>> events = {
            [&] { f.confirm(); },
            [&] { f.writeFile(QStringLiteral("okto.go"), "1\r\n"); f.tick(); },
            [&] { f.click(c.Start); },
            [&] { f.clickNode(1, 0); type(c.Notepad, QStringLiteral("two\nlines")); },
            [&] { f.clickNode(2, 1); },
            [&] { f.click(c.CloseNotepad); },
            [&] { f.clickNode(1, 0); c.MoveLeft->click(); f.click(c.ConfirmDecision); },
            [&] { f.clickNode(2, 0); f.random.draws.append(0.75f); f.click(c.NatureMove); },
            [&] { f.clickNode(7, 1); },
        };
        for (qsizetype k = 0; k < events.size(); ++k) {
            events[k]();
            // Whatever the event wrote was forced to the disk before it returned.
            QCOMPARE(f.syncedSize(Log), qint64(f.log().size()));
            QCOMPARE(f.syncedSize(Companion), qint64(f.readFile(Companion).size()));
        }

        // A power cut at any moment leaves what the last sync saw: whole lines only, each
        // record of the log and each object of the companion complete.
        const QByteArray log = f.log();
        const QByteArray companion = f.readFile(Companion);
        const QString logPath = QFileInfo(f.dataPath(Log)).canonicalFilePath();
        int logSyncs = 0;
        for (const WindowFixture::Sync &sync : f.syncs) {
            const bool isLog = sync.path == logPath;
            const QByteArray left = (isLog ? log : companion).left(sync.size);
            logSyncs += isLog ? 1 : 0;
            QVERIFY2(left.endsWith(isLog ? "\r\n" : "\n"), qPrintable(sync.path));
            if (!isLog) {
                for (const QByteArray &line : left.trimmed().split('\n'))
                    QVERIFY2(QJsonDocument::fromJson(line).isObject(), line.constData());
            }
        }
        // One sync for the header and one for each record.
        const QList<QJsonObject> lines = objects(companion);
        const auto records = std::count_if(lines.cbegin(), lines.cend(),
            [](const QJsonObject &o) { return o.value(QStringLiteral("type")) == QStringLiteral("record"); });
        QCOMPARE(logSyncs, int(records) + 1);
    }

    // A box waits for the subject in an event loop of its own, which first turns once the
    // box is built and shown: by then the records written before it are on their way to
    // the disk, on the records' own thread, as the program runs.
    void theRecordsBeforeABoxReachTheDiskWhileItIsOpen_data()
    {
        QTest::addColumn<QList<bool>>("movesBefore"); // from d1 up to the chance node
        QTest::newRow("Nature's box at c1") << QList<bool>{true};
        QTest::newRow("Nature's box at c2") << QList<bool>{true, false, true};
        QTest::newRow("Nature's box at c3, the payoff reached") << QList<bool>{true, false, true, true, false};
    }

    void theRecordsBeforeABoxReachTheDiskWhileItIsOpen()
    {
        QFETCH(QList<bool>, movesBefore);
        WindowFixture f(WindowFixture::Syncs::Threaded);
        f.startRun();
        const int index = f.playMoves(movesBefore);
        f.clickNode(int(movesBefore.size()) + 1, index);
        EventLog &log = f.window().log();
        log.waitForDisk();
        const quint64 synced = log.syncsDone();
        const QByteArray logBefore = f.log();
        const qsizetype boxesBefore = f.boxes.shown.size();
        bool syncedWhileOpen = false;
        QByteArray logWhenShown;
        f.boxes.onShow = [&](const AnsweringMessageBoxes::Shown &) {
            if (f.boxes.shown.size() != boxesBefore + 1)
                return; // the first box after the move
            logWhenShown = f.log();
            // No event loop turns here, as none does while a real box is being put up.
            QElapsedTimer waited;
            waited.start();
            while (log.syncsDone() == synced && waited.elapsed() < 2000)
                QThread::msleep(1);
            syncedWhileOpen = log.syncsDone() > synced;
        };
        f.random.draws.append(0.75f);
        f.click(f.controls().NatureMove);
        QVERIFY(f.boxes.shown.size() > boxesBefore);
        QVERIFY(logWhenShown.size() > logBefore.size()); // Nature's move is recorded before the box
        QVERIFY(syncedWhileOpen);
    }

    void notepadKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("classic");
        QTest::newRow("no-break space (AltGr+Space)")
            << QStringLiteral("50\u00A0%") << QByteArray("50\xA0%");
        QTest::newRow("beyond Windows-1252: ? in the classic log only")
            << QStringLiteral("zł \u2192 ok") << QByteArray("z? ? ok");
        QTest::newRow("Return") << QStringLiteral("a\nb") << QByteArray("a\r\nb");
    }

    void notepadKeepsWhatWasTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, classic);
        WindowFixture f;
        f.startRun();
        f.clickNode(1, 0);
        type(f.controls().Notepad, typed);
        f.clickNode(2, 0);
        QVERIFY(f.log().endsWith(" NotepadContents     1 0 " + classic + "\r\n"));
        QCOMPARE(f.window().state().NoteTexts[1].value(0), typed);
        const QJsonObject last = objects(f.readFile(Companion)).last();
        QCOMPARE(last.value(QStringLiteral("type")).toString(), QStringLiteral("note"));
        QCOMPARE(last.value(QStringLiteral("text")).toString(), typed);
    }

#ifdef Q_OS_UNIX
    void aCompanionThatCannotBeCreatedStopsNothing()
    {
        // A dangling link in its place: the exclusive create refuses it.
        WindowFixture f;
        QVERIFY(QFile::link(f.dataPath(QStringLiteral("nowhere/x")), f.dataPath(Companion)));
        f.startRun();
        f.playMoves({true, true});
        QVERIFY(f.log().endsWith(" NatureMove          R 2 1\r\n"));
        QVERIFY(!QFileInfo::exists(f.dataPath(Companion)));
        // The experimenter is told once, at the confirmation; the subject's run goes on.
        QVERIFY(f.boxes.shown.size() >= 2);
        QVERIFY(f.boxes.shown.first().warning);
        QVERIFY(f.boxes.shown.first().text.contains(QDir::toNativeSeparators(f.dataPath(Companion))));
        QCOMPARE(std::count_if(f.boxes.shown.cbegin(), f.boxes.shown.cend(),
                               [](const auto &box) { return box.warning; }), 1);
    }

    void aTerminationSignalEndsTheRunLikeAWindowClose_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("SIGTERM") << int(SIGTERM) << QStringLiteral("SIGTERM");
        QTest::newRow("SIGHUP") << int(SIGHUP) << QStringLiteral("SIGHUP");
        QTest::newRow("SIGINT") << int(SIGINT) << QStringLiteral("SIGINT");
    }

    void aTerminationSignalEndsTheRunLikeAWindowClose()
    {
        QFETCH(int, number);
        QFETCH(QString, name);
        WindowFixture f;
        SignalHandler handler([&f](const QString &signal, int) { f.window().closeForSignal(signal); });
        f.startRun();
        f.clickNode(1, 0);
        type(f.controls().Notepad, QStringLiteral("half a thought"));
        const QByteArray log = f.log();
        std::raise(number);
        QTRY_VERIFY(!f.window().isVisible());
        QCOMPARE(f.log(), log);
        const QJsonObject exit = objects(f.readFile(Companion)).last();
        QCOMPARE(exit.value(QStringLiteral("type")).toString(), QStringLiteral("exit"));
        QCOMPARE(exit.value(QStringLiteral("how")).toString(), QStringLiteral("signal"));
        QCOMPARE(exit.value(QStringLiteral("signal")).toString(), name);
        QCOMPARE(exit.value(QStringLiteral("complete")).toBool(), false);
        const QJsonObject notepad = exit.value(QStringLiteral("notepad")).toObject();
        QCOMPARE(notepad.value(QStringLiteral("level")).toInt(), 1);
        QCOMPARE(notepad.value(QStringLiteral("text")).toString(), QStringLiteral("half a thought"));
    }
#endif
};

DT_GUI_TEST_MAIN(TestRecordDurability)
#include "TestRecordDurability.moc"
