#pragma once

#include <QList>
#include <QString>

#include <optional>

// What a data folder's files look like from outside, taken with one listing and one stat
// per file: each regular file's name, size, modification time and identity (device and
// inode, on Windows volume and file index). Two equal stamps mean nothing the room shows
// can have changed, so the folder need not be read again; a log replaced by another of
// the same size and time (a copy put back) still differs by its identity.
class FolderStamp
{
public:
    struct File
    {
        QString name;
        qint64 size = 0;
        qint64 modifiedNs = 0;   // since the epoch
        quint64 device = 0;
        quint64 identity = 0;

        bool operator==(const File &) const = default;
    };

    // The folder's stamp; a folder that cannot be listed gives a stamp with readable()
    // false (and no files), so its coming back is a change too.
    static FolderStamp of(const QString &folder);

    bool readable() const { return m_readable; }
    const QList<File> &files() const { return m_files; }
    // One file's stamp; nullopt when it is not a regular file that can be looked at.
    static std::optional<File> ofFile(const QString &path);

    // The file of that name, or nullptr.
    const File *file(const QString &name) const;

    bool operator==(const FolderStamp &) const = default;

private:
    bool m_readable = false;
    QList<File> m_files; // by name
};
