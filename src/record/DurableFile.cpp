#include "record/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_WIN
// Windows: the C run-time handle of a QFile leads to the file's HANDLE.
#include <QThread>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool failed(QString *error, const QString &what)
{
    if (error)
        *error = what;
    return false;
}

// Where the system's temporary folder is set, for a message: Windows names it in TEMP,
// POSIX systems in TMPDIR.
QString temporaryFolderSetting()
{
#ifdef Q_OS_WIN
    const char *variable = "TEMP";
#else
    const char *variable = "TMPDIR";
#endif
    return QStringLiteral("%1 is \"%2\"").arg(QLatin1String(variable), qEnvironmentVariable(variable));
}

#ifdef Q_OS_WIN
// What the replace reports while another program holds the old file open without delete
// sharing (a virus scanner, an editor, a reader that opened it the usual way): worth a
// brief wait and another try.
bool heldByAnother(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED
        || code == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

bool exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One try at putting source in the place of target. ReplaceFileW is the call made for
// it: the new file takes over the old one's security and streams. MoveFileExW when there
// is no old file (ReplaceFileW needs one), also when ReplaceFileW removed it and stopped.
DWORD replaceOnce(const std::wstring &source, const std::wstring &target)
{
    if (exists(target)) {
        if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr))
            return ERROR_SUCCESS;
        const DWORD code = GetLastError();
        if (exists(target))
            return code;
    }
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    return GetLastError();
}
#endif

bool renameOver(const QString &from, const QString &to, QString *error)
{
#ifdef Q_OS_WIN
    // Whole paths: ReplaceFileW resolves no relative name on some systems (Wine).
    const std::wstring source = QDir::toNativeSeparators(QFileInfo(from).absoluteFilePath()).toStdWString();
    const std::wstring target = QDir::toNativeSeparators(QFileInfo(to).absoluteFilePath()).toStdWString();
    // A read-only file cannot be replaced on Windows, though POSIX replaces one in a
    // writable folder: it is made writable for the replace, and the file in its place,
    // new or old, is read-only again afterwards.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    // A folder in the file's place is never replaced (Wine's MoveFileExW would).
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failed(error, QStringLiteral("it could not replace the old file: a folder of that name is in its place"));
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetFileAttributesW(target.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    // Held by another program: tried again for about a second, the longest a virus
    // scanner holds a small file.
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 20; ++attempt) {
        code = replaceOnce(source, target);
        if (code == ERROR_SUCCESS || !heldByAnother(code))
            break;
        QThread::msleep(50);
    }
    if (readOnly)
        SetFileAttributesW(target.c_str(), GetFileAttributesW(target.c_str()) | FILE_ATTRIBUTE_READONLY);
    if (code == ERROR_SUCCESS)
        return true;
    return failed(error, QStringLiteral("it could not replace the old file: %1").arg(qt_error_string(int(code))));
#else
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return failed(error, QStringLiteral("it could not replace the old file: %1").arg(qt_error_string(errno)));
#endif
}

} // namespace

bool DurableFile::syncData(int handle, QString *error)
{
#ifdef Q_OS_WIN
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (file != INVALID_HANDLE_VALUE && FlushFileBuffers(file))
        return true;
    return failed(error, QStringLiteral("it could not be forced to the disk: %1")
                             .arg(qt_error_string(int(GetLastError()))));
#else
#if defined(Q_OS_LINUX)
    const int result = ::fdatasync(handle);
#else
    const int result = ::fsync(handle); // fdatasync is not everywhere (macOS)
#endif
    if (result == 0)
        return true;
    return failed(error, QStringLiteral("it could not be forced to the disk: %1").arg(qt_error_string(errno)));
#endif
}

bool DurableFile::syncFolder(const QString &folder, QString *error)
{
#ifdef Q_OS_WIN
    // No handle to sync a folder with; MoveFileExW wrote the rename through.
    Q_UNUSED(folder);
    Q_UNUSED(error);
    return true;
#else
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failed(error, QStringLiteral("its folder could not be opened to force it to the disk: %1")
                                 .arg(qt_error_string(errno)));
    const bool synced = ::fsync(fd) == 0;
    const int code = errno;
    ::close(fd);
    if (synced)
        return true;
    return failed(error, QStringLiteral("its folder could not be forced to the disk: %1").arg(qt_error_string(code)));
#endif
}

bool DurableFile::close(QFile &file, QString *error)
{
    if (!file.isOpen())
        return true;
    file.close();
    if (file.error() == QFileDevice::NoError)
        return true;
    return failed(error, QStringLiteral("closing it failed: %1").arg(file.errorString()));
}

QString DurableFile::temporaryName(const QString &path)
{
    const quint64 random = QRandomGenerator::system()->generate64();
    return path + QLatin1Char('.') + QString::number(random, 16).rightJustified(16, QLatin1Char('0'))
        + QStringLiteral(".new");
}

bool DurableFile::appendWhole(QFile &file, QByteArray *pending, qint64 *inFile, QString *problem)
{
    qint64 done = 0;
    while (done < pending->size()) {
        const qint64 written = file.write(pending->constData() + done, pending->size() - done);
        if (written <= 0) {
            *problem = file.errorString(); // before the resize, which clears it
            if (done > 0) {
                if (file.resize(*inFile))
                    return false;
                pending->remove(0, done);
                *inFile += done;
            }
            return false;
        }
        done += written;
    }
    *inFile += done;
    pending->clear();
    return true;
}

std::unique_ptr<QFile> DurableFile::makeAgain(const QString &path, QString *problem)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        *problem = QStringLiteral("the file has gone from the disk, and its folder %1 is missing")
                       .arg(QDir::toNativeSeparators(folder));
        return nullptr;
    }
    // Whatever has since been put at the file's place is kept.
    auto file = std::make_unique<QFile>(QFileInfo::exists(path) ? nextFreeName(path) : path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        *problem = QStringLiteral("the file has gone from the disk and cannot be made again: %1").arg(file->errorString());
        return nullptr;
    }
    QString folderError;
    syncFolder(folder, &folderError); // the writes that follow say if the disk fails
    return file;
}

QString DurableFile::nextFreeName(const QString &path)
{
    for (int n = 1;; ++n) {
        const QString candidate = path + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString DurableFile::keepUnwritten(const QString &name, const QByteArray &bytes,
                                   const QString &keptBefore, QString *error)
{
    if (!keptBefore.isEmpty())
        return replace(keptBefore, bytes, error) ? keptBefore : QString();
    // The temporary folder is the place for it, but TMPDIR may name a folder that is not
    // there (Qt then gives no path at all, and a relative name would land wherever the
    // program was started).
    QString folder = QDir::tempPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        failed(error, QStringLiteral("neither the temporary folder (%1) nor the home folder is there")
                          .arg(temporaryFolderSetting()));
        return QString();
    }
    const QString path = QDir(QFileInfo(folder).absoluteFilePath()).filePath(name);
    const QString free = QFileInfo::exists(path) ? nextFreeName(path) : path;
    QString why;
    if (replace(free, bytes, &why))
        return free;
    failed(error, QStringLiteral("in %1: %2").arg(QDir::toNativeSeparators(QFileInfo(free).absolutePath()), why));
    return QString();
}

bool DurableFile::replace(const QString &path, const QByteArray &bytes, QString *error)
{
    // NewOnly is O_CREAT|O_EXCL (CREATE_NEW on Windows): it never opens an existing file
    // and never follows a link. Unbuffered, so a full disk shows at the write.
    QFile file(temporaryName(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return failed(error, QStringLiteral("its temporary file could not be created: %1")
                                 .arg(file.errorString()));
    const auto fail = [&](const QString &why) {
        file.close();
        QFile::remove(file.fileName());
        return failed(error, why);
    };
    // A write that stops short says nothing; the next one names the reason (a full disk).
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(QStringLiteral("writing it failed: %1").arg(file.errorString()));
        done += written;
    }
#ifndef Q_OS_WIN
    // The experimenter keeps the access to the file that they had: the owner's, group's
    // and others' permissions (the "User" ones say what this process may do, not what
    // the file allows). On Windows the replace keeps them.
    const QFile::Permissions kept = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if (QFileInfo(path).isFile())
        file.setPermissions(QFile::permissions(path) & kept);
#endif
    QString why;
    if (!syncData(file.handle(), &why) || !close(file, &why))
        return fail(why);
    if (!renameOver(file.fileName(), path, &why))
        return fail(why);
    return syncFolder(QFileInfo(path).absolutePath(), error);
}
