#include "record/FollowedFile.h"

#include "record/InputFile.h"

#include <QFile>

#include <algorithm>

namespace {

// Bytes read again before the new ones, to see that what was read still stands there: a
// file saved again over itself (an editor's "save") differs in them.
constexpr qint64 Overlap = 256;

} // namespace

bool FollowedFile::readOn(QFile &file, qint64 size)
{
    const qint64 before = m_bytes.size();
    const qint64 from = before - std::min(before, Overlap);
    if (!file.seek(from))
        return false;
    const QByteArray more = file.read(size - from);
    if (more.size() < before - from || more.left(before - from) != m_bytes.mid(from))
        return false;
    m_bytes.append(more.constData() + (before - from), more.size() - (before - from));
    return true;
}

bool FollowedFile::read(const QString &path, qint64 most, const QString &what, Change *change, QString *error)
{
    QFile file;
    if (!InputFile::open(file, path, error)) {
        m_identity.reset();
        m_bytes.clear();
        return false;
    }
    const std::optional<FileIdentity::Id> identity = FileIdentity::of(file.handle());
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    const qint64 size = file.size();
    const qint64 before = m_bytes.size();
    if (identity && identity == m_identity && size >= before && size <= most) {
        if (size == before && modified == m_modified) {
            *change = Change::None;
            return true;
        }
        if (readOn(file, size)) {
            m_modified = modified;
            *change = m_bytes.size() == before ? Change::None : Change::Appended;
            return true;
        }
    }
    // The first reading, or the file is not the one read before: read whole.
    m_identity.reset();
    m_bytes.clear();
    if (!file.seek(0) || !InputFile::readAll(file, path, most, what, &m_bytes, error)) {
        m_bytes.clear();
        return false;
    }
    m_identity = identity;
    m_modified = modified;
    *change = Change::Whole;
    return true;
}
