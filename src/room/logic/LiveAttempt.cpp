#include "room/logic/LiveAttempt.h"

#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"

void LiveAttempt::follow(const QString &path)
{
    if (path == m_path && m_read)
        return;
    m_path = path;
    m_followed.clear();
    m_stamp.reset();
    m_read = false;
    m_reads = 0;
    update();
}

bool LiveAttempt::update()
{
    std::optional<FolderStamp::File> stamp = m_path.isEmpty() ? std::nullopt : FolderStamp::ofFile(m_path);
    if (m_read && stamp == m_stamp)
        return false;
    m_stamp = std::move(stamp);
    m_read = true;
    read();
    return true;
}

void LiveAttempt::read()
{
    m_picture.reset();
    m_facts = AttemptFacts();
    m_payoff.reset();
    if (m_path.isEmpty()) {
        m_why = QStringLiteral("Select a workstation to see the attempt in play.");
        return;
    }
    ++m_reads;
    LabLog log;
    if (const std::optional<Finding> unread = LabLogReader::load(m_path, &log, &m_followed)) {
        m_why = unread->text();
        return;
    }
    if (log.attempts.isEmpty()) {
        m_why = QStringLiteral("%1: subject %2 has not begun the first attempt.").arg(log.fileName).arg(log.subject());
        return;
    }
    // Payoffs come from the companion record, else from the payoff file beside the log;
    // without either the payoff node alone is shown.
    LogPayoffs::loadShown(&log, QString());
    const AttemptSummary &attempt = log.attempts.last();
    m_facts = AttemptFacts::of(log.parsed.records, log.attempts).last();
    if (const std::optional<LabLog::Shown> shown = log.shownPayoff(attempt))
        m_payoff = shown->text;
    const QString title = TreePicture::title(log.fileName, log.subject(), log.set(), attempt, m_payoff);
    m_picture = std::make_unique<TreePicture>(title, log.parsed.records, attempt, m_facts, m_payoff);
    m_why.clear();
}
