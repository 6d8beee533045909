#include "record/CompanionFollower.h"

bool CompanionFollower::read(const QString &path, QString *error)
{
    if (!m_file.read(path, CompanionReader::MostBytes, QStringLiteral("a companion record"), &m_change, error)) {
        m_ok = false;
        return false;
    }
    if (m_change == FollowedFile::Change::None && m_ok)
        return true;
    if (m_change == FollowedFile::Change::Whole || !m_ok) {
        m_companion = Companion{};
        m_at = {};
    }
    m_ok = CompanionReader::readOn(m_file.bytes(), &m_at, &m_companion, error);
    return m_ok;
}
