#pragma once

#include "record/FollowedFile.h"
#include "record/LogReader.h"

#include <QString>

#include <memory>
#include <optional>

class RuleReader;

// An event log read as it grows, as the room window reads its workstations' logs: each
// read() reads the bytes appended since the last (FollowedFile), and the rules read on
// from the last whole line (RuleReader). parsed() is what LogReader::parse of the whole
// file gives.
class LogFollower
{
public:
    LogFollower();
    ~LogFollower();
    LogFollower(const LogFollower &) = delete; // the reader holds on to the members
    LogFollower &operator=(const LogFollower &) = delete;

    // False, with *error set, when the file cannot be read (as LogReader::read).
    bool read(const QString &path, QString *error);

    const ParsedLog &parsed() const { return m_partLine ? *m_partLine : m_log; }
    FollowedFile::Change change() const { return m_change; }
    // The lines the rules read since the follower was made, for the measurements: a log
    // read on costs its new lines, one read whole all of them.
    qint64 linesRead() const { return m_linesRead; }

private:
    FollowedFile m_file;
    FollowedFile::Change m_change = FollowedFile::Change::None;
    ParsedLog m_log; // the whole lines read so far
    std::unique_ptr<RuleReader> m_reader;
    std::optional<ParsedLog> m_partLine; // the whole file, when it ends inside a line
    qint64 m_linesRead = 0;
};
