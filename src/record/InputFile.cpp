#include "record/InputFile.h"

#include "record/SharedRead.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

#ifdef Q_OS_UNIX
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO (named pipe)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a plain file");
}
#endif

// "1.5 MB", "64 KB", "12 bytes".
QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024)
        return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
    if (bytes >= 1024)
        return QStringLiteral("%1 KB").arg(bytes / 1024);
    return QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace

namespace InputFile {

bool open(QFile &file, const QString &path, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("%1 %2").arg(native(path), why);
        return false;
    };
#ifdef Q_OS_UNIX
    // POSIX: stat first, so that a FIFO is never opened (an open for reading waits for a
    // writer); O_NONBLOCK for one swapped in after the stat; fstat to see what was opened.
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (::stat(name.constData(), &before) != 0)
        return fail(errno == ENOENT ? QStringLiteral("does not exist")
                                    : QStringLiteral("cannot be read: %1").arg(qt_error_string(errno)));
    if (!S_ISREG(before.st_mode))
        return fail(QStringLiteral("is %1, not a regular file").arg(kindOf(before.st_mode)));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("cannot be opened: %1").arg(qt_error_string(errno)));
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("was replaced by %1 while it was opened").arg(kindOf(opened.st_mode)));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(QStringLiteral("cannot be opened: %1").arg(file.errorString()));
    }
    return true;
#else
    // Windows has no FIFOs in the file system; pipes and devices have names of their own
    // (\\.\pipe\..., CON, NUL) that QFileInfo does not report as files.
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("does not exist"));
    if (!info.isFile())
        return fail(info.isDir() ? QStringLiteral("is a folder, not a regular file")
                                 : QStringLiteral("is not a regular file"));
    // Shared, so that nobody's replacing or moving the file fails while it is read here.
    QString why;
    if (!SharedRead::open(file, path, &why))
        return fail(QStringLiteral("cannot be opened: %1").arg(why));
    return true;
#endif
}

bool readAll(const QString &path, qint64 most, const QString &what, QByteArray *bytes,
             QString *error)
{
    QFile file;
    return open(file, path, error) && readAll(file, path, most, what, bytes, error);
}

bool readAll(QFile &file, const QString &path, qint64 most, const QString &what, QByteArray *bytes,
             QString *error)
{
    if (file.size() > most) {
        if (error)
            *error = QStringLiteral("%1 is %2 long; %3 is at most %4, so it is not read")
                         .arg(native(path), sizeText(file.size()), what, sizeText(most));
        return false;
    }
    // One byte more than allowed: a file that grows while it is read stops there. Read in
    // pieces the size of the file, not in one buffer of the most allowed.
    bytes->clear();
    qint64 piece = std::max<qint64>(file.size() + 1, 4096);
    while (bytes->size() <= most) {
        const QByteArray read = file.read(std::min(piece, most + 1 - bytes->size()));
        if (read.isEmpty())
            break;
        bytes->append(read);
        piece = std::max<qint64>(piece, 64 * 1024);
    }
    if (bytes->size() > most) {
        if (error)
            *error = QStringLiteral("%1 grew past %2 while it was read; %3 is at most that")
                         .arg(native(path), sizeText(most), what);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("%1 cannot be read: %2").arg(native(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace InputFile
