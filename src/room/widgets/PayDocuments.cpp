#include "room/widgets/PayDocuments.h"

#include "room/logic/RoomLog.h"
#include "room/widgets/RoomBoxes.h"
#include "session/OutputCheck.h"
#include "session/OutputFile.h"
#include "session/PaymentReceipts.h"
#include "session/PaymentSchedule.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *field(const QString &text, const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setAccessibleName(name);
    return edit;
}

} // namespace

PayDocuments::PayDocuments(const QStringList &logs, const QString &workFolder, RoomBoxes &boxes, RoomLog &log,
                           QWidget *parent)
    : QWidget(parent), m_logs(logs), m_boxes(boxes), m_roomLog(log)
{
    const QDir work(workFolder);
    m_schedulePath = field(QDir::toNativeSeparators(work.filePath(QStringLiteral("payment-schedule.pdf"))),
                           QStringLiteral("Schedule PDF"), this);
    m_receiptsPath = field(QDir::toNativeSeparators(work.filePath(QStringLiteral("receipts.pdf"))),
                           QStringLiteral("Receipts PDF"), this);
    const auto add = [this](const QString &text, bool (PayDocuments::*action)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(text);
        b->setAccessibleName(text);
        b->setAutoDefault(false);
        b->setEnabled(false);
        connect(b, &QPushButton::clicked, this, action);
        m_buttons.append(b);
        return b;
    };
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    auto *schedule = new QHBoxLayout;
    schedule->addWidget(m_schedulePath, 1);
    schedule->addWidget(add(QStringLiteral("Save schedule"), &PayDocuments::saveSchedule));
    schedule->addWidget(add(QStringLiteral("Print schedule..."), &PayDocuments::printSchedule));
    auto *receipts = new QHBoxLayout;
    receipts->addWidget(m_receiptsPath, 1);
    receipts->addWidget(add(QStringLiteral("Save receipts"), &PayDocuments::saveReceipts));
    receipts->addWidget(add(QStringLiteral("Print receipts..."), &PayDocuments::printReceipts));
    form->addRow(QStringLiteral("Schedule PDF:"), schedule);
    form->addRow(QStringLiteral("Receipts PDF:"), receipts);
}

void PayDocuments::setDay(const std::optional<PaymentDay> &day)
{
    m_day = day;
    for (QPushButton *b : std::as_const(m_buttons))
        b->setEnabled(m_day.has_value());
}

bool PayDocuments::saveSchedule()
{
    return save(m_schedulePath, QStringLiteral("schedule"), &PaymentSchedule::pdf);
}

bool PayDocuments::saveReceipts()
{
    return save(m_receiptsPath, QStringLiteral("receipts"), &PaymentReceipts::pdf);
}

bool PayDocuments::printSchedule()
{
    return print(QStringLiteral("schedule"), &PaymentSchedule::draw);
}

bool PayDocuments::printReceipts()
{
    return print(QStringLiteral("receipts"), &PaymentReceipts::draw);
}

bool PayDocuments::save(QLineEdit *path, const QString &what, QByteArray (*make)(const PaymentDay &))
{
    if (!m_day)
        return false;
    const QString file = path->text().trimmed();
    const QString title = QStringLiteral("Pay");
    if (const QString refused = OutputCheck::refusal({file}, m_logs, QString()); !refused.isEmpty()) {
        m_boxes.warning(this, title, refused + QStringLiteral("; nothing written."));
        return false;
    }
    QString why;
    if (!OutputFile::save(file, make(*m_day), &why)) {
        m_boxes.warning(this, title, QStringLiteral("%1 cannot be written: %2; nothing written.")
                                         .arg(QDir::toNativeSeparators(file), why));
        return false;
    }
    QString note;
    if (const std::optional<Finding> unlogged = m_roomLog.append(
            QStringLiteral("pay"), QStringLiteral("seed %1, show-up fee %2: %3 of %4 subjects to %5")
                                       .arg(m_day->seed())
                                       .arg(m_day->money(m_day->fee()), what)
                                       .arg(m_day->subjects().size())
                                       .arg(QDir::toNativeSeparators(file))))
        note = QStringLiteral("\n\n") + unlogged->message;
    m_boxes.information(this, title, QStringLiteral("The %1 of %2 subjects is written to %3.%4")
                                         .arg(what)
                                         .arg(m_day->subjects().size())
                                         .arg(QDir::toNativeSeparators(file), note));
    return true;
}

bool PayDocuments::print(const QString &what, void (*draw)(const PaymentDay &, QPagedPaintDevice *))
{
    if (!m_day)
        return false;
    const PaymentDay day = *m_day;
    const bool printed = m_boxes.print(this, QStringLiteral("Print the %1").arg(what),
                                       [&day, draw](QPagedPaintDevice *device) { draw(day, device); });
    if (!printed)
        return false;
    if (const std::optional<Finding> unlogged = m_roomLog.append(
            QStringLiteral("pay"), QStringLiteral("seed %1, show-up fee %2: %3 of %4 subjects printed")
                                       .arg(m_day->seed())
                                       .arg(m_day->money(m_day->fee()), what)
                                       .arg(m_day->subjects().size())))
        m_boxes.warning(this, QStringLiteral("Pay"), unlogged->message);
    return true;
}
