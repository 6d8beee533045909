#include "room/widgets/PayDialog.h"

#include "room/widgets/PayDocuments.h"
#include "room/widgets/RoomBoxes.h"
#include "room/logic/RoomLog.h"
#include "room/widgets/WorkProgress.h"
#include "session/Money.h"
#include "session/OutputCheck.h"
#include "session/PaymentDay.h"
#include "session/PaymentTable.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(name); // the text without its mnemonic's '&'
    b->setAutoDefault(false);
    return b;
}

// The table's columns: the workstation, then the payments table's.
QStringList tableHeader()
{
    return QStringList{QStringLiteral("workstation")} + Payment::header();
}

// The order they are shown in: workstation, subject and amount first, what the amount is
// made of next, the log and the draw's long digest last.
QList<int> shownOrder()
{
    const QStringList header = tableHeader();
    QList<int> order;
    for (const char *name : {"workstation", "subject", "amount", "show_up_fee", "payoff_text", "floored", "attempt",
                             "node", "finished", "set", "payoff", "complete", "seed", "log", "draw"})
        order.append(int(header.indexOf(QLatin1String(name))));
    return order;
}

QLineEdit *field(const QString &text, const QString &name, const QString &accessible, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    return edit;
}

} // namespace

PayDialog::PayDialog(const LogArguments &logs, const QString &workFolder, RoomBoxes &boxes, RoomLog &log,
                     QWidget *parent)
    : QDialog(parent), m_arguments(logs), m_logs(logs.logs), m_boxes(boxes), m_roomLog(log)
{
    setObjectName(QStringLiteral("Pay"));
    setWindowTitle(QStringLiteral("Pay"));
    // Made in the order of the keyboard's focus: the inputs, the table, the buttons.
    m_csvFolder = workFolder;
    makeInputs(QDir(workFolder));
    makeTable();
    makeButtons();
    layOut();
    resize(1000, 520);
    connectControls();
    // Told before anything is drawn or written.
    Findings found;
    chosenLogs(&found);
    showFindings(found);
}

void PayDialog::makeInputs(const QDir &work)
{
    m_seed = field(QString(), QStringLiteral("Seed"), QStringLiteral("Seed"), this);
    m_seed->setPlaceholderText(QStringLiteral("the seed you announced, 0 to 4294967295"));
    m_fee = field(QStringLiteral("0"), QStringLiteral("ShowUpFee"), QStringLiteral("Show-up fee"), this);
    m_fee->setPlaceholderText(QStringLiteral("paid to every subject on top of the payoff, as 5 or 2.50"));
    m_partial = new QCheckBox(QStringLiteral("Also pay subjects who did not finish every attempt, from the "
                                             "attempts they finished; one who finished none is paid nothing"),
                              this);
    m_partial->setObjectName(QStringLiteral("Partial"));
    m_partial->setAccessibleName(m_partial->text());
    m_partial->setToolTip(QStringLiteral("As treelab pay --partial: such a row has complete 0 in the table"));
    m_force = new QCheckBox(QStringLiteral("Also pay from logs that fail verification (see Verify all), reading "
                                           "each line that has no place as the record it looks like"),
                            this);
    m_force->setObjectName(QStringLiteral("Force"));
    m_force->setAccessibleName(m_force->text());
    const qsizetype others = m_arguments.otherDays().size();
    m_includeDays = new QCheckBox(QStringLiteral("Also pay the %1 last written on another day than the session's, %2")
                                      .arg(others == 1 ? QStringLiteral("log") : QStringLiteral("%1 logs").arg(others),
                                           LogArguments::dayText(m_arguments.sessionDay())),
                                  this);
    m_includeDays->setObjectName(QStringLiteral("IncludeDays"));
    m_includeDays->setAccessibleName(m_includeDays->text());
    m_includeDays->setToolTip(QStringLiteral("treelab pay --include-days"));
    m_includeDays->setVisible(others > 0);
    m_force->setToolTip(QStringLiteral("As treelab pay --force"));
    m_csv = field(QDir::toNativeSeparators(work.filePath(QStringLiteral("payments.csv"))),
                  QStringLiteral("PaymentsCsv"), QStringLiteral("CSV file"), this);
    m_workbook = field(QDir::toNativeSeparators(work.filePath(QStringLiteral("payments.xlsx"))),
                       QStringLiteral("PaymentsWorkbook"), QStringLiteral("Workbook"), this);
}

void PayDialog::makeTable()
{
    m_table = new QTableWidget(0, int(tableHeader().size()), this);
    m_table->setObjectName(QStringLiteral("Payments"));
    m_table->setAccessibleName(QStringLiteral("Payments"));
    m_table->setHorizontalHeaderLabels(tableHeader());
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QList<int> order = shownOrder();
    for (int visual = 0; visual < order.size(); ++visual)
        m_table->horizontalHeader()->moveSection(m_table->horizontalHeader()->visualIndex(order[visual]), visual);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("PayTotal"));
    m_total->setAccessibleName(QStringLiteral("Total"));
    m_findings = new QPlainTextEdit(this);
    m_findings->setObjectName(QStringLiteral("PayFindings"));
    m_findings->setAccessibleName(QStringLiteral("What was found"));
    m_findings->setReadOnly(true);
    m_findings->setMaximumHeight(110);
}

void PayDialog::makeButtons()
{
    m_drawButton = button(QStringLiteral("&Draw"), QStringLiteral("Draw"), this);
    m_writeButton = button(QStringLiteral("&Write"), QStringLiteral("Write"), this);
    m_writeButton->setEnabled(false);
    m_closeButton = button(QStringLiteral("Close"), QStringLiteral("Close"), this);
    m_documents = new PayDocuments(m_logs, m_csvFolder, m_boxes, m_roomLog, this);
}

void PayDialog::layOut()
{
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Seed:"), m_seed);
    form->addRow(QStringLiteral("Show-up &fee:"), m_fee);
    form->addRow(QString(), m_partial);
    form->addRow(QString(), m_force);
    form->addRow(QString(), m_includeDays);
    form->addRow(QStringLiteral("&CSV file:"), m_csv);
    form->addRow(QStringLiteral("Work&book:"), m_workbook); // Alt+W is Write's
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_drawButton);
    buttons->addWidget(m_writeButton);
    buttons->addStretch();
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_table);
    layout->addWidget(m_total);
    layout->addWidget(m_findings);
    layout->addWidget(m_documents);
    layout->addLayout(buttons);
}

void PayDialog::connectControls()
{
    connect(m_drawButton, &QPushButton::clicked, this, &PayDialog::draw);
    connect(m_writeButton, &QPushButton::clicked, this, &PayDialog::write);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_seed, &QLineEdit::textChanged, this, &PayDialog::inputsChanged);
    // Enter after the seed draws; writing stays a click (or Alt+W) once the table is seen.
    connect(m_seed, &QLineEdit::returnPressed, this, &PayDialog::draw);
    connect(m_partial, &QCheckBox::toggled, this, &PayDialog::inputsChanged);
    connect(m_fee, &QLineEdit::textChanged, this, &PayDialog::inputsChanged);
    connect(m_fee, &QLineEdit::returnPressed, this, &PayDialog::draw);
    connect(m_force, &QCheckBox::toggled, this, &PayDialog::inputsChanged);
    connect(m_includeDays, &QCheckBox::toggled, this, &PayDialog::inputsChanged);
}

PayDialog::~PayDialog() = default;

void PayDialog::inputsChanged()
{
    // The table shown no longer answers to what is entered: draw again before writing.
    m_drawnSeed.reset();
    m_drawnFee.reset();
    m_writeButton->setEnabled(false);
    m_documents->setDay(std::nullopt);
}

void PayDialog::showFindings(const Findings &findings)
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines.append(finding.text());
    m_findings->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList PayDialog::chosenLogs(Findings *findings) const
{
    *findings += m_arguments.findings;
    return m_arguments.ofSession(m_includeDays->isChecked(),
                                 QStringLiteral("tick \"%1\" to pay them").arg(m_includeDays->text()), findings);
}

QString PayDialog::choices() const
{
    QStringList chosen;
    if (m_partial->isChecked())
        chosen.append(QStringLiteral("--partial"));
    if (m_force->isChecked())
        chosen.append(QStringLiteral("--force"));
    if (m_includeDays->isChecked())
        chosen.append(QStringLiteral("--include-days"));
    chosen += m_arguments.choicesText(m_includeDays->isChecked());
    return chosen.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(chosen.join(QStringLiteral("; ")));
}

void PayDialog::draw()
{
    inputsChanged();
    m_rows.clear();
    m_table->setRowCount(0);
    const std::optional<std::uint32_t> seed = PaymentList::seedFrom(m_seed->text().trimmed());
    if (!seed) {
        showFindings({{Finding::Severity::Error, QString(), 0,
                       QStringLiteral("the seed \"%1\" is not a whole number from 0 to 4294967295")
                           .arg(m_seed->text())}});
        return;
    }
    const std::optional<qint64> fee = Money::parse(m_fee->text());
    if (!fee) {
        showFindings({{Finding::Severity::Error, QString(), 0,
                       QStringLiteral("the show-up fee \"%1\" is not an amount of 0 or more, as 5 or 2.50")
                           .arg(m_fee->text())}});
        return;
    }
    PaymentList payments({QString(), 0, m_partial->isChecked(), false, m_force->isChecked()});
    Findings findings;
    const QStringList logs = chosenLogs(&findings);
    WorkProgress progress(this, QStringLiteral("Reading the logs..."), int(logs.size()));
    for (qsizetype k = 0; k < logs.size(); ++k) {
        if (!progress.step(int(k))) {
            showFindings({{Finding::Severity::Note, QString(), 0, QStringLiteral("cancelled: nothing drawn")}});
            return;
        }
        findings += payments.add(logs[k]);
    }
    progress.done();
    findings += payments.finish();
    std::optional<PaymentDay> day;
    if (!payments.failed())
        day = PaymentDay::of(payments, *seed, *fee, &findings);
    if (day)
        m_rows = day->rows();
    if (payments.failed() || m_rows.isEmpty()) {
        findings.append({Finding::Severity::Plain, QString(), 0, QStringLiteral("nothing drawn, nothing written")});
        // The first reason given, as the experimenter saw it.
        QString why;
        for (const Finding &finding : std::as_const(findings))
            if (why.isEmpty() && (finding.severity == Finding::Severity::Plain || finding.severity == Finding::Severity::Error))
                why = finding.text();
        if (const std::optional<Finding> unlogged = m_roomLog.append(
                QStringLiteral("pay"), QStringLiteral("draw refused, seed %1%2: %3").arg(*seed).arg(choices(), why)))
            findings.append(*unlogged);
    }
    showFindings(findings);
    const QList<PaidSubject> paid = day ? day->subjects() : QList<PaidSubject>();
    for (qsizetype k = 0; k < m_rows.size(); ++k) {
        const QStringList row = QStringList{paid[k].workstation} + m_rows[k];
        const int r = m_table->rowCount();
        m_table->insertRow(r);
        for (qsizetype c = 0; c < row.size(); ++c)
            m_table->setItem(r, int(c), new QTableWidgetItem(row[c]));
        // Money as the subject saw it.
        m_table->item(r, int(tableHeader().indexOf(QStringLiteral("amount"))))->setText(day->money(paid[k].amount));
        m_table->item(r, int(tableHeader().indexOf(QStringLiteral("show_up_fee"))))->setText(day->money(paid[k].fee));
    }
    m_table->resizeColumnsToContents();
    showEveryRow();
    m_total->setText(day && !m_rows.isEmpty() ? QStringLiteral("To pay: ") + day->totalText() : QString());
    if (!m_rows.isEmpty()) {
        m_drawnSeed = seed;
        m_drawnFee = fee;
        m_writeButton->setEnabled(true);
        m_documents->setDay(day);
    }
}

void PayDialog::showEveryRow()
{
    // Every subject in view where the screen has room: the dialog grows (never shrinks)
    // by what the rows lack, up to the screen's height, and stays on the screen. The
    // layout shares the height it is given, so the table is measured again after each step.
    const QScreen *on = screen();
    if (!on)
        return;
    const QRect room = on->availableGeometry();
    const int frame = frameGeometry().height() - height();
    for (int step = 0; step < 4; ++step) {
        const int wanted = m_table->horizontalHeader()->height() + m_table->verticalHeader()->length()
            + 2 * m_table->frameWidth() + m_table->horizontalScrollBar()->sizeHint().height();
        const int lacking = wanted - m_table->height();
        const int height = std::min(this->height() + lacking, room.height() - frame);
        if (lacking <= 0 || height <= this->height())
            break;
        resize(width(), height);
        layout()->activate();
    }
    if (frameGeometry().bottom() > room.bottom())
        move(x(), std::max(room.top(), room.bottom() - frameGeometry().height() + 1));
}

bool PayDialog::write()
{
    if (!m_drawnSeed || m_rows.isEmpty())
        return false;
    const QString csv = m_csv->text().trimmed();
    const QString book = m_workbook->text().trimmed();
    QStringList outputs{csv};
    if (!book.isEmpty())
        outputs.append(book);
    if (const QString refused = OutputCheck::refusal(outputs, m_logs, QString()); !refused.isEmpty()) {
        m_boxes.warning(this, QStringLiteral("Pay"), refused + QStringLiteral("; nothing written."));
        return false;
    }
    // An empty field names no file.
    const auto named = [](const QString &path) { return path.isEmpty() ? std::nullopt : std::optional(path); };
    const Findings written = PaymentTable::write(m_rows, named(csv), named(book));
    if (const std::optional<Finding> failure = PaymentTable::failure(written)) {
        m_boxes.warning(this, QStringLiteral("Pay"), failure->message + QStringLiteral("; nothing written."));
        return false;
    }
    QString warning = written.isEmpty() ? QString() : written.first().message; // texts cut to a cell
    const QString files = outputs.join(QStringLiteral(", "));
    const QString what = QStringLiteral("seed %1, show-up fee %5%2: %3 subjects to %4")
                             .arg(*m_drawnSeed)
                             .arg(choices())
                             .arg(m_rows.size())
                             .arg(files)
                             .arg(Money::text(m_drawnFee.value_or(0)));
    if (const std::optional<Finding> unlogged = m_roomLog.append(QStringLiteral("pay"), what))
        warning += (warning.isEmpty() ? QString() : QStringLiteral("\n")) + unlogged->message;
    m_boxes.information(this, QStringLiteral("Pay"),
                        QStringLiteral("The payments of %1 subjects, seed %2, are written to %3.%4")
                            .arg(m_rows.size())
                            .arg(*m_drawnSeed)
                            .arg(QDir::toNativeSeparators(files),
                                 warning.isEmpty() ? QString() : QStringLiteral("\n\n") + warning));
    return true;
}
