#include "room/widgets/PayDialog.h"

#include "room/widgets/RoomBoxes.h"
#include "room/logic/RoomLog.h"
#include "room/widgets/WorkProgress.h"
#include "session/OutputCheck.h"
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

QLineEdit *field(const QString &text, const QString &name, const QString &accessible, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    return edit;
}

} // namespace

PayDialog::PayDialog(const QStringList &logs, const QString &workFolder, RoomBoxes &boxes, RoomLog &log,
                     QWidget *parent)
    : QDialog(parent), m_logs(logs), m_boxes(boxes), m_roomLog(log)
{
    setObjectName(QStringLiteral("Pay"));
    setWindowTitle(QStringLiteral("Pay"));
    // Made in the order of the keyboard's focus: the inputs, the table, the buttons.
    makeInputs(QDir(workFolder));
    makeTable();
    makeButtons();
    layOut();
    resize(1000, 520);
    connectControls();
}

void PayDialog::makeInputs(const QDir &work)
{
    m_seed = field(QString(), QStringLiteral("Seed"), QStringLiteral("Seed"), this);
    m_seed->setPlaceholderText(QStringLiteral("the seed you announced, 0 to 4294967295"));
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
    m_force->setToolTip(QStringLiteral("As treelab pay --force"));
    m_csv = field(QDir::toNativeSeparators(work.filePath(QStringLiteral("payments.csv"))),
                  QStringLiteral("PaymentsCsv"), QStringLiteral("CSV file"), this);
    m_workbook = field(QDir::toNativeSeparators(work.filePath(QStringLiteral("payments.xlsx"))),
                       QStringLiteral("PaymentsWorkbook"), QStringLiteral("Workbook"), this);
}

void PayDialog::makeTable()
{
    m_table = new QTableWidget(0, int(Payment::header().size()), this);
    m_table->setObjectName(QStringLiteral("Payments"));
    m_table->setAccessibleName(QStringLiteral("Payments"));
    m_table->setHorizontalHeaderLabels(Payment::header());
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The digest is long: shown last, so that the attempt and payoff paid stay in sight.
    m_table->horizontalHeader()->moveSection(5, m_table->columnCount() - 1);
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
}

void PayDialog::layOut()
{
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Seed:"), m_seed);
    form->addRow(QString(), m_partial);
    form->addRow(QString(), m_force);
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
    layout->addWidget(m_findings);
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
    connect(m_force, &QCheckBox::toggled, this, &PayDialog::inputsChanged);
}

PayDialog::~PayDialog() = default;

void PayDialog::inputsChanged()
{
    // The table shown no longer answers to what is entered: draw again before writing.
    m_drawnSeed.reset();
    m_writeButton->setEnabled(false);
}

void PayDialog::showFindings(const Findings &findings)
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines.append(finding.text());
    m_findings->setPlainText(lines.join(QLatin1Char('\n')));
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
    PaymentList payments({QString(), 0, m_partial->isChecked(), false, m_force->isChecked()});
    Findings findings;
    WorkProgress progress(this, QStringLiteral("Reading the logs..."), int(m_logs.size()));
    for (qsizetype k = 0; k < m_logs.size(); ++k) {
        if (!progress.step(int(k))) {
            showFindings({{Finding::Severity::Note, QString(), 0, QStringLiteral("cancelled: nothing drawn")}});
            return;
        }
        findings += payments.add(m_logs[k]);
    }
    progress.done();
    findings += payments.finish();
    if (!payments.failed())
        m_rows = payments.rows(*seed, &findings);
    if (payments.failed() || m_rows.isEmpty())
        findings.append({Finding::Severity::Plain, QString(), 0, QStringLiteral("nothing drawn, nothing written")});
    showFindings(findings);
    for (const QStringList &row : std::as_const(m_rows)) {
        const int r = m_table->rowCount();
        m_table->insertRow(r);
        for (qsizetype c = 0; c < row.size(); ++c)
            m_table->setItem(r, int(c), new QTableWidgetItem(row[c]));
    }
    m_table->resizeColumnsToContents();
    if (!m_rows.isEmpty()) {
        m_drawnSeed = seed;
        m_writeButton->setEnabled(true);
    }
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
    const QString what = QStringLiteral("seed %1%2: %3 subjects to %4")
                             .arg(*m_drawnSeed)
                             .arg(m_partial->isChecked() ? QStringLiteral(" --partial") : QString())
                             .arg(m_rows.size())
                             .arg(files);
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
