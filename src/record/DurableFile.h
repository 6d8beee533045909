#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

class QFile;

// The few file operations that decide whether a record survives a power cut, in one
// place for both platforms. Every function returns false with *error set (a sentence
// fragment for a person) when the operating system reports a failure.
class DurableFile
{
public:
    // Forces the data written through an open file to the device (fdatasync, or
    // FlushFileBuffers on Windows). handle is QFile::handle().
    static bool syncData(int handle, QString *error);

    // Forces a folder's entries (a new or renamed file) to the device. Windows has no
    // such call for a folder; there the rename itself is written through.
    static bool syncFolder(const QString &folder, QString *error);

    // Closes the file and reports what the close said: network file systems often
    // report a full disk or an I/O error only here.
    static bool close(QFile &file, QString *error);

    // Replaces path by bytes so that a reader sees the old file or the new one, and after
    // a power cut finds one of them whole: a file of an unpredictable name beside path is
    // created exclusively (a link or file planted there makes it fail rather than be
    // followed), written, synced and closed, then renamed over path, and the folder is
    // synced. The new file keeps the permissions of the file it replaces. A caller that
    // cannot wait for the disk has it done on the records' thread (SyncQueue::post).
    static bool replace(const QString &path, const QByteArray &bytes, QString *error);

    // The name replace() gives its temporary file: path, ".", 16 random hex digits, ".new".
    static QString temporaryName(const QString &path);

    // path, ".", and the smallest n from 1 on that names nothing yet: where a file is put
    // aside, or made, without touching what is already there.
    static QString nextFreeName(const QString &path);

    // A record file that has gone from the disk made again, empty and synced into its
    // folder: at path, or where something has since been put there at nextFreeName(path),
    // so that nothing is overwritten. Null, with *problem set for people, when its folder
    // is missing or the file cannot be made.
    static std::unique_ptr<QFile> makeAgain(const QString &path, QString *problem);

    // Appends *pending, whole lines, to file, of which *inFile bytes are written so far.
    // True, *pending empty, when all went in. Otherwise *problem says why; the part that got
    // through is taken back off the file so that its last line stays whole, and stays in
    // *pending for the next try (if it cannot be taken back it counts as written, never to
    // be written twice).
    static bool appendWhole(QFile &file, QByteArray *pending, qint64 *inFile, QString *problem);

    // Keeps what could not reach a file at its own place (a disk that stayed full, a data
    // folder that went) in a new file called name, by replace(): in the system's
    // temporary folder, or where there is none in the user's home folder, under the next
    // free name if name is taken. With keptBefore set, that file is replaced instead. Returns the kept
    // file's full path; empty, with *error saying where it was tried and why it failed,
    // when it could be kept nowhere.
    static QString keepUnwritten(const QString &name, const QByteArray &bytes,
                                 const QString &keptBefore, QString *error);
};
