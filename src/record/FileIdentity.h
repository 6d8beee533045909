#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Whether the file written through an open descriptor is still the one its name leads to:
// the device and inode (on Windows the volume and file index) behind the descriptor
// against those of the file found under the name. Kept apart from the event log also
// because <windows.h> names one of its own functions OpenEventLog.
namespace FileIdentity {

// False when the file is known to be gone from its name: deleted, replaced by another,
// its folder gone, or the share it was on gone with the handle. True when it is there,
// and when it cannot be told (the next write says what is wrong then).
bool stillNamed(int descriptor, const QString &name);

// The file behind an open descriptor: its device and inode (volume and file index).
struct Id
{
    quint64 device = 0;
    quint64 file = 0;
    bool operator==(const Id &) const = default;
};
// Nothing when it cannot be told.
std::optional<Id> of(int descriptor);

// How many names (hard links) the file under path has; 0 when it cannot be told. On
// Windows asked of the file system itself: the C library's stat says 1 there always.
int nameCount(const QString &path);

} // namespace FileIdentity
