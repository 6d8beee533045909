#include "room/widgets/VerifyDialog.h"

#include "session/Payment.h"
#include "session/PayoffAgreement.h"

#include "room/widgets/WorkProgress.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

VerifyDialog::VerifyDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VerifyAll"));
    setWindowTitle(QStringLiteral("Verify all"));
    m_table = new QTableWidget(0, 7, this);
    m_table->setObjectName(QStringLiteral("Verdicts"));
    m_table->setAccessibleName(QStringLiteral("Verdicts"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Log"), QStringLiteral("Verdict"), QStringLiteral("Subject"),
                                        QStringLiteral("Set"), QStringLiteral("Run"), QStringLiteral("Last written"),
                                        QStringLiteral("Findings")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("VerifySummary"));
    m_found = new QPlainTextEdit(this);
    m_found->setObjectName(QStringLiteral("VerifyFindings"));
    m_found->setAccessibleName(QStringLiteral("What was found"));
    m_found->setReadOnly(true);
    m_found->setMaximumHeight(90);
    m_found->hide();
    m_summary->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_found);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(1000, 420);
}

bool VerifyDialog::verify(const QStringList &logs, const QDateTime &runningSince, const Findings &found)
{
    QStringList lines;
    for (const Finding &finding : found)
        lines.append(finding.text());
    m_found->setPlainText(lines.join(QLatin1Char('\n')));
    m_found->setVisible(!lines.isEmpty());
    WorkProgress progress(parentWidget(), QStringLiteral("Verifying the logs..."), int(logs.size()));
    for (qsizetype k = 0; k < logs.size(); ++k) {
        if (!progress.step(int(k), QStringLiteral("Verifying %1").arg(QDir::toNativeSeparators(logs[k])))) {
            m_cancelled = true;
            break;
        }
        m_verdicts.append(LogVerdict::of(logs[k], QString(), 0, runningSince));
        addRow(m_verdicts.last());
    }
    progress.done();
    m_table->resizeColumnsToContents();
    m_summary->setText(summary());
    return !m_cancelled;
}

void VerifyDialog::addRow(const LogVerdict &verdict)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    const QString findings = verdict.findingsText();
    m_table->setItem(row, 0, cell(QDir::toNativeSeparators(verdict.path)));
    m_table->setItem(row, 1, cell(verdict.verdictText()));
    m_table->setItem(row, 2, cell(verdict.read ? QString::number(verdict.subject) : QString()));
    m_table->setItem(row, 3, cell(verdict.read ? QString::number(verdict.set) : QString()));
    m_table->setItem(row, 4, cell(verdict.ending));
    m_table->setItem(row, 5, cell(verdict.writtenText()));
    m_table->setItem(row, 6, cell(findings.section(QLatin1Char('\n'), 0, 0)
                                  + (findings.contains(QLatin1Char('\n')) ? QStringLiteral(" ...") : QString())));
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->item(row, column)->setToolTip(findings);
    if (!verdict.ok)
        for (int column = 0; column < m_table->columnCount(); ++column)
            m_table->item(row, column)->setBackground(QColor(0xff, 0xd8, 0xd0));
}

QString VerifyDialog::summary() const
{
    int ok = 0;
    for (const LogVerdict &verdict : m_verdicts)
        ok += verdict.ok ? 1 : 0;
    QString text = QStringLiteral("%1 logs: %2 ok, %3 fail or cannot be read")
                       .arg(m_verdicts.size())
                       .arg(ok)
                       .arg(m_verdicts.size() - ok);
    if (m_cancelled)
        text += QStringLiteral(" (cancelled: the rest not read)");
    PayoffAgreement agreement;
    for (const LogVerdict &verdict : m_verdicts)
        if (verdict.read)
            agreement.add(Payment::workstationOf(verdict.path), verdict.set, verdict.payoffs);
    for (const Finding &disagreement : agreement.disagreements(Finding::Severity::Error))
        text += QStringLiteral("\nFAILS: ") + disagreement.message;
    return text;
}
