#include "SmallFilesystem.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {

const QString Filler = QStringLiteral(".filler");

} // namespace

SmallFilesystem::~SmallFilesystem()
{
    unmount();
}

bool SmallFilesystem::mount(const QString &folder, qint64 size, QString *why)
{
#ifndef Q_OS_LINUX
    // tmpfs and mount(2) are Linux's.
    *why = QStringLiteral("cannot mount a %1-byte tmpfs on %2: tmpfs needs Linux").arg(size).arg(folder);
    return false;
#else
    const QByteArray options = "size=" + QByteArray::number(size);
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData())
        != 0) {
        *why = QStringLiteral("cannot mount a %1-byte tmpfs on %2: %3 (needs root with "
                              "CAP_SYS_ADMIN)")
                   .arg(size).arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_folder = folder;
    m_mounted = true;
    return true;
#endif
}

bool SmallFilesystem::fillLeaving(qint64 free)
{
    QFile filler(QDir(m_folder).filePath(Filler));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.close();
    // tmpfs hands out whole pages: giving back the last free bytes frees just those pages.
    return free <= 0 || filler.resize(qMax<qint64>(0, filler.size() - free));
}

bool SmallFilesystem::makeRoom()
{
    return QFile::remove(QDir(m_folder).filePath(Filler));
}

void SmallFilesystem::unmount()
{
#ifdef Q_OS_LINUX
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
#endif
    m_mounted = false;
}
