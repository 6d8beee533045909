#include "room/logic/FolderStamp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

// One file's size, time and identity, without opening it for reading: stat on POSIX
// systems; on Windows a handle with no access and every sharing (so no writer of the
// file is disturbed), as FileIdentity looks at a file, since stat there has no identity.
bool stampFile(const QString &path, FolderStamp::File *file)
{
#ifndef Q_OS_WIN
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    file->size = qint64(info.st_size);
#if defined(Q_OS_MACOS)
    file->modifiedNs = qint64(info.st_mtimespec.tv_sec) * 1000000000 + info.st_mtimespec.tv_nsec;
#else
    file->modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#endif
    file->device = quint64(info.st_dev);
    file->identity = quint64(info.st_ino);
    return true;
#else
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    file->size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const qint64 ticks = (qint64(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
    file->modifiedNs = ticks * 100; // from 1601: only compared, never shown
    file->device = info.dwVolumeSerialNumber;
    file->identity = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
#endif
}

} // namespace

FolderStamp FolderStamp::of(const QString &folder)
{
    FolderStamp stamp;
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return stamp;
    stamp.m_readable = true;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    stamp.m_files.reserve(names.size());
    for (const QString &name : names) {
        File file;
        file.name = name;
        if (stampFile(dir.filePath(name), &file))
            stamp.m_files.append(file);
    }
    return stamp;
}

std::optional<FolderStamp::File> FolderStamp::ofFile(const QString &path)
{
    File file;
    file.name = QFileInfo(path).fileName();
    if (!stampFile(path, &file))
        return std::nullopt;
    return file;
}

const FolderStamp::File *FolderStamp::file(const QString &name) const
{
    for (const File &file : m_files)
        if (file.name == name)
            return &file;
    return nullptr;
}
