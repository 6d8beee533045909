#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;

// "Set aside": the logs chosen, named, and the reason the experimenter types for setting
// them aside (a run abandoned when the program was started again with the right subject
// number, a mistaken log). "Set aside" stays off until a reason is typed. Nothing is done
// here: the room acts on accepted() (SetAside).
class SetAsideDialog : public QDialog
{
    Q_OBJECT

public:
    SetAsideDialog(const QStringList &logs, QWidget *parent = nullptr);

    // The reason as typed, trimmed.
    QString reason() const;

private:
    QLineEdit *m_reason;
    QPushButton *m_setAside;
};
