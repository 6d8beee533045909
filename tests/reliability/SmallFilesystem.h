#pragma once

#include <QString>

// A small tmpfs mounted on a folder for as long as the object lives (root only), which
// can be filled up to a given number of free bytes and emptied again.
class SmallFilesystem
{
public:
    SmallFilesystem() = default;
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem &) = delete;
    SmallFilesystem &operator=(const SmallFilesystem &) = delete;

    // Mounts a tmpfs of size bytes on folder; false, with the reason in *why, when the
    // machine does not allow it.
    bool mount(const QString &folder, qint64 size, QString *why);
    // Writes a filler file until the filesystem is full, then gives back free bytes.
    bool fillLeaving(qint64 free);
    // Removes the filler.
    bool makeRoom();
    void unmount();

private:
    QString m_folder;
    bool m_mounted = false;
};
