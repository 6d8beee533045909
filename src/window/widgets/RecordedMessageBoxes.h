#pragma once

#include "window/widgets/MessageBoxes.h"

class CompanionLog;

// Every modal box the window shows goes through here to the boxes it was given, and is
// recorded in the record for analysis once it has been answered: its kind, title and
// text, when it appeared and when OK was pressed. The time a box stands on screen is
// time in which the subject sees the tree behind it but cannot act.
class RecordedMessageBoxes : public MessageBoxes
{
public:
    RecordedMessageBoxes(MessageBoxes &boxes, CompanionLog &companion);

    void information(QWidget *parent, const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;

private:
    MessageBoxes &m_boxes;
    CompanionLog &m_companion;
};
