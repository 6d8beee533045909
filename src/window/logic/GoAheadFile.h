#pragma once

#include <QByteArray>
#include <QString>

// The go-ahead file okto.go, shared with the experimenter: its first item is a whole
// number (blanks and line breaks before it skipped, the rest not read). 1 lets the
// subject start, 99 ends the program, the program writes 2 after the first attempt.
class GoAheadFile
{
public:
    enum class Status { Number, Missing, Unreadable, Empty, NotANumber };

    // The values the file carries, each written by one party: the room's Prepare writes
    // Hold before the program starts, Release lets the subject start, the program itself
    // writes Played after the first attempt, and Quit ends the program.
    enum Value : qint16 { Hold = 0, Release = 1, Played = 2, Quit = 99 };

    // Its name in a workstation's data folder.
    static inline const QString FileName = QStringLiteral("okto.go");
    // Its path in the data folder.
    static QString in(const QString &dataFolder);

    struct Reading
    {
        Status status = Status::Missing;
        qint16 value = 0;   // when status is Number
        QString detail;     // what was found otherwise, for a person

        bool operator==(const Reading &) const = default;
    };

    static Reading read(const QString &path);

    // The file's text for a value: the number with a blank in place of a plus sign and a
    // blank after it, then CR LF (" 2 \r\n").
    static QByteArray text(qint16 value);

    // Replaces the file atomically and durably (DurableFile::replace), so a reader never
    // sees half a file. False, with *error set, on failure.
    static bool write(const QString &path, qint16 value, QString *error);
};
