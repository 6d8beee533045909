#include "record/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#endif

#ifdef Q_OS_WIN
namespace {

// The file under name opened with no access asked and every sharing granted: looking
// disturbs no one.
HANDLE openToLook(const QString &name)
{
    const QString path = QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
    return CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace
#endif

namespace FileIdentity {

bool stillNamed(int descriptor, const QString &name)
{
#ifndef Q_OS_WIN
    struct stat written = {};
    struct stat named = {};
    if (::fstat(descriptor, &written) != 0)
        return true; // cannot tell; the write will say
    if (written.st_nlink == 0)
        return false;
    if (::stat(QFile::encodeName(name).constData(), &named) != 0)
        return errno != ENOENT && errno != ENOTDIR;
    return written.st_dev == named.st_dev && written.st_ino == named.st_ino;
#else
    BY_HANDLE_FILE_INFORMATION written = {};
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (!GetFileInformationByHandle(handle, &written)) {
        const DWORD code = GetLastError();
        return code != ERROR_NETNAME_DELETED && code != ERROR_UNEXP_NET_ERR && code != ERROR_BAD_NETPATH
            && code != ERROR_DEV_NOT_EXIST;
    }
    if (written.nNumberOfLinks == 0)
        return false;
    const HANDLE named = openToLook(name);
    if (named == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        return code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
    }
    BY_HANDLE_FILE_INFORMATION found = {};
    const bool known = GetFileInformationByHandle(named, &found);
    CloseHandle(named);
    return !known
        || (written.dwVolumeSerialNumber == found.dwVolumeSerialNumber
            && written.nFileIndexHigh == found.nFileIndexHigh && written.nFileIndexLow == found.nFileIndexLow);
#endif
}

std::optional<Id> of(int descriptor)
{
#ifndef Q_OS_WIN
    struct stat info = {};
    if (::fstat(descriptor, &info) != 0)
        return std::nullopt;
    return Id{quint64(info.st_dev), quint64(info.st_ino)};
#else
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), &info))
        return std::nullopt;
    return Id{info.dwVolumeSerialNumber, (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
#endif
}

int nameCount(const QString &path)
{
#ifndef Q_OS_WIN
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return int(info.st_nlink);
#else
    const HANDLE file = openToLook(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known ? int(info.nNumberOfLinks) : 0;
#endif
}

} // namespace FileIdentity
