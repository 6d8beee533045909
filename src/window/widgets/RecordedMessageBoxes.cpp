#include "window/widgets/RecordedMessageBoxes.h"

#include "record/CompanionLog.h"

RecordedMessageBoxes::RecordedMessageBoxes(MessageBoxes &boxes, CompanionLog &companion)
    : m_boxes(boxes), m_companion(companion)
{
}

void RecordedMessageBoxes::information(QWidget *parent, const QString &title, const QString &text)
{
    const qint64 shown = m_companion.ms();
    m_boxes.information(parent, title, text);
    m_companion.box(CompanionLog::Box::Information, title, text, shown);
}

void RecordedMessageBoxes::warning(QWidget *parent, const QString &title, const QString &text)
{
    const qint64 shown = m_companion.ms();
    m_boxes.warning(parent, title, text);
    m_companion.box(CompanionLog::Box::Warning, title, text, shown);
}
