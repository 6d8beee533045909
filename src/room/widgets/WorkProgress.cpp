#include "room/widgets/WorkProgress.h"

WorkProgress::WorkProgress(QWidget *parent, const QString &label, int steps)
    : m_dialog(label, QStringLiteral("Cancel"), 0, steps, parent)
{
    m_dialog.setWindowTitle(QStringLiteral("Decision Tree Room"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(s_showAfterMs);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
}

bool WorkProgress::step(int k, const QString &label)
{
    if (!label.isEmpty())
        m_dialog.setLabelText(label);
    // A window-modal bar runs the events itself: painting, and the Cancel button.
    m_dialog.setValue(k);
    return !m_dialog.wasCanceled();
}

void WorkProgress::done()
{
    m_dialog.setValue(m_dialog.maximum());
    m_dialog.close();
}
