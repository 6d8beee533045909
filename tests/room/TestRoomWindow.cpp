#include "AnsweringRoomBoxes.h"
#include "GuiTestMain.h"
#include "LabFolders.h"

#include "record/LogReader.h"
#include "record/SystemClock.h"
#include "room/widgets/LiveTreeView.h"
#include "room/widgets/PayDialog.h"
#include "room/logic/RoomLog.h"
#include "room/widgets/RoomWindow.h"
#include "room/widgets/VerifyDialog.h"
#include "room/widgets/WorkProgress.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using LabFolders::fileBytes;
using LabFolders::firstLines;
using LabFolders::wholeExperimentLog;

namespace {

using Kind = AnsweringRoomBoxes::Kind;

#ifdef Q_OS_WIN
constexpr bool IsWindows = true;
#else
constexpr bool IsWindows = false;
#endif

// The whole experiment's lines from..to (1-based, inclusive), each with its CR LF.
QByteArray lines(int from, int to)
{
    const QByteArray whole = wholeExperimentLog();
    const qsizetype start = firstLines(whole, from - 1).size();
    return whole.mid(start, firstLines(whole, to).size() - start);
}

bool append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

QString okto(const QString &folder)
{
    return QString::fromLatin1(fileBytes(QDir(folder).filePath(QStringLiteral("okto.go"))));
}

// The companion record of a log that holds its header alone, put by the log at logPath:
// its run line as subject's, and the end line of a program closed by its window.
bool putClosedCompanion(const QString &logPath, int subject)
{
    QString companion = QStringLiteral(DT_WHOLE_EXPERIMENT_LOG);
    companion.replace(QStringLiteral(".log"), QStringLiteral(".jsonl"));
    const QByteArray whole = fileBytes(companion);
    QByteArray run = whole.left(whole.indexOf('\n') + 1);
    run.replace("\"subject\":99", "\"subject\":" + QByteArray::number(subject));
    run.replace("\"log\":\"o199btinp.01\"", "\"log\":\"o1" + QByteArray::number(subject) + "btinp.01\"");
    run.replace("\"header\":\"99 ", "\"header\":\"" + QByteArray::number(subject) + " ");
    return !run.isEmpty()
        && LabFolders::putFile(logPath + QStringLiteral(".jsonl"),
                               run + "{\"type\":\"exit\",\"ms\":5000,\"how\":\"windowClosed\",\"complete\":false}\n");
}

} // namespace

// The room window itself, offscreen, over real workstation folders: its table read through
// the poll and through QAccessible, its buttons clicked and their boxes answered, the files
// they write read back, and what it writes compared with what treelab writes.
class TestRoomWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    SystemClock m_clock;
    AnsweringRoomBoxes m_boxes;
    std::unique_ptr<QSettings> m_settings;
    QString m_work;    // the window's working folder: room-log.txt, default outputs
    int m_rooms = 0;

    // A fresh room of workstations ws1/data, ws2/data, ... each holding okto.go with
    // goAhead and, where logs[k] is not empty, that log as subject subjects[k]'s.
    QStringList room(const QList<QByteArray> &logs, const QList<int> &subjects, const QByteArray &goAhead = " 0 \r\n")
    {
        const QString parent = QDir(m_dir.path()).filePath(QStringLiteral("room%1").arg(++m_rooms));
        QStringList folders;
        for (qsizetype k = 0; k < logs.size(); ++k) {
            const QString folder = LabFolders::workstation(parent, QStringLiteral("ws%1/data").arg(k + 1), goAhead,
                                                           QByteArray());
            if (!logs[k].isEmpty())
                LabFolders::putLogOf(folder, logs[k], subjects.value(k, 99));
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

    static QTableView *table(RoomWindow &window) { return window.findChild<QTableView *>(QStringLiteral("RoomTable")); }

    // A cell's text as a screen reader reads it.
    static QString cell(RoomWindow &window, int row, int column)
    {
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(table(window));
        if (!view || !view->tableInterface())
            return QStringLiteral("<no accessible table>");
        QAccessibleInterface *item = view->tableInterface()->cellAt(row, column);
        return item ? item->text(QAccessible::Name) : QStringLiteral("<no cell %1,%2>").arg(row).arg(column);
    }

    static void clickRow(RoomWindow &window, int row)
    {
        QTableView *view = table(window);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
    }

    static void click(QWidget &window, const QString &name)
    {
        auto *button = window.findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The window as the experimenter sees it, into build/.../tests/room/room-screens.
    static void shoot(QWidget &widget, const QString &name)
    {
        const QDir dir(QStringLiteral(QT_TESTCASE_BUILDDIR "/room-screens"));
        dir.mkpath(QStringLiteral("."));
        widget.grab().save(dir.filePath(name + QStringLiteral(".png")));
    }

    QStringList roomLogLines() const
    {
        if (!QFileInfo::exists(QDir(m_work).filePath(RoomLog::FileName)))
            return {};
        return QString::fromUtf8(fileBytes(QDir(m_work).filePath(RoomLog::FileName))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
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
        QDir().mkpath(m_work);
    }

    void aLogAppearingFillsItsRow_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("attempt");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("over");
        QTest::newRow("its header alone") << 1 << QStringLiteral("-") << QStringLiteral("-") << QStringLiteral("no");
        QTest::newRow("at c3 in attempt 1") << 27 << QStringLiteral("1/4") << QStringLiteral("6 c3") << QStringLiteral("no");
        QTest::newRow("the whole experiment") << 111 << QStringLiteral("4/4") << QStringLiteral("7 p") << QStringLiteral("yes");
    }

    // A workstation without a log shows none; once the program writes one, the poll shows
    // its subject, attempt, level and whether it is over within a second or two.
    void aLogAppearingFillsItsRow()
    {
        QFETCH(int, lineCount);
        QFETCH(QString, attempt);
        QFETCH(QString, level);
        QFETCH(QString, over);
        const QStringList folders = room({QByteArray(), firstLines(wholeExperimentLog(), 27)}, {0, 12});
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(cell(*window, 0, RoomModel::Log), QStringLiteral("-"));
        QCOMPARE(cell(*window, 1, RoomModel::Subject), QStringLiteral("12"));

        QVERIFY(!LabFolders::putLogOf(folders[0], firstLines(wholeExperimentLog(), lineCount), 11).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(cell(*window, 0, RoomModel::Subject), QStringLiteral("11"), 5000);
        QCOMPARE(cell(*window, 0, RoomModel::Log), QStringLiteral("o111btinp.01"));
        QCOMPARE(cell(*window, 0, RoomModel::Attempt), attempt);
        QCOMPARE(cell(*window, 0, RoomModel::Level), level);
        QCOMPARE(cell(*window, 0, RoomModel::Over), over);
        QCOMPARE(cell(*window, 0, RoomModel::GoAhead), QStringLiteral("0"));
        if (lineCount == 111)
            shoot(*window, QStringLiteral("1-log-appeared"));
    }

    void releaseWritesAfterItsBox_data()
    {
        QTest::addColumn<int>("selected"); // -1: every row, by Select all
        QTest::addColumn<bool>("answer");
        QTest::newRow("every row selected, answered OK") << -1 << true;
        QTest::newRow("the second row selected, answered OK") << 1 << true;
        QTest::newRow("answered Cancel") << -1 << false;
    }

    // Release asks first, listing each workstation with what its okto.go holds now; on OK
    // each okto.go holds 1 as treelab release writes it, and room-log.txt gains one line
    // with each value before and after. Cancel writes no okto.go, and room-log.txt says so.
    void releaseWritesAfterItsBox()
    {
        QFETCH(int, selected);
        QFETCH(bool, answer);
        const QStringList folders = room({firstLines(wholeExperimentLog(), 1), firstLines(wholeExperimentLog(), 1)},
                                         {11, 12});
        auto window = open(folders);
        QVERIFY(window);
        if (selected >= 0)
            clickRow(*window, selected);
        else
            click(*window, QStringLiteral("SelectAll"));
        m_boxes.answer = answer;
        const QStringList before = roomLogLines();
        click(*window, QStringLiteral("Release"));

        const QList<AnsweringRoomBoxes::Shown> asked = m_boxes.of(Kind::Confirm);
        QCOMPARE(asked.size(), 1);
        const QStringList chosen = selected >= 0 ? QStringList{folders[selected]} : folders;
        for (const QString &folder : folders)
            QCOMPARE(asked[0].text.contains(QDir::toNativeSeparators(folder) + QStringLiteral(": okto.go holds 0")),
                     chosen.contains(folder));
        const QStringList after = roomLogLines();
        if (!answer) {
            QCOMPARE(okto(folders[0]), QStringLiteral(" 0 \r\n"));
            QCOMPARE(okto(folders[1]), QStringLiteral(" 0 \r\n"));
            // The cancel is the audit trail's too: one line, and nothing written.
            QCOMPARE(after.size(), before.size() + 1);
            QCOMPARE(after.mid(0, before.size()), before);
            QVERIFY2(after.last().contains(QStringLiteral("  release  cancelled at its box, nothing written: ")),
                     qPrintable(after.last()));
            QVERIFY(!window->statusBar()->currentMessage().contains(QStringLiteral("released")));
            return;
        }
        for (const QString &folder : folders)
            QCOMPARE(okto(folder), chosen.contains(folder) ? QStringLiteral(" 1 \r\n") : QStringLiteral(" 0 \r\n"));
        QCOMPARE(after.size(), before.size() + 1);
        QStringList parts;
        for (const QString &folder : chosen)
            parts.append(QDir::toNativeSeparators(folder) + QStringLiteral(": 0 -> 1"));
        QVERIFY2(after.last().endsWith(QStringLiteral("  release  ") + parts.join(QStringLiteral("; "))),
                 qPrintable(after.last()));
        QCOMPARE(m_boxes.of(Kind::Information).size(), 1);
        QVERIFY(m_boxes.of(Kind::Information)[0].text.contains(QStringLiteral("okto.go held 0; now it holds 1")));
        QCOMPARE(cell(*window, selected >= 0 ? selected : 0, RoomModel::GoAhead), QStringLiteral("1"));
        // The session's clock starts at the Release that wrote: within a second of the time
        // room-log.txt gives it.
        const QString status = window->statusBar()->currentMessage();
        const QRegularExpressionMatch released
            = QRegularExpression(QStringLiteral("released at (\\d\\d:\\d\\d:\\d\\d), \\d+ s ago")).match(status);
        QVERIFY2(released.hasMatch(), qPrintable(status));
        const QTime logged = QTime::fromString(after.last().mid(11, 8), QStringLiteral("HH:mm:ss"));
        QVERIFY2(std::abs(logged.secsTo(QTime::fromString(released.captured(1), QStringLiteral("HH:mm:ss")))) <= 1,
                 qPrintable(status + QLatin1Char('|') + after.last()));
        if (selected >= 0)
            shoot(*window, QStringLiteral("2-released-one"));
    }

    // Quit on a subject still in an attempt writes 99 as treelab quit does, and says, in
    // the box before and in the report after, that the program acts on it only later.
    void quitOnAnUnfinishedSubjectSaysSo()
    {
        const QStringList folders = room({firstLines(wholeExperimentLog(), 27)}, {11}, " 2 \r\n");
        auto window = open(folders);
        QVERIFY(window);
        clickRow(*window, 0);
        click(*window, QStringLiteral("Quit"));
        QCOMPARE(m_boxes.of(Kind::Confirm).size(), 1);
        QVERIFY2(m_boxes.of(Kind::Confirm)[0].text.contains(QStringLiteral("subject 11 has not finished (attempt 1/4)")),
                 qPrintable(m_boxes.of(Kind::Confirm)[0].text));
        QCOMPARE(okto(folders[0]), QStringLiteral(" 99 \r\n"));
        QCOMPARE(m_boxes.of(Kind::Warning).size(), 1);
        const LabFolders::Run quit = LabFolders::treelab({QStringLiteral("quit"), folders[0]});
        // What treelab says of the same folder now (99 read before, so nothing waits)
        // differs; what the window reported is the text treelab gives over a 2.
        QCOMPARE(quit.exitCode, 0);
        QVERIFY2(m_boxes.of(Kind::Warning)[0].text.contains(
                     QStringLiteral("okto.go held 2; now it holds 99 (the program of subject 11), but the subject has "
                                    "not finished (attempt 1/4)")),
                 qPrintable(m_boxes.of(Kind::Warning)[0].text));
        QVERIFY2(roomLogLines().last().contains(QStringLiteral(": 2 -> 99 (subject not finished: attempt 1/4)")),
                 qPrintable(roomLogLines().last()));
    }

    // One subject number typed at two workstations: both rows tinted, the reason in each
    // tooltip and a line for each in the panel below; the third row stays plain.
    void aDuplicateSubjectIsMarked()
    {
        const QByteArray middle = firstLines(wholeExperimentLog(), 27);
        const QStringList folders = room({middle, middle, middle}, {11, 12, 11});
        auto window = open(folders);
        QVERIFY(window);
        const QAbstractItemModel *model = table(*window)->model();
        for (const int row : {0, 2}) {
            QCOMPARE(cell(*window, row, RoomModel::Subject), QStringLiteral("11!"));
            QVERIFY(model->data(model->index(row, RoomModel::Subject), Qt::BackgroundRole).isValid());
            QVERIFY2(model->data(model->index(row, RoomModel::Log), Qt::ToolTipRole).toString()
                         .contains(QStringLiteral("same subject: subject 11 also has a log of today")),
                     qPrintable(model->data(model->index(row, RoomModel::Log), Qt::ToolTipRole).toString()));
        }
        QCOMPARE(cell(*window, 1, RoomModel::Subject), QStringLiteral("12"));
        QVERIFY(!model->data(model->index(1, RoomModel::Subject), Qt::BackgroundRole).isValid());
        auto *marks = window->findChild<QListWidget *>(QStringLiteral("Marks"));
        QVERIFY(marks);
        QStringList panel;
        for (int k = 0; k < marks->count(); ++k)
            panel.append(marks->item(k)->text());
        QCOMPARE(panel.filter(QStringLiteral("same subject")).size(), 2);
        QVERIFY(panel.filter(QDir::toNativeSeparators(folders[0])).size() == 1);
        const QString status = window->statusBar()->currentMessage();
        QVERIFY2(status.startsWith(QStringLiteral("3 workstations; 2 need attention (tinted)")), qPrintable(status));
        shoot(*window, QStringLiteral("3-duplicate-subject"));
    }

    void payWritesTheTableItShows_data()
    {
        QTest::addColumn<bool>("unfinished");
        QTest::addColumn<bool>("partial");
        QTest::addColumn<int>("rows");
        QTest::newRow("two finished runs") << false << false << 2;
        QTest::newRow("one unfinished run: refused") << true << false << 0;
        QTest::newRow("one unfinished run, --partial") << true << true << 2;
    }

    // Pay draws from the seed and shows the table; Write puts the CSV and the workbook in
    // place, the CSV byte for byte what treelab pay writes from the same folders. A run
    // not finished is refused, as treelab refuses it, unless --partial is ticked.
    void payWritesTheTableItShows()
    {
        QFETCH(bool, unfinished);
        QFETCH(bool, partial);
        QFETCH(int, rows);
        const QStringList folders = room({wholeExperimentLog(), unfinished ? firstLines(wholeExperimentLog(), 40)
                                                                           : wholeExperimentLog()},
                                         {11, 12});
        auto window = open(folders);
        QVERIFY(window);
        click(*window, QStringLiteral("Pay"));
        auto *dialog = window->findChild<PayDialog *>();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        auto *seed = dialog->findChild<QLineEdit *>(QStringLiteral("Seed"));
        auto *csv = dialog->findChild<QLineEdit *>(QStringLiteral("PaymentsCsv"));
        auto *book = dialog->findChild<QLineEdit *>(QStringLiteral("PaymentsWorkbook"));
        QVERIFY(seed && csv && book);
        QCOMPARE(QDir::fromNativeSeparators(csv->text()), QDir(m_work).filePath(QStringLiteral("payments.csv")));
        QTest::keyClicks(seed, QStringLiteral("4711"));
        if (partial) {
            QTest::mouseClick(dialog->findChild<QCheckBox *>(QStringLiteral("Partial")), Qt::LeftButton);
            click(*dialog, QStringLiteral("Draw"));
        } else {
            QTest::keyClick(seed, Qt::Key_Return); // Enter after the seed draws, as Draw does
        }
        auto *shown = dialog->findChild<QTableWidget *>(QStringLiteral("Payments"));
        QCOMPARE(shown->rowCount(), rows);
        auto *write = dialog->findChild<QPushButton *>(QStringLiteral("Write"));
        QCOMPARE(write->isEnabled(), rows > 0);

        QStringList arguments{QStringLiteral("pay")};
        arguments << folders << QStringLiteral("--seed") << QStringLiteral("4711") << QStringLiteral("--out")
                  << QDir(m_work).filePath(QStringLiteral("by-treelab.csv"));
        if (partial)
            arguments << QStringLiteral("--partial");
        const LabFolders::Run pay = LabFolders::treelab(arguments);
        QCOMPARE(pay.exitCode, rows > 0 ? 0 : 1);
        if (rows == 0) {
            QVERIFY(dialog->findChild<QWidget *>(QStringLiteral("PayFindings"))->property("plainText").toString()
                        .contains(QStringLiteral("subject 12 has not finished")));
            return;
        }
        shoot(*dialog, QStringLiteral("4-pay-drawn"));
        click(*dialog, QStringLiteral("Write"));
        QCOMPARE(m_boxes.of(Kind::Information).size(), 1);
        QCOMPARE(fileBytes(QDir(m_work).filePath(QStringLiteral("payments.csv"))),
                 fileBytes(QDir(m_work).filePath(QStringLiteral("by-treelab.csv"))));
        QVERIFY(QFileInfo(QDir(m_work).filePath(QStringLiteral("payments.xlsx"))).size() > 0);
        // What the table showed is what was written.
        const QStringList written = QString::fromUtf8(fileBytes(QDir(m_work).filePath(QStringLiteral("payments.csv"))))
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(written.size(), rows + 1);
        const int digest = int(Payment::header().indexOf(QStringLiteral("draw"))) + 1; // after the workstation
        QVERIFY(written[1].contains(shown->item(0, digest)->text()));
        QVERIFY(roomLogLines().last().contains(QStringLiteral("  pay  seed 4711")));
        dialog->close();
    }

    // Pay with a show-up fee of £2.50: each subject's amount comes first after the
    // workstation and subject, the total below, all in sight at the dialog's size; the
    // files written are treelab pay's with the same fee, byte for byte; printing draws the same pages; the audit
    // trail tells the fee, the files and what was printed. A fee that is not an amount
    // draws nothing.
    void payWithAShowUpFee()
    {
        const QStringList folders = room({wholeExperimentLog(), wholeExperimentLog()}, {11, 12});
        auto window = open(folders);
        QVERIFY(window);
        click(*window, QStringLiteral("Pay"));
        auto *dialog = window->findChild<PayDialog *>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        auto *fee = dialog->findChild<QLineEdit *>(QStringLiteral("ShowUpFee"));
        QVERIFY(fee);
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Seed")), QStringLiteral("4711"));
        fee->clear();
        QTest::keyClicks(fee, QStringLiteral("-2"));
        click(*dialog, QStringLiteral("Draw"));
        QVERIFY(dialog->findChild<QWidget *>(QStringLiteral("PayFindings"))->property("plainText").toString()
                    .contains(QStringLiteral("the show-up fee \"-2\" is not an amount")));
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("Write"))->isEnabled());
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("Save schedule"))->isEnabled());
        fee->clear();
        QTest::keyClicks(fee, QStringLiteral("2.50"));
        QTest::keyClick(fee, Qt::Key_Return);

        auto *shown = dialog->findChild<QTableWidget *>(QStringLiteral("Payments"));
        QCOMPARE(shown->rowCount(), 2);
        const QStringList header = Payment::header();
        QHeaderView *columns = shown->horizontalHeader();
        const auto logical = [&header](const char *name) { return int(header.indexOf(QLatin1String(name))) + 1; };
        QCOMPARE(columns->visualIndex(0), 0); // the workstation
        QCOMPARE(columns->visualIndex(logical("subject")), 1);
        QCOMPARE(columns->visualIndex(logical("amount")), 2);
        QCOMPARE(columns->visualIndex(logical("draw")), shown->columnCount() - 1);
        QCOMPARE(columns->visualIndex(logical("log")), shown->columnCount() - 2);
        QCOMPARE(shown->item(0, 0)->text(), QStringLiteral("ws1"));
        // Nothing needed is behind the scroll bar: up to the log's column, all in sight.
        const int logLeft = columns->sectionViewportPosition(logical("log"));
        QVERIFY2(logLeft <= shown->viewport()->width(), qPrintable(QString::number(logLeft)));
        const QString total = dialog->findChild<QLabel *>(QStringLiteral("PayTotal"))->text();
        shoot(*dialog, QStringLiteral("4-pay-with-fee"));

        const QString byTreelab = QDir(m_work).filePath(QStringLiteral("by-treelab"));
        QDir().mkpath(byTreelab);
        const LabFolders::Run pay = LabFolders::treelab(
            QStringList{QStringLiteral("pay")} + folders
            + QStringList{QStringLiteral("--seed"), QStringLiteral("4711"), QStringLiteral("--show-up-fee"),
                          QStringLiteral("2.50"), QStringLiteral("--out"), QDir(byTreelab).filePath(QStringLiteral("p.csv")),
                          QStringLiteral("--schedule"), QDir(byTreelab).filePath(QStringLiteral("s.pdf")),
                          QStringLiteral("--receipts"), QDir(byTreelab).filePath(QStringLiteral("r.pdf"))});
        QVERIFY2(pay.exitCode == 0, qPrintable(LabFolders::report(pay)));
        QVERIFY2(pay.out.contains(total.mid(total.indexOf(QStringLiteral("total"))) + QLatin1Char('\n')), qPrintable(total));

        click(*dialog, QStringLiteral("Write"));
        click(*dialog, QStringLiteral("Save schedule"));
        click(*dialog, QStringLiteral("Save receipts"));
        QCOMPARE(m_boxes.of(Kind::Warning).size(), 0);
        QCOMPARE(fileBytes(QDir(m_work).filePath(QStringLiteral("payments.csv"))),
                 fileBytes(QDir(byTreelab).filePath(QStringLiteral("p.csv"))));
        QCOMPARE(fileBytes(QDir(m_work).filePath(QStringLiteral("payment-schedule.pdf"))),
                 fileBytes(QDir(byTreelab).filePath(QStringLiteral("s.pdf"))));
        QCOMPARE(fileBytes(QDir(m_work).filePath(QStringLiteral("receipts.pdf"))),
                 fileBytes(QDir(byTreelab).filePath(QStringLiteral("r.pdf"))));
        // The texts too, where they can be read (not under Wine, which has no pdftotext).
        if (LabFolders::canReadPdf() || !IsWindows) {
            const QString schedule = LabFolders::pdfText(QDir(m_work).filePath(QStringLiteral("payment-schedule.pdf")));
            QVERIFY(!schedule.isEmpty());
            QCOMPARE(schedule, LabFolders::pdfText(QDir(byTreelab).filePath(QStringLiteral("s.pdf"))));
            QCOMPARE(LabFolders::pdfText(QDir(m_work).filePath(QStringLiteral("receipts.pdf"))),
                     LabFolders::pdfText(QDir(byTreelab).filePath(QStringLiteral("r.pdf"))));
        }

        click(*dialog, QStringLiteral("Print receipts..."));
        QCOMPARE(m_boxes.of(Kind::Print).size(), 1);
        const QString printed = QDir(m_work).filePath(QStringLiteral("printed.pdf"));
        QVERIFY(LabFolders::putFile(printed, m_boxes.printed));
        QCOMPARE(LabFolders::pdfPages(printed), 2);
        m_boxes.answer = false; // the print dialog cancelled: nothing printed, nothing logged
        click(*dialog, QStringLiteral("Print schedule..."));
        const QStringList trail = roomLogLines();
        QVERIFY(trail.filter(QStringLiteral("  pay  seed 4711, show-up fee 2.50: 2 subjects to")).size() == 1);
        QVERIFY(trail.filter(QStringLiteral("schedule of 2 subjects to ")).size() == 1);
        QVERIFY(trail.filter(QStringLiteral("receipts of 2 subjects to ")).size() == 1);
        QVERIFY(trail.filter(QStringLiteral("receipts of 2 subjects printed")).size() == 1);
        QVERIFY(trail.filter(QStringLiteral("schedule of 2 subjects printed")).isEmpty());
        dialog->close();
    }

    // Three workstations of set 1; ws3's payoff file says £25 where the others say £51 at
    // node 50. Pay names it and draws nothing until --force is ticked; the room's row of
    // ws3 carries the note.
    void aForgedPayoffTableStopsPay()
    {
        const QStringList folders = room({wholeExperimentLog(), wholeExperimentLog(), wholeExperimentLog()}, {1, 2, 3});
        const QString forged = QDir(folders[2]).filePath(QStringLiteral("btinp.01"));
        QByteArray payoffs = fileBytes(forged);
        const qsizetype at = payoffs.indexOf(" 51,");
        QVERIFY(at > 0);
        payoffs.replace(at, 4, " 25,");
        QVERIFY(LabFolders::putFile(forged, payoffs));
        auto window = open(folders);
        QVERIFY(window);
        click(*window, QStringLiteral("Pay"));
        auto *dialog = window->findChild<PayDialog *>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Seed")), QStringLiteral("4711"));
        click(*dialog, QStringLiteral("Draw"));
        const QString found = dialog->findChild<QWidget *>(QStringLiteral("PayFindings"))->property("plainText").toString();
        QVERIFY2(found.contains(QStringLiteral("payoff node 50 is %1 at ws1, ws2 but %2 at ws3")
                                    .arg(QStringLiteral("\u00a351"), QStringLiteral("\u00a325"))),
                 qPrintable(found));
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("Write"))->isEnabled());
        QTest::mouseClick(dialog->findChild<QCheckBox *>(QStringLiteral("Force")), Qt::LeftButton);
        click(*dialog, QStringLiteral("Draw"));
        QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("Write"))->isEnabled());
        dialog->close();
    }

    // Selecting a row draws its attempt in play; three node clicks appended to the log
    // appear on the picture at the next poll, numbered in order.
    void theLiveTreeFollowsThreeClicks()
    {
        const QStringList folders = room({firstLines(wholeExperimentLog(), 2)}, {11}, " 1 \r\n");
        auto window = open(folders);
        QVERIFY(window);
        auto *tree = window->findChild<LiveTreeView *>();
        QVERIFY(tree);
        QVERIFY(!tree->attempt().picture()); // nothing selected
        clickRow(*window, 0);
        QVERIFY(tree->attempt().picture());
        QCOMPARE(tree->attempt().facts().inspected, 0);

        // Lines 3 to 5: p(5), d3(13), d1(0).
        const QString log = QDir(folders[0]).filePath(QStringLiteral("o111btinp.01"));
        QVERIFY(append(log, lines(3, 5)));
        window->tick();
        const TreePicture *picture = tree->attempt().picture();
        QVERIFY(picture);
        QCOMPARE(tree->attempt().facts().inspected, 3);
        QCOMPARE(tree->attempt().facts().number, 1);
        QVERIFY(!tree->attempt().payoffText());
        const QString svg = picture->svg();
        for (const QString &number : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")})
            QVERIFY2(svg.contains(QStringLiteral(">%1</text>").arg(number)), qPrintable(number));
        QVERIFY(svg.contains(QStringLiteral("still in play")));
        const int reads = tree->attempt().reads();
        window->tick(); // unchanged: not read again
        QCOMPARE(tree->attempt().reads(), reads);
        shoot(*window, QStringLiteral("5-live-tree"));

        // On to the payoff: the picture shows what the subject was shown.
        QVERIFY(append(log, lines(6, 32)));
        window->tick();
        QVERIFY(tree->attempt().payoffText());
        QVERIFY(tree->attempt().picture()->svg().contains(*tree->attempt().payoffText()));
        shoot(*window, QStringLiteral("6-live-tree-payoff"));

        // Zoomed, the tree is larger than its panel, which scrolls.
        auto *zoom = window->findChild<QSpinBox *>(QStringLiteral("TreeZoom"));
        auto *area = window->findChild<QScrollArea *>(QStringLiteral("LiveTreeArea"));
        QVERIFY(zoom && area);
        const int fitted = tree->width();
        zoom->setValue(300);
        QTRY_VERIFY(tree->width() > 2 * fitted);
        shoot(*window, QStringLiteral("6b-live-tree-zoomed"));
    }

    // Whole room: the live tree gives way to the heatmap of every log of the room, the
    // seven subjects' 631 node clicks (56 of them on d1, two in each attempt), counted
    // from the logs' lines; Dwell sums their times; unticked, the subject's tree is back.
    void theWholeRoomsHeatmap()
    {
        const QString parent = QDir(m_dir.path()).filePath(QStringLiteral("room-of-seven"));
        const QDir recorded(QStringLiteral(DT_ROOM_OF_SEVEN));
        QStringList folders;
        for (int n = 1; n <= 7; ++n) {
            const QString folder = LabFolders::workstation(parent, QStringLiteral("ws%1/data").arg(n), " 2 \r\n",
                                                           QByteArray());
            // The payoff file the runs were played with, in place of the tests' own.
            QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("btinp.01"))));
            for (const QString &name : {QStringLiteral("o110%1btinp.01").arg(n), QStringLiteral("o110%1btinp.01.jsonl").arg(n),
                                        QStringLiteral("btinp.01")})
                QVERIFY(QFile::copy(recorded.filePath(name), QDir(folder).filePath(name)));
            folders << folder;
        }
        auto window = open(folders);
        QVERIFY(window);
        auto *tree = window->findChild<LiveTreeView *>();
        auto *whole = window->findChild<QCheckBox *>(QStringLiteral("WholeRoom"));
        auto *measure = window->findChild<QComboBox *>(QStringLiteral("HeatMeasure"));
        QVERIFY(tree && whole && measure);
        QCOMPARE(whole->accessibleName(), QStringLiteral("Whole room"));
        QVERIFY(!measure->isEnabled());
        clickRow(*window, 0);
        QVERIFY(tree->attempt().picture());

        QTest::mouseClick(whole, Qt::LeftButton);
        QVERIFY(tree->showsRoom());
        QVERIFY(measure->isEnabled());
        const HeatPicture *heat = tree->roomHeat().picture();
        QVERIFY2(heat, qPrintable(tree->roomHeat().why()));
        QCOMPARE(tree->drawing(), &heat->drawing());
        QString d1;
        for (const Drawing::Box &box : heat->drawing().boxes)
            if (box.tip.startsWith(QStringLiteral("d1(0): ")))
                d1 = box.tip;
        QCOMPARE(d1, QStringLiteral("d1(0): 56 inspection(s)"));
        bool toldAll = false;
        for (const Drawing::Text &text : heat->drawing().texts)
            toldAll = toldAll || text.text.contains(QStringLiteral("(631 in all)"));
        QVERIFY(toldAll);
        const int reads = tree->roomHeat().reads();
        window->tick(); // nothing changed: not read again
        QCOMPARE(tree->roomHeat().reads(), reads);
        shoot(*window, QStringLiteral("6c-whole-room"));

        measure->setCurrentIndex(measure->findText(QStringLiteral("Dwell")));
        QVERIFY(tree->roomHeat().picture());
        QCOMPARE(tree->roomHeat().picture()->drawing().texts.first().text.left(5), QStringLiteral("Dwell"));
        shoot(*window, QStringLiteral("6d-whole-room-dwell"));

        QTest::mouseClick(whole, Qt::LeftButton);
        QVERIFY(!tree->showsRoom());
        QCOMPARE(tree->drawing(), &tree->attempt().picture()->drawing());
    }

    // Screen readers and test tools read the buttons by their plain names and every cell
    // of the room table by its text.
    void buttonsAndCellsAreAccessible()
    {
        const QStringList folders = room({wholeExperimentLog(), QByteArray()}, {11});
        auto window = open(folders);
        QVERIFY(window);
        for (const QString &text : {QStringLiteral("Prepare"), QStringLiteral("Release"), QStringLiteral("Quit"),
                                    QStringLiteral("Verify all"), QStringLiteral("Pay"), QStringLiteral("Export")}) {
            QPushButton *found = nullptr;
            for (QPushButton *button : window->findChildren<QPushButton *>())
                if (button->text() == text)
                    found = button;
            QVERIFY2(found, qPrintable(text));
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(found);
            QVERIFY(face);
            QCOMPARE(face->text(QAccessible::Name), text);
            QCOMPARE(face->role(), QAccessible::Button);
        }
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(table(*window));
        QVERIFY(view && view->tableInterface());
        QCOMPARE(view->tableInterface()->rowCount(), 2);
        QCOMPARE(view->tableInterface()->columnCount(), int(RoomModel::ColumnCount));
        QCOMPARE(view->tableInterface()->columnDescription(RoomModel::GoAhead), QStringLiteral("Go-ahead"));
        const QAbstractItemModel *model = table(*window)->model();
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < RoomModel::ColumnCount; ++column)
                QCOMPARE(cell(*window, row, column), model->data(model->index(row, column)).toString());
        QCOMPARE(cell(*window, 0, RoomModel::Payoffs).count(QChar(0x00A3)), 4);
    }

    void everyActionHasAShortcut_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("asked"); // the box's title, or the dialog's object name
        QTest::newRow("Prepare") << QKeySequence(QStringLiteral("Ctrl+Shift+P")) << QStringLiteral("Prepare");
        QTest::newRow("Release") << QKeySequence(QStringLiteral("Ctrl+Shift+R")) << QStringLiteral("Release");
        QTest::newRow("Quit") << QKeySequence(QStringLiteral("Ctrl+Shift+Q")) << QStringLiteral("Quit");
        QTest::newRow("Export") << QKeySequence(QStringLiteral("Ctrl+Shift+E")) << QStringLiteral("Export into");
        QTest::newRow("Add folder") << QKeySequence(QStringLiteral("Ctrl+O")) << QStringLiteral("Add a data folder");
        QTest::newRow("Verify all") << QKeySequence(QStringLiteral("Ctrl+Shift+V")) << QStringLiteral("VerifyAll");
        QTest::newRow("Pay") << QKeySequence(QStringLiteral("Ctrl+Shift+Y")) << QStringLiteral("Pay");
    }

    // Each action answers its keys; the boxes are answered Cancel or with no folder, so
    // nothing is written.
    void everyActionHasAShortcut()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, asked);
        const QStringList folders = room({wholeExperimentLog()}, {11});
        auto window = open(folders);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        m_boxes.answer = false;
        // As typed: through the window system into the active window, every row selected
        // first (Ctrl+A) for the actions on the selected workstations.
        QTest::keySequence(window->windowHandle(), QKeySequence(QKeySequence::SelectAll));
        QTRY_COMPARE(table(*window)->selectionModel()->selectedRows().size(), 1);
        QTest::keySequence(window->windowHandle(), keys);
        // A button's shortcut clicks it as a short animation: at once on screen, the
        // click itself a moment later.
        if (asked == QLatin1String("VerifyAll") || asked == QLatin1String("Pay")) {
            QTRY_VERIFY2(window->findChild<QDialog *>(asked), qPrintable(asked));
            window->findChild<QDialog *>(asked)->close();
        } else {
            QTRY_COMPARE(m_boxes.shown.size(), 1);
            QVERIFY2(m_boxes.shown[0].title.startsWith(asked), qPrintable(m_boxes.shown[0].title));
        }
        QCOMPARE(okto(folders[0]), QStringLiteral(" 0 \r\n"));
    }

    // Verify all: one verdict per log of the room, a damaged one failing with its line.
    void verifyAllGivesEachLogsVerdict()
    {
        QByteArray damaged = firstLines(wholeExperimentLog(), 27) + "46 Continue            \r\n";
        const QStringList folders = room({wholeExperimentLog(), damaged}, {11, 12});
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(cell(*window, 1, RoomModel::Log), QStringLiteral("o112btinp.01"));
        QVERIFY(RoomModel::reasons(window->reader().rows()[1]).contains(QStringLiteral("fails verification")));
        click(*window, QStringLiteral("VerifyAll"));
        auto *dialog = window->findChild<VerifyDialog *>();
        QVERIFY(dialog);
        auto *verdicts = dialog->findChild<QTableWidget *>(QStringLiteral("Verdicts"));
        QCOMPARE(verdicts->rowCount(), 2);
        QCOMPARE(verdicts->item(0, 1)->text(), QStringLiteral("ok"));
        QCOMPARE(verdicts->item(0, 4)->text(), QStringLiteral("all 4 attempts finished"));
        QCOMPARE(verdicts->item(1, 1)->text(), QStringLiteral("fails"));
        QVERIFY2(verdicts->item(1, 5)->toolTip().contains(QStringLiteral(":28: ")), qPrintable(verdicts->item(1, 5)->toolTip()));
        QVERIFY(roomLogLines().last().contains(QStringLiteral("  verify  2 logs: 1 ok, 1 fail")));
        shoot(*dialog, QStringLiteral("7-verify-all"));
        dialog->close();
    }

    // Export into the folder chosen: the tables byte for byte as treelab export writes
    // them from the same folders.
    void exportWritesTheTablesIntoTheFolderChosen()
    {
        const QStringList folders = room({wholeExperimentLog(), firstLines(wholeExperimentLog(), 40)}, {11, 12});
        auto window = open(folders);
        QVERIFY(window);
        const QString out = QDir(m_work).filePath(QStringLiteral("tables"));
        QVERIFY(QDir().mkpath(out));
        m_boxes.folder = out;
        click(*window, QStringLiteral("Export"));
        QCOMPARE(m_boxes.of(Kind::Information).size(), 1);
        QStringList arguments{QStringLiteral("export")};
        arguments << folders << QStringLiteral("--events") << QDir(m_work).filePath(QStringLiteral("e.csv"))
                  << QStringLiteral("--attempts") << QDir(m_work).filePath(QStringLiteral("a.csv"));
        const LabFolders::Run exported = LabFolders::treelab(arguments);
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(fileBytes(QDir(out).filePath(QStringLiteral("events.csv"))),
                 fileBytes(QDir(m_work).filePath(QStringLiteral("e.csv"))));
        QCOMPARE(fileBytes(QDir(out).filePath(QStringLiteral("attempts.csv"))),
                 fileBytes(QDir(m_work).filePath(QStringLiteral("a.csv"))));
        QVERIFY(QFileInfo(QDir(out).filePath(QStringLiteral("tables.xlsx"))).size() > 0);
        QVERIFY(roomLogLines().last().contains(QStringLiteral("  export  2 logs exported to")));
    }

    // Every table the room's Export writes, the search measures and the payoffs among them,
    // from a log with its companion record and one without: each file byte for byte as
    // treelab export writes that table from the same folders.
    void exportWritesEveryTableAsTreelabDoes()
    {
        const QStringList folders = room({wholeExperimentLog(), firstLines(wholeExperimentLog(), 40)}, {99, 12});
        QString companion = QStringLiteral(DT_WHOLE_EXPERIMENT_LOG);
        companion.replace(QStringLiteral(".log"), QStringLiteral(".jsonl"));
        QVERIFY(LabFolders::putFile(QDir(folders[0]).filePath(QStringLiteral("o199btinp.01.jsonl")),
                                    fileBytes(companion)
                                        .replace("@START@", "2009-03-04T00:08:32.500+01:00")
                                        .replace("@HOST@", "lab-07")));
        auto window = open(folders);
        QVERIFY(window);
        const QString out = QDir(m_work).filePath(QStringLiteral("every-table"));
        QVERIFY(QDir().mkpath(out));
        m_boxes.folder = out;
        click(*window, QStringLiteral("Export"));
        QCOMPARE(m_boxes.of(Kind::Information).size(), 1);
        const QStringList tables = QDir(out).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
        QVERIFY2(tables.contains(QStringLiteral("measures.csv")) && tables.contains(QStringLiteral("payoffs.csv")),
                 qPrintable(tables.join(QLatin1Char(' '))));
        const QString mine = QDir(m_work).filePath(QStringLiteral("every-table-treelab"));
        QVERIFY(QDir().mkpath(mine));
        QStringList arguments = QStringList{QStringLiteral("export")} + folders;
        for (const QString &table : tables)
            arguments << QStringLiteral("--") + QFileInfo(table).completeBaseName() << QDir(mine).filePath(table);
        const LabFolders::Run exported = LabFolders::treelab(arguments);
        QVERIFY2(exported.exitCode == 0, qPrintable(LabFolders::report(exported)));
        for (const QString &table : tables) {
            const QByteArray room = fileBytes(QDir(out).filePath(table));
            QVERIFY2(room.count('\n') > 1, qPrintable(table));
            QVERIFY2(room == fileBytes(QDir(mine).filePath(table)), qPrintable(table));
        }
        // The log with the companion (ws1's, the first rows) has its times in the measures.
        const QList<QByteArray> measures = fileBytes(QDir(out).filePath(QStringLiteral("measures.csv"))).split('\n');
        QVERIFY2(measures.value(1).startsWith(
                     QDir::toNativeSeparators(QDir(folders[0]).filePath(QStringLiteral("o199btinp.01"))).toUtf8())
                     && !measures.value(1).endsWith(','),
                 measures.value(1).constData());
        // The workbook beside them holds a sheet for each of them.
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("unzip is not installed here");
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), QDir(out).filePath(QStringLiteral("tables.xlsx")),
                                              QStringLiteral("xl/workbook.xml")});
        QVERIFY(unzip.waitForFinished(30000));
        const QByteArray sheets = unzip.readAllStandardOutput();
        for (const QString &table : tables)
            QVERIFY2(sheets.contains("name=\"" + QFileInfo(table).completeBaseName().toUtf8() + '"'), sheets.constData());
    }

    void aLogThatFailsIsExportedOnlyWhenForced_data()
    {
        QTest::addColumn<bool>("force");
        QTest::newRow("answered Cancel: nothing written") << false;
        QTest::newRow("answered OK: as treelab export --force") << true;
    }

    // A damaged log stops the export, and the box that says so offers --force; taken, the
    // tables are what treelab export --force writes.
    void aLogThatFailsIsExportedOnlyWhenForced()
    {
        QFETCH(bool, force);
        const QByteArray damaged = firstLines(wholeExperimentLog(), 27) + "46 Continue            \r\n";
        const QStringList folders = room({wholeExperimentLog(), damaged}, {11, 12});
        auto window = open(folders);
        QVERIFY(window);
        const QString out = QDir(m_work).filePath(QStringLiteral("forced"));
        QVERIFY(QDir().mkpath(out));
        m_boxes.folder = out;
        m_boxes.answer = force;
        click(*window, QStringLiteral("Export"));
        const QList<AnsweringRoomBoxes::Shown> asked = m_boxes.of(Kind::Confirm);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.first().text.startsWith(QStringLiteral("1 of the logs fail verification")),
                 qPrintable(asked.first().text));
        const QString events = QDir(out).filePath(QStringLiteral("events.csv"));
        QCOMPARE(QFileInfo::exists(events), force);
        if (!force)
            return;
        QStringList arguments{QStringLiteral("export")};
        arguments << folders << QStringLiteral("--force") << QStringLiteral("--events")
                  << QDir(m_work).filePath(QStringLiteral("forced-events.csv"));
        QCOMPARE(LabFolders::treelab(arguments).exitCode, 0);
        QCOMPARE(fileBytes(events), fileBytes(QDir(m_work).filePath(QStringLiteral("forced-events.csv"))));
    }

    void payReadsALogThatFailsOnlyWithForce_data()
    {
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("rows");
        QTest::newRow("without --force: nothing drawn") << false << 0;
        QTest::newRow("with --force: both paid") << true << 2;
    }

    void payReadsALogThatFailsOnlyWithForce()
    {
        QFETCH(bool, force);
        QFETCH(int, rows);
        // Subject 12's log: a record after its last Continue that the rules do not place.
        const QByteArray damaged = wholeExperimentLog() + "999 Continue            \r\n";
        auto window = open(room({wholeExperimentLog(), damaged}, {11, 12}));
        QVERIFY(window);
        click(*window, QStringLiteral("Pay"));
        auto *dialog = window->findChild<PayDialog *>();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Seed")), QStringLiteral("4711"));
        if (force)
            QTest::mouseClick(dialog->findChild<QCheckBox *>(QStringLiteral("Force")), Qt::LeftButton);
        click(*dialog, QStringLiteral("Draw"));
        QCOMPARE(dialog->findChild<QTableWidget *>(QStringLiteral("Payments"))->rowCount(), rows);
    }

    // Cancel on the export's progress bar, pressed while the logs are read: every table
    // already in the folder stays as it was, and nothing new or half written is left there.
    void aCancelledExportLeavesTheFolderAsItWas()
    {
        const QByteArray whole = wholeExperimentLog();
        const QStringList folders = room({whole, whole, whole, whole, whole}, {11, 12, 13, 14, 15});
        auto window = open(folders);
        QVERIFY(window);
        const QString out = QDir(m_work).filePath(QStringLiteral("cancelled"));
        QVERIFY(QDir().mkpath(out));
        const QString events = QDir(out).filePath(QStringLiteral("events.csv"));
        QVERIFY(LabFolders::putFile(events, "last week's table\r\n"));
        m_boxes.folder = out;

        WorkProgress::setShowAfter(0);
        QString label;
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, [&] {
            for (QProgressDialog *bar : window->findChildren<QProgressDialog *>()) {
                if (!bar->isVisible())
                    continue;
                label = bar->labelText();
                if (auto *button = bar->findChild<QPushButton *>(); button && button->text() == QLatin1String("Cancel"))
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        cancel.start(0);
        click(*window, QStringLiteral("Export"));
        cancel.stop();
        WorkProgress::setShowAfter(500);

        QCOMPARE(label, QStringLiteral("Exporting the logs..."));
        QCOMPARE(m_boxes.of(Kind::Warning).size(), 1);
        QVERIFY2(m_boxes.of(Kind::Warning).first().text.startsWith(QStringLiteral("Export cancelled: nothing written.")),
                 qPrintable(m_boxes.of(Kind::Warning).first().text));
        QCOMPARE(fileBytes(events), QByteArray("last week's table\r\n"));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("events.csv")});
        QVERIFY(roomLogLines().last().contains(QStringLiteral("  export  nothing written into")));
    }

    void anActionReachesOnlyTheRowsSelected_data()
    {
        QTest::addColumn<bool>("appears"); // else one goes
        QTest::newRow("a log appears at ws2 (a program restarted)") << true;
        QTest::newRow("a log moved away from ws2") << false;
    }

    // ws4 selected, then a row comes or goes at ws2 at a poll: ws4 stays selected, and
    // Quit asks of ws4 alone and writes 99 into ws4's okto.go alone.
    void anActionReachesOnlyTheRowsSelected()
    {
        QFETCH(bool, appears);
        const QByteArray header = firstLines(wholeExperimentLog(), 1);
        const QStringList folders = room({header, header, header, header, header}, {11, 12, 13, 14, 15});
        const QString extra = QDir(folders[1]).filePath(QStringLiteral("o122btinp.01"));
        if (!appears)
            QVERIFY(!LabFolders::putLogOf(folders[1], header, 22).isEmpty());
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(table(*window)->model()->rowCount(), appears ? 5 : 6);
        const int ws4 = appears ? 3 : 4;
        QCOMPARE(cell(*window, ws4, RoomModel::Folder), QStringLiteral("ws4"));
        auto *quit = window->findChild<QPushButton *>(QStringLiteral("Quit"));
        QVERIFY(!quit->isEnabled()); // nothing selected: no target
        clickRow(*window, ws4);
        QVERIFY(quit->isEnabled());

        if (appears)
            QVERIFY(!LabFolders::putLogOf(folders[1], header, 22).isEmpty());
        else
            QVERIFY(QFile::rename(extra, QDir(m_dir.path()).filePath(QStringLiteral("moved-away-%1").arg(m_rooms))));
        window->tick();
        QCOMPARE(table(*window)->model()->rowCount(), appears ? 6 : 5);
        const QModelIndexList selected = table(*window)->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().data().toString(), QStringLiteral("ws4"));

        click(*window, QStringLiteral("Quit"));
        const QList<AnsweringRoomBoxes::Shown> asked = m_boxes.of(Kind::Confirm);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].text.startsWith(QStringLiteral("Quit: write 99 into okto.go of 1 workstation: ws4?")),
                 qPrintable(asked[0].text));
        for (qsizetype k = 0; k < folders.size(); ++k) {
            QCOMPARE(asked[0].text.contains(QDir::toNativeSeparators(folders[k])), k == 3);
            QCOMPARE(okto(folders[k]), k == 3 ? QStringLiteral(" 99 \r\n") : QStringLiteral(" 0 \r\n"));
        }
        if (appears)
            shoot(*window, QStringLiteral("8-one-selected-after-a-row-came"));
    }

    // The table's model through real polls of real folders, checked by Qt's own model
    // tester: a log that comes is one row inserted, one moved away one removed, never a
    // reset; the rows kept keep their indexes.
    void theModelTellsEachRowThatComesAndGoes()
    {
        const QByteArray header = firstLines(wholeExperimentLog(), 1);
        const QStringList folders = room({header, firstLines(wholeExperimentLog(), 27), header}, {11, 12, 13});
        RoomReader reader(m_clock, 0);
        reader.setFolders(folders);
        RoomModel model(reader);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelAboutToBeReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        model.tick();
        QCOMPARE(model.rowCount(), 3);
        inserted.clear();
        const QPersistentModelIndex third(model.index(2, RoomModel::Subject));

        const QString second = LabFolders::putLogOf(folders[0], header, 21);
        QVERIFY(!second.isEmpty());
        model.tick();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(inserted.size(), 1);
        QVERIFY(third.isValid());
        QCOMPARE(third.row(), 3);
        QCOMPARE(third.data().toString(), QStringLiteral("13"));

        QVERIFY(QFile::rename(second, QDir(m_dir.path()).filePath(QStringLiteral("away-%1").arg(m_rooms))));
        QVERIFY(LabFolders::putLogOf(folders[1], wholeExperimentLog(), 12).size() > 0); // grown: changed only
        model.tick();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(third.row(), 2);
        QCOMPARE(model.index(1, RoomModel::Over).data().toString(), QStringLiteral("yes"));
        QCOMPARE(resets.size(), 0);
    }

    void eachRowSaysWhereItStands_data()
    {
        QTest::addColumn<int>("lineCount"); // -1: no log
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("state");
        QTest::newRow("no log") << -1 << false << QStringLiteral("waiting for parameters");
        QTest::newRow("its header alone") << 1 << false << QStringLiteral("waiting for Start");
        QTest::newRow("at c3 in attempt 1") << 27 << false << QStringLiteral("in attempt 1 of 4 at c3");
        QTest::newRow("the whole experiment") << 111 << false << QStringLiteral("finished");
        QTest::newRow("its header alone, its program closed") << 1 << true << QStringLiteral("closed");
    }

    // Each row names its workstation by the part of its folder that differs, the full path
    // in the tooltip, and says in words where the subject stands.
    void eachRowSaysWhereItStands()
    {
        QFETCH(int, lineCount);
        QFETCH(bool, closed);
        QFETCH(QString, state);
        const QStringList folders = room({QByteArray(), QByteArray()}, {0, 0});
        if (lineCount > 0) {
            const QString log = LabFolders::putLogOf(folders[1], firstLines(wholeExperimentLog(), lineCount), 12);
            QVERIFY(!log.isEmpty());
            if (closed)
                QVERIFY(putClosedCompanion(log, 12));
        }
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(cell(*window, 1, RoomModel::Folder), QStringLiteral("ws2"));
        const QAbstractItemModel *model = table(*window)->model();
        QVERIFY(model->data(model->index(1, RoomModel::Folder), Qt::ToolTipRole).toString().contains(
            QDir::toNativeSeparators(folders[1])));
        QCOMPARE(cell(*window, 1, RoomModel::State), state);
        QVERIFY(model->data(model->index(1, RoomModel::State), Qt::BackgroundRole).isValid());
    }

    // A program restarted with the right subject number leaves the first log, its header
    // alone and its program closed: Quit neither asks nor writes that its subject has not
    // finished, while the subject still in play is named.
    void aClosedRunThatNeverStartedIsNotUnfinished()
    {
        const QStringList folders = room({firstLines(wholeExperimentLog(), 27)}, {104}, " 2 \r\n");
        const QString abandoned = LabFolders::putLogOf(folders[0], firstLines(wholeExperimentLog(), 1), 103);
        QVERIFY(!abandoned.isEmpty());
        QVERIFY(putClosedCompanion(abandoned, 103));
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(table(*window)->model()->rowCount(), 2);
        QStringList states{cell(*window, 0, RoomModel::State), cell(*window, 1, RoomModel::State)};
        states.sort();
        QCOMPARE(states, (QStringList{QStringLiteral("closed"), QStringLiteral("in attempt 1 of 4 at c3")}));
        click(*window, QStringLiteral("SelectAll"));
        click(*window, QStringLiteral("Quit"));
        QCOMPARE(m_boxes.of(Kind::Confirm).size(), 1);
        const QString asked = m_boxes.of(Kind::Confirm)[0].text;
        QVERIFY2(!asked.contains(QStringLiteral("subject 103 has not finished")), qPrintable(asked));
        QVERIFY2(asked.contains(QStringLiteral("subject 104 has not finished (attempt 1/4)")), qPrintable(asked));
        QVERIFY2(!roomLogLines().last().contains(QStringLiteral("subject 103")), qPrintable(roomLogLines().last()));
        QVERIFY2(roomLogLines().last().contains(QStringLiteral("(subject not finished: attempt 1/4)")),
                 qPrintable(roomLogLines().last()));
    }

    // A room of seven drawn: every subject's row in view at once, the dialog on the screen.
    void payShowsEverySubjectOfTheRoom()
    {
        QList<QByteArray> logs;
        for (int k = 0; k < 7; ++k)
            logs.append(wholeExperimentLog());
        auto window = open(room(logs, {11, 12, 13, 14, 15, 16, 17}));
        QVERIFY(window);
        click(*window, QStringLiteral("Pay"));
        auto *dialog = window->findChild<PayDialog *>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Seed")), QStringLiteral("4711"));
        click(*dialog, QStringLiteral("Draw"));
        auto *shown = dialog->findChild<QTableWidget *>(QStringLiteral("Payments"));
        QCOMPARE(shown->rowCount(), 7);
        QTRY_VERIFY(shown->viewport()->rect().contains(shown->visualRect(shown->model()->index(6, 0))));
        // Its height on the screen (the frame's width is the window manager's to choose).
        const QRect screen = dialog->screen()->availableGeometry();
        QVERIFY(dialog->geometry().top() >= screen.top() && dialog->geometry().bottom() <= screen.bottom());
        shoot(*dialog, QStringLiteral("pay-seven"));
    }

    // A subject falling silent calls the experimenter once, and again only for another.
    void aNewlySilentSubjectCallsForAttention()
    {
        const QStringList folders = room({QByteArray(), QByteArray()}, {0, 0});
        QStringList logs;
        for (qsizetype k = 0; k < folders.size(); ++k)
            logs.append(LabFolders::putLogOf(folders[k], firstLines(wholeExperimentLog(), 60), 11 + int(k)));
        auto window = open(folders);
        QVERIFY(window);
        QSignalSpy called(window.get(), &RoomWindow::newlySilent);
        const auto quietFor = [](const QString &log, int seconds) {
            QFile file(log);
            return file.open(QIODevice::ReadWrite)
                && file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime);
        };
        window->tick();
        QCOMPARE(called.size(), 0);
        QVERIFY(quietFor(logs[0], 600));
        window->tick();
        QCOMPARE(called.size(), 1);
        QCOMPARE(called[0][0].toStringList().size(), 1);
        QVERIFY(called[0][0].toStringList()[0].contains(QFileInfo(logs[0]).fileName()));
        window->tick();
        QCOMPARE(called.size(), 1);
        QVERIFY(quietFor(logs[1], 600));
        window->tick();
        QCOMPARE(called.size(), 2);
        QVERIFY(called[1][0].toStringList()[0].contains(QFileInfo(logs[1]).fileName()));
    }

    // On a screen smaller than the table and the tree need (the test's), the window opens
    // maximized, and its least size fits a small screen; the size it asks for holds every
    // column beside the tree's least width.
    void theWindowOpensToHoldItsTable()
    {
        QList<QByteArray> logs;
        for (int k = 0; k < 7; ++k)
            logs.append(wholeExperimentLog());
        auto window = open(room(logs, {11, 12, 13, 14, 15, 16, 17}));
        QVERIFY(window);
        QVERIFY(window->fittedSize().width() >= window->tableWidth() + 480);
        window->showFitted();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        shoot(*window, QStringLiteral("room-of-seven"));
        const QSize screen = window->screen()->availableGeometry().size();
        QCOMPARE(window->isMaximized(), window->fittedSize().width() > screen.width()
                                            || window->fittedSize().height() > screen.height());
        // Maximized, it fits a laptop's screen of 1024x600: the actions are in two rows.
        QVERIFY2(window->minimumSizeHint().width() <= 1024 && window->minimumSizeHint().height() <= 600,
                 qPrintable(QStringLiteral("%1x%2").arg(window->minimumSizeHint().width()).arg(window->minimumSizeHint().height())));
    }

    // The window opens on folders without logs; as the logs fill the columns (log names,
    // four payoffs), the table's pane widens and every column stays in view.
    void columnsFilledByLogsStayInView()
    {
        const QStringList folders = room({QByteArray(), QByteArray(), QByteArray()}, {0, 0, 0});
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(table(*window)->horizontalScrollBar()->maximum(), 0);
        for (qsizetype k = 0; k < folders.size(); ++k)
            QVERIFY(!LabFolders::putLogOf(folders[k], firstLines(wholeExperimentLog(), 60), 1101 + int(k)).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(cell(*window, 2, RoomModel::Subject), QStringLiteral("1103"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(table(*window)->horizontalScrollBar()->maximum(), 0, 3000);
        QVERIFY(window->findChild<QScrollArea *>(QStringLiteral("LiveTreeArea"))->width() >= 480);
    }

    // A log longer than the program ever writes marks its row with the file and its size.
    void aLogOverTheLimitNamesItsFileAndSize()
    {
        const QStringList folders = room({QByteArray()}, {0});
        QByteArray big = firstLines(wholeExperimentLog(), 1);
        big.append(QByteArray(int(LogReader::MostBytes), ' '));
        const QString log = LabFolders::putLogOf(folders[0], big, 11);
        QVERIFY(!log.isEmpty());
        auto window = open(folders);
        QVERIFY(window);
        QCOMPARE(cell(*window, 0, RoomModel::State), QStringLiteral("log cannot be read"));
        const QString why = RoomModel::reasons(window->reader().rows()[0]);
        QVERIFY2(why.contains(QStringLiteral("log not read: %1 is 16.0 MB long").arg(QDir::toNativeSeparators(log))),
                 qPrintable(why));
    }

    // The folders of one session are there again when the window opens without any.
    void theWindowRemembersItsFolders()
    {
        const QStringList folders = room({wholeExperimentLog(), QByteArray()}, {11});
        {
            auto first = open(folders);
            QVERIFY(first);
        }
        auto again = open({});
        QVERIFY(again);
        QCOMPARE(again->folders(), folders);
        QCOMPARE(cell(*again, 0, RoomModel::Subject), QStringLiteral("11"));
    }
};

DT_GUI_TEST_MAIN(TestRoomWindow)
#include "TestRoomWindow.moc"
