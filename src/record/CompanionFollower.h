#pragma once

#include "record/CompanionReader.h"
#include "record/FollowedFile.h"

#include <QString>

// A companion record read as it grows, as LogFollower reads its log: the lines appended
// since the last read() are read on; companion() is what CompanionReader::parse of the
// whole file gives.
class CompanionFollower
{
public:
    // False, with *error set (the file's trouble, or what parse() says of it), when it
    // cannot be read.
    bool read(const QString &path, QString *error);

    const Companion &companion() const { return m_companion; }
    FollowedFile::Change change() const { return m_change; }

private:
    FollowedFile m_file;
    FollowedFile::Change m_change = FollowedFile::Change::None;
    Companion m_companion;
    CompanionReader::Position m_at;
    bool m_ok = false;
};
