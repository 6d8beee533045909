#include "AnsweringRoomBoxes.h"
#include "GuiTestMain.h"
#include "LabFolders.h"

#include "record/SystemClock.h"
#include "room/logic/RoomLog.h"
#include "room/widgets/PayDialog.h"
#include "room/widgets/RoomWindow.h"
#include "room/widgets/SetAsideDialog.h"
#include "session/SetAside.h"
#include "room/widgets/VerifyDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

using LabFolders::fileBytes;
using LabFolders::wholeExperimentLog;

// What the room window must never be turned into by the files around it: its audit trail
// written through a link onto a subject's log or an okto.go, a payments table written onto
// the audit trail, payoffs paid from what a payoff file held before it was rewritten. The
// real window, offscreen, over real folders, its boxes answered.
class TestRoomTrust : public QObject
{
    Q_OBJECT

    using Kind = AnsweringRoomBoxes::Kind;

    QTemporaryDir m_dir;
    SystemClock m_clock;
    AnsweringRoomBoxes m_boxes;
    std::unique_ptr<QSettings> m_settings;
    QString m_work;
    int m_rooms = 0;

    // ws1/data, ws2/data, ... each with okto.go 0, btinp.01 and the whole experiment's log
    // as subject 11, 12, ...
    QStringList room(int workstations)
    {
        const QString parent = QDir(m_dir.path()).filePath(QStringLiteral("room%1").arg(++m_rooms));
        QStringList folders;
        for (int k = 0; k < workstations; ++k) {
            const QString folder = LabFolders::workstation(parent, QStringLiteral("ws%1/data").arg(k + 1), " 0 \r\n",
                                                           QByteArray());
            LabFolders::putLogOf(folder, wholeExperimentLog(), 11 + k);
            folders.append(folder);
        }
        return folders;
    }

    std::unique_ptr<RoomWindow> open(const QStringList &folders)
    {
        auto window = std::make_unique<RoomWindow>(RoomServices{m_clock, m_boxes, *m_settings, m_work}, folders);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        return window;
    }

    static void click(QWidget &window, const QString &name)
    {
        auto *button = window.findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static void clickRow(RoomWindow &window, int row)
    {
        auto *view = window.findChild<QTableView *>(QStringLiteral("RoomTable"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
    }

    // Pay opened, the seed typed and drawn; the dialog.
    static PayDialog *drawn(RoomWindow &window, const QString &seed)
    {
        click(window, QStringLiteral("Pay"));
        auto *dialog = window.findChild<PayDialog *>();
        if (!dialog || !QTest::qWaitForWindowExposed(dialog))
            return nullptr;
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Seed")), seed);
        click(*dialog, QStringLiteral("Draw"));
        return dialog;
    }

    QString trail() const { return QDir(m_work).filePath(RoomLog::FileName); }

    // The window as the experimenter sees it, into build/.../tests/room/room-screens.
    static void shoot(QWidget &widget, const QString &name)
    {
        const QDir dir(QStringLiteral(QT_TESTCASE_BUILDDIR "/room-screens"));
        dir.mkpath(QStringLiteral("."));
        widget.grab().save(dir.filePath(name + QStringLiteral(".png")));
    }

    static bool touch(const QString &path, const QDateTime &when)
    {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime);
    }

    static QString findings(QWidget &dialog, const QString &name)
    {
        return dialog.findChild<QPlainTextEdit *>(name)->toPlainText();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(!wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
        m_settings = std::make_unique<QSettings>(QDir(m_dir.path()).filePath(QStringLiteral("room.ini")),
                                                 QSettings::IniFormat);
    }

    void init()
    {
        m_boxes = AnsweringRoomBoxes();
        m_work = QDir(m_dir.path()).filePath(QStringLiteral("work%1").arg(m_rooms));
        QVERIFY(QDir().mkpath(m_work));
    }

    // A payoff file rewritten in the open room at the same size, its time put back, is
    // paid as it now reads: as a fresh treelab pay pays it.
    void payReadsThePayoffFileAsItIsNow()
    {
        const QStringList folders = room(2);
        auto window = open(folders);
        QVERIFY(window);
        const QStringList pay{QStringLiteral("pay"), folders[0], folders[1], QStringLiteral("--seed"), QStringLiteral("4711"),
                              QStringLiteral("--out")};
        QCOMPARE(LabFolders::treelab(pay + QStringList{QDir(m_work).filePath(QStringLiteral("before.csv"))}).exitCode, 0);

        // Set 1 and set 2 swap their records: the same bytes in another order.
        for (const QString &folder : folders) {
            const QString payoffs = QDir(folder).filePath(QStringLiteral("btinp.01"));
            const QDateTime modified = QFileInfo(payoffs).lastModified();
            QByteArray text = fileBytes(payoffs);
            const qsizetype second = text.indexOf("\r\n2\r\n") + 2;
            QVERIFY(text.startsWith("1\r\n") && second > 2);
            text = "2\r\n" + text.mid(3, second - 3) + "1\r\n" + text.mid(second + 3);
            QFile file(payoffs);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(text) == text.size());
            file.close();
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime));
            file.close();
            QCOMPARE(QFileInfo(payoffs).lastModified(), modified);
        }
        window->tick();
        QCOMPARE(LabFolders::treelab(pay + QStringList{QDir(m_work).filePath(QStringLiteral("after.csv"))}).exitCode, 0);
        QVERIFY(fileBytes(QDir(m_work).filePath(QStringLiteral("after.csv")))
                != fileBytes(QDir(m_work).filePath(QStringLiteral("before.csv"))));

        PayDialog *dialog = drawn(*window, QStringLiteral("4711"));
        QVERIFY(dialog);
        click(*dialog, QStringLiteral("Write"));
        QCOMPARE(m_boxes.of(Kind::Information).size(), 1);
        QCOMPARE(fileBytes(QDir(m_work).filePath(QStringLiteral("payments.csv"))),
                 fileBytes(QDir(m_work).filePath(QStringLiteral("after.csv"))));
        dialog->close();
    }

    // room-log.txt made a second name of another workstation's log or okto.go: Prepare on
    // ws1 writes ws1's okto.go, says that its line could not be written, and leaves ws2's
    // files as they were.
    void theAuditTrailIsNeverWrittenThroughALink_data()
    {
        QTest::addColumn<bool>("hard");
        QTest::addColumn<QString>("target");
        QTest::newRow("a symbolic link to a log") << false << QStringLiteral("o112btinp.01");
        QTest::newRow("a hard link to a log") << true << QStringLiteral("o112btinp.01");
        QTest::newRow("a symbolic link to okto.go") << false << QStringLiteral("okto.go");
        QTest::newRow("a hard link to okto.go") << true << QStringLiteral("okto.go");
    }

    void theAuditTrailIsNeverWrittenThroughALink()
    {
        QFETCH(bool, hard);
        QFETCH(QString, target);
        const QStringList folders = room(2);
        const QString linked = QDir(folders[1]).filePath(target);
        const QByteArray before = fileBytes(linked);
        // std::filesystem rather than link(2) and symlink(2): the same on Windows, where a
        // symbolic link may need a privilege the test does not have.
        std::error_code error;
        const std::filesystem::path from = linked.toStdWString(), to = trail().toStdWString();
        if (hard)
            std::filesystem::create_hard_link(from, to, error);
        else
            std::filesystem::create_symlink(from, to, error);
#ifdef Q_OS_WIN
        if (error)
            QSKIP(qPrintable(QStringLiteral("no link made here: %1").arg(QString::fromStdString(error.message()))));
#endif
        QVERIFY2(!error, error.message().c_str());
        auto window = open(folders);
        QVERIFY(window);
        clickRow(*window, 0);
        click(*window, QStringLiteral("Prepare"));
        QCOMPARE(m_boxes.of(Kind::Confirm).size(), 1);
        const QList<AnsweringRoomBoxes::Shown> warned = m_boxes.of(Kind::Warning);
        QCOMPARE(warned.size(), 1);
        QVERIFY2(warned[0].text.contains(QDir::toNativeSeparators(trail())) && warned[0].text.contains(QStringLiteral("link")),
                 qPrintable(warned[0].text));
        QCOMPARE(fileBytes(linked), before);
        QCOMPARE(fileBytes(QDir(folders[0]).filePath(QStringLiteral("okto.go"))), QByteArray(" 0 \r\n"));
    }

    // Last week's log left in ws2: Pay names it with its day before anything is drawn,
    // pays the session's logs alone, with or without --partial, and takes it in only when
    // its checkbox is ticked; room-log.txt says which was done.
    void payLeavesOutTheLogsOfAnotherDay_data()
    {
        QTest::addColumn<bool>("partial");
        QTest::addColumn<bool>("include");
        QTest::addColumn<int>("rows");
        QTest::newRow("left out") << false << false << 1;
        QTest::newRow("left out with --partial") << true << false << 1;
        QTest::newRow("taken in") << false << true << 2;
    }

    void payLeavesOutTheLogsOfAnotherDay()
    {
        QFETCH(bool, partial);
        QFETCH(bool, include);
        QFETCH(int, rows);
        const QStringList folders = room(2);
        const QString old = QDir(folders[1]).filePath(QStringLiteral("o112btinp.01"));
        const QDate lastWeek = QDate::currentDate().addDays(-7);
        QVERIFY(touch(old, QDateTime(lastWeek, QTime(10, 0))));
        auto window = open(folders);
        QVERIFY(window);
        click(*window, QStringLiteral("Pay"));
        auto *dialog = window->findChild<PayDialog *>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        const QString before = findings(*dialog, QStringLiteral("PayFindings"));
        QVERIFY2(before.contains(QDir::toNativeSeparators(old)) && before.contains(lastWeek.toString(Qt::ISODate))
                     && before.contains(QStringLiteral("left out")),
                 qPrintable(before));
        auto *days = dialog->findChild<QCheckBox *>(QStringLiteral("IncludeDays"));
        QVERIFY(days && days->isVisible() && !days->isChecked());
        if (partial)
            QTest::mouseClick(dialog->findChild<QCheckBox *>(QStringLiteral("Partial")), Qt::LeftButton);
        if (include)
            QTest::mouseClick(days, Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Seed")), QStringLiteral("4711"));
        click(*dialog, QStringLiteral("Draw"));
        QCOMPARE(dialog->findChild<QTableWidget *>(QStringLiteral("Payments"))->rowCount(), rows);
        if (!include)
            shoot(*dialog, QStringLiteral("trust-pay-another-day"));
        click(*dialog, QStringLiteral("Write"));
        QCOMPARE(m_boxes.of(Kind::Information).size(), 1);
        const QString line = QString::fromUtf8(fileBytes(trail())).trimmed().section(QLatin1Char('\n'), -1);
        QVERIFY2(line.contains(include ? QStringLiteral("--include-days") : QStringLiteral("left out the logs of other days"))
                     && line.contains(QDir::toNativeSeparators(old)) && line.contains(QStringLiteral("--partial")) == partial,
                 qPrintable(line));
        dialog->close();
    }

    // Export asks before it takes in last week's log, names it with its day in its report,
    // and room-log.txt says what was answered.
    void exportAsksForTheLogsOfAnotherDay_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("left out") << false << 1;
        QTest::newRow("taken in") << true << 2;
    }

    void exportAsksForTheLogsOfAnotherDay()
    {
        QFETCH(bool, answer);
        QFETCH(int, rows);
        const QStringList folders = room(2);
        const QString old = QDir(folders[1]).filePath(QStringLiteral("o112btinp.01"));
        const QDate lastWeek = QDate::currentDate().addDays(-7);
        QVERIFY(touch(old, QDateTime(lastWeek, QTime(10, 0))));
        auto window = open(folders);
        QVERIFY(window);
        const QString out = QDir(m_work).filePath(QStringLiteral("tables"));
        QVERIFY(QDir().mkpath(out));
        m_boxes.folder = out;
        m_boxes.answer = answer;
        click(*window, QStringLiteral("Export"));
        const QList<AnsweringRoomBoxes::Shown> asked = m_boxes.of(Kind::Confirm);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].text.contains(QDir::toNativeSeparators(old)), qPrintable(asked[0].text));
        const QList<AnsweringRoomBoxes::Shown> told = m_boxes.of(Kind::Information);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].text.contains(lastWeek.toString(Qt::ISODate)), qPrintable(told[0].text));
        QCOMPARE(fileBytes(QDir(out).filePath(QStringLiteral("runs.csv"))).count('\n'), rows + 1);
        const QString line = QString::fromUtf8(fileBytes(trail())).trimmed().section(QLatin1Char('\n'), -1);
        QVERIFY2(line.contains(answer ? QStringLiteral("--include-days") : QStringLiteral("left out the logs of other days")),
                 qPrintable(line));
    }

    // Verify all gives each log's time, and a run whose companion has no end line yet is
    // still running while its log is written, cut off once it has long been silent.
    void verifyAllTellsARunningRunFromOneCutOff_data()
    {
        QTest::addColumn<int>("silentFor");
        QTest::addColumn<QString>("ending");
        QTest::newRow("written just now") << 0 << QStringLiteral("; still running");
        QTest::newRow("silent for an hour") << 3600 << QStringLiteral("; cut off with no end line");
    }

    void verifyAllTellsARunningRunFromOneCutOff()
    {
        QFETCH(int, silentFor);
        QFETCH(QString, ending);
        const QString parent = QDir(m_dir.path()).filePath(QStringLiteral("room%1").arg(++m_rooms));
        const QString folder = LabFolders::workstation(parent, QStringLiteral("ws1/data"), " 1 \r\n", wholeExperimentLog());
        const QString log = QDir(folder).filePath(QStringLiteral("o199btinp.01"));
        QByteArray companion = fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION));
        companion.truncate(companion.lastIndexOf("{\"type\":\"exit\""));
        QVERIFY(LabFolders::putFile(log + QStringLiteral(".jsonl"), companion));
        const QDateTime written = QDateTime::currentDateTime().addSecs(-silentFor);
        QVERIFY(touch(log, written));
        auto window = open({folder});
        QVERIFY(window);
        click(*window, QStringLiteral("VerifyAll"));
        auto *dialog = window->findChild<VerifyDialog *>();
        QVERIFY(dialog);
        auto *verdicts = dialog->findChild<QTableWidget *>(QStringLiteral("Verdicts"));
        QCOMPARE(verdicts->rowCount(), 1);
        QVERIFY2(verdicts->item(0, 4)->text().contains(ending), qPrintable(verdicts->item(0, 4)->text()));
        QCOMPARE(verdicts->horizontalHeaderItem(5)->text(), QStringLiteral("Last written"));
        QCOMPARE(verdicts->item(0, 5)->text(), written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        if (silentFor == 0)
            shoot(*dialog, QStringLiteral("trust-verify-running"));
        dialog->close();
    }

    // A program started with a wrong subject number, closed, and started again with the
    // right one leaves two logs of today in ws1. The abandoned one set aside, with the
    // reason typed: its bytes unchanged, its row says so, the folder is no longer marked
    // for two programs, Quit no longer says the subject has not finished, treelab status,
    // verify and pay name it and why and leave it out, room-log.txt has the decision.
    // Brought back, it counts again.
    void aMistakenLogIsSetAsideAndBroughtBack()
    {
        const QStringList folders = room(1);
        const QString mistaken = LabFolders::putLogOf(folders[0], LabFolders::firstLines(wholeExperimentLog(), 1), 13);
        // Ten minutes ago, but today: a room reads the logs of today.
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(touch(mistaken, qMax(now.addSecs(-600), now.date().startOfDay())));
        const QByteArray bytes = fileBytes(mistaken);
        auto window = open(folders);
        QVERIFY(window);
        const auto rowOf = [&](const QString &log) {
            const QList<RoomReader::Row> &rows = window->reader().rows();
            for (qsizetype k = 0; k < rows.size(); ++k)
                if (QFileInfo(rows[k].state.logPath) == QFileInfo(log))
                    return int(k);
            return -1;
        };
        QCOMPARE(window->reader().rows().size(), 2);
        QVERIFY(window->reader().rows()[rowOf(mistaken)].state.severalLogsToday);

        clickRow(*window, rowOf(mistaken));
        click(*window, QStringLiteral("SetAside"));
        auto *dialog = window->findChild<SetAsideDialog *>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("SetAsideOk"));
        QVERIFY(!ok->isEnabled());
        const QString reason = QStringLiteral("started again as subject 11");
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Reason")), reason);
        shoot(*dialog, QStringLiteral("trust-set-aside"));
        QTest::mouseClick(ok, Qt::LeftButton);
        shoot(*window, QStringLiteral("trust-room-set-aside"));

        QCOMPARE(fileBytes(mistaken), bytes);
        QVERIFY(QFileInfo::exists(SetAside::fileOf(mistaken)));
        const RoomReader::Row aside = window->reader().rows()[rowOf(mistaken)];
        QVERIFY2(aside.state.setAside.contains(reason), qPrintable(aside.state.setAside));
        QCOMPARE(aside.where.kind, RoomState::Kind::SetAside);
        QCOMPARE(aside.where.text, QStringLiteral("set aside"));
        for (const RoomReader::Row &row : window->reader().rows())
            QVERIFY(!row.state.severalLogsToday);
        QVERIFY(QString::fromUtf8(fileBytes(trail())).contains(QStringLiteral("  set aside  %1: %2")
                                                                   .arg(QDir::toNativeSeparators(mistaken), reason)));
        m_boxes.answer = false;
        click(*window, QStringLiteral("Quit"));
        QVERIFY2(!m_boxes.of(Kind::Confirm).last().text.contains(QStringLiteral("subject 13")),
                 qPrintable(m_boxes.of(Kind::Confirm).last().text));

        for (const QString &command : {QStringLiteral("status"), QStringLiteral("verify")}) {
            const LabFolders::Run run = LabFolders::treelab({command, folders[0]});
            QVERIFY2(run.out.contains(reason) || run.err.contains(reason), qPrintable(LabFolders::report(run)));
        }
        const LabFolders::Run paid = LabFolders::treelab({QStringLiteral("pay"), folders[0], QStringLiteral("--seed"),
                                                          QStringLiteral("1"), QStringLiteral("--out"),
                                                          QDir(m_work).filePath(QStringLiteral("p.csv"))});
        QVERIFY2(paid.exitCode == 0 && paid.err.contains(reason), qPrintable(LabFolders::report(paid)));

        m_boxes.answer = true;
        clickRow(*window, rowOf(mistaken));
        click(*window, QStringLiteral("BringBack"));
        QVERIFY2(m_boxes.of(Kind::Confirm).last().text.contains(reason), qPrintable(m_boxes.of(Kind::Confirm).last().text));
        QVERIFY(window->reader().rows()[rowOf(mistaken)].state.setAside.isEmpty());
        QVERIFY(window->reader().rows()[rowOf(mistaken)].state.severalLogsToday);
        QVERIFY(QString::fromUtf8(fileBytes(trail())).contains(QStringLiteral("  bring back  ") + QDir::toNativeSeparators(mistaken)));
        QCOMPARE(fileBytes(mistaken), bytes);
    }

    // Pay's CSV path set to room-log.txt: refused, and the audit trail keeps its lines.
    void payNeverWritesOntoTheAuditTrail()
    {
        const QStringList folders = room(1);
        auto window = open(folders);
        QVERIFY(window);
        clickRow(*window, 0);
        click(*window, QStringLiteral("Prepare")); // a line in the audit trail
        const QByteArray before = fileBytes(trail());
        QVERIFY(before.contains("  prepare  "));
        PayDialog *dialog = drawn(*window, QStringLiteral("4711"));
        QVERIFY(dialog);
        auto *csv = dialog->findChild<QLineEdit *>(QStringLiteral("PaymentsCsv"));
        csv->setText(QDir::toNativeSeparators(trail()));
        click(*dialog, QStringLiteral("Write"));
        const QList<AnsweringRoomBoxes::Shown> warned = m_boxes.of(Kind::Warning);
        QVERIFY(!warned.isEmpty());
        QVERIFY2(warned.last().text.contains(QStringLiteral("audit trail")), qPrintable(warned.last().text));
        QVERIFY(fileBytes(trail()).startsWith(before));
        QVERIFY(!fileBytes(trail()).contains("subject,"));
        dialog->close();
    }
};

DT_GUI_TEST_MAIN(TestRoomTrust)
#include "TestRoomTrust.moc"
