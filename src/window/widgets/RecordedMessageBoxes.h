#pragma once

#include "window/widgets/MessageBoxes.h"

class EventLog;

// Every modal box the window shows goes through here to the boxes it was given, and is
// recorded in the record for analysis once it has been answered: its kind, title and
// text, when it appeared and when OK was pressed. The time a box stands on screen is
// time in which the subject sees the tree behind it but cannot act. Before a box is
// shown, the syncs of the records written so far are started, so that they reach the
// disk while the box comes up rather than once it has.
class RecordedMessageBoxes : public MessageBoxes
{
public:
    RecordedMessageBoxes(MessageBoxes &boxes, EventLog &log);

    void information(QWidget *parent, const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;

private:
    MessageBoxes &m_boxes;
    EventLog &m_log;
};
