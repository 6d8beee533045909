#pragma once

#include "window/logic/GoAheadFile.h"

#include <QString>

// One write of a workstation's go-ahead file, as prepare, release and quit make it, from
// the command line or the room window alike: the folder checked, what okto.go held before,
// the file replaced as a whole, and what it reads back as. A folder that does not exist is
// never created, and the program's own folder (which holds "data") is refused.
struct GoAheadWrite
{
    enum class Outcome {
        Written,        // it now holds value
        NoFolder,       // nothing written
        NotAFolder,     // nothing written
        ProgramFolder,  // no okto.go but a folder "data": nothing written
        Failed,         // the write failed (error)
        ReadsBackWrong, // written, but it does not read back as value
    };
    QString folder; // as given
    qint16 value = 0;
    Outcome outcome = Outcome::NoFolder;
    GoAheadFile::Reading before;
    GoAheadFile::Reading after;
    QString error;

    static GoAheadWrite to(const QString &folder, qint16 value);

    bool written() const { return outcome == Outcome::Written; }
    // "okto.go held 2", "there was no okto.go", ...
    static QString heldText(const GoAheadFile::Reading &reading);
    // The report of the write for people, after the folder's name: "okto.go held 0; now
    // it holds 1", or why nothing was written.
    QString text() const;
};
