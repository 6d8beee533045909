#include "room/widgets/SetAsideDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SetAsideDialog::SetAsideDialog(const QStringList &logs, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetAsideDialog"));
    setWindowTitle(QStringLiteral("Set aside"));
    QStringList shown;
    for (const QString &log : logs)
        shown.append(QDir::toNativeSeparators(log));
    auto *text = new QLabel(QStringLiteral("Set aside %1?\n\n%2\n\nThe log stays where it is, unchanged. Status, "
                                           "Verify all, Pay and Export leave it out, naming it and the reason, until "
                                           "it is brought back.")
                                .arg(logs.size() == 1 ? QStringLiteral("this log") : QStringLiteral("these %1 logs").arg(logs.size()),
                                     shown.join(QLatin1Char('\n'))),
                            this);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_reason = new QLineEdit(this);
    m_reason->setObjectName(QStringLiteral("Reason"));
    m_reason->setAccessibleName(QStringLiteral("Reason"));
    m_reason->setPlaceholderText(QStringLiteral("e.g. started again with the right subject number"));
    auto *buttons = new QDialogButtonBox(this);
    m_setAside = buttons->addButton(QStringLiteral("Set aside"), QDialogButtonBox::AcceptRole);
    m_setAside->setObjectName(QStringLiteral("SetAsideOk"));
    m_setAside->setAccessibleName(m_setAside->text());
    m_setAside->setEnabled(false);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Reason:"), m_reason);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(m_reason, &QLineEdit::textChanged, this,
            [this](const QString &typed) { m_setAside->setEnabled(!typed.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(640, sizeHint().height());
}

QString SetAsideDialog::reason() const
{
    return m_reason->text().trimmed();
}
