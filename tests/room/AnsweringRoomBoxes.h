#pragma once

#include "room/widgets/RoomBoxes.h"

#include <QList>
#include <QString>

#include <functional>

// Answers every box of the room window at once and keeps what was asked, in order: a
// question with answer (OK unless set otherwise), a folder asked for with folder.
class AnsweringRoomBoxes : public RoomBoxes
{
public:
    enum class Kind { Information, Warning, Confirm, ChooseFolder };
    struct Shown
    {
        Kind kind;
        QString title;
        QString text;
    };

    void information(QWidget *, const QString &title, const QString &text) override
    {
        keep(Kind::Information, title, text);
    }
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        keep(Kind::Warning, title, text);
    }
    bool confirm(QWidget *, const QString &title, const QString &text) override
    {
        keep(Kind::Confirm, title, text);
        return answer;
    }
    QString chooseFolder(QWidget *, const QString &title, const QString &) override
    {
        keep(Kind::ChooseFolder, title, QString());
        return folder;
    }

    // The boxes of one kind, in order.
    QList<Shown> of(Kind kind) const
    {
        QList<Shown> found;
        for (const Shown &box : shown)
            if (box.kind == kind)
                found.append(box);
        return found;
    }

    QList<Shown> shown;
    bool answer = true;
    QString folder;
    std::function<void(const Shown &)> onShow;

private:
    void keep(Kind kind, const QString &title, const QString &text)
    {
        shown.append({kind, title, text});
        if (onShow)
            onShow(shown.last());
    }
};
