#include "session/GoAheadWrite.h"

#include <QDir>
#include <QFileInfo>

GoAheadWrite GoAheadWrite::to(const QString &folder, qint16 value)
{
    GoAheadWrite write;
    write.folder = folder;
    write.value = value;
    const QFileInfo info(folder);
    const QString path = GoAheadFile::in(folder);
    if (!info.exists())
        return write; // NoFolder
    if (!info.isDir()) {
        write.outcome = Outcome::NotAFolder;
        return write;
    }
    if (!QFileInfo::exists(path) && QFileInfo(QDir(folder).filePath(QStringLiteral("data"))).isDir()) {
        write.outcome = Outcome::ProgramFolder;
        return write;
    }
    write.before = GoAheadFile::read(path);
    if (!GoAheadFile::write(path, value, &write.error)) {
        write.outcome = Outcome::Failed;
        return write;
    }
    write.after = GoAheadFile::read(path);
    write.outcome = write.after.status == GoAheadFile::Status::Number && write.after.value == value
        ? Outcome::Written
        : Outcome::ReadsBackWrong;
    return write;
}

QString GoAheadWrite::heldText(const GoAheadFile::Reading &reading)
{
    switch (reading.status) {
    case GoAheadFile::Status::Number:
        return QStringLiteral("okto.go held %1").arg(reading.value);
    case GoAheadFile::Status::Missing:
        return QStringLiteral("there was no okto.go");
    case GoAheadFile::Status::Empty:
        return QStringLiteral("okto.go held no number");
    case GoAheadFile::Status::NotANumber:
    case GoAheadFile::Status::Unreadable:
        return QStringLiteral("okto.go could not be read as a number (%1)").arg(reading.detail);
    }
    return QString();
}

QString GoAheadWrite::text() const
{
    switch (outcome) {
    case Outcome::NoFolder:
        return QStringLiteral("no such folder; nothing written");
    case Outcome::NotAFolder:
        return QStringLiteral("not a folder; nothing written");
    case Outcome::ProgramFolder:
        return QStringLiteral("holds no okto.go but a folder \"data\"; give the data folder %1 instead; nothing written")
            .arg(QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("data"))));
    case Outcome::Failed:
        return QStringLiteral("%1; writing %2 FAILED: %3").arg(heldText(before)).arg(value).arg(error);
    case Outcome::ReadsBackWrong:
        return QStringLiteral("%1; %2 was written but the file reads back as: %3")
            .arg(heldText(before))
            .arg(value)
            .arg(after.status == GoAheadFile::Status::Number ? QString::number(after.value) : after.detail);
    case Outcome::Written:
        break;
    }
    return QStringLiteral("%1; now it holds %2").arg(heldText(before)).arg(value);
}
