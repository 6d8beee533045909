#include "record/LogFollower.h"

#include "record/RuleReader.h"

LogFollower::LogFollower() = default;
LogFollower::~LogFollower() = default;

bool LogFollower::read(const QString &path, QString *error)
{
    if (!m_file.read(path, LogReader::MostBytes, QStringLiteral("an event log"), &m_change, error)) {
        m_reader.reset();
        m_log = ParsedLog{};
        m_partLine.reset();
        return false;
    }
    if (m_change == FollowedFile::Change::None && m_reader)
        return true;
    const QByteArray &bytes = m_file.bytes();
    // Whether every line ends in LF alone is the whole file's: a change of it is a new reading.
    if (m_change == FollowedFile::Change::Whole || !m_reader || m_reader->lfOnly() != RuleReader::lfOnly(bytes)) {
        m_log = ParsedLog{};
        m_reader = std::make_unique<RuleReader>(bytes, m_log);
    }
    const qint64 before = m_log.lineCount;
    // A line is read once it is whole; one still being written (or cut off) is read with
    // the rest of the file, and read again once more comes.
    m_reader->readUpTo(bytes.lastIndexOf('\n') + 1);
    m_reader->finish();
    m_linesRead += m_log.lineCount - before;
    if (bytes.isEmpty() || !bytes.endsWith('\n'))
        m_partLine = LogReader::parse(bytes);
    else
        m_partLine.reset();
    return true;
}
