#include "window/widgets/RecordedMessageBoxes.h"

#include "record/CompanionLog.h"
#include "record/EventLog.h"

RecordedMessageBoxes::RecordedMessageBoxes(MessageBoxes &boxes, EventLog &log) : m_boxes(boxes), m_log(log)
{
}

void RecordedMessageBoxes::information(QWidget *parent, const QString &title, const QString &text)
{
    m_log.startSyncs();
    const qint64 shown = m_log.companion().ms();
    m_boxes.information(parent, title, text);
    m_log.companion().box(CompanionLog::Box::Information, title, text, shown);
}

void RecordedMessageBoxes::warning(QWidget *parent, const QString &title, const QString &text)
{
    m_log.startSyncs();
    const qint64 shown = m_log.companion().ms();
    m_boxes.warning(parent, title, text);
    m_log.companion().box(CompanionLog::Box::Warning, title, text, shown);
}
