#pragma once

#include "room/widgets/RoomBoxes.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QPdfWriter>
#include <QString>

#include <functional>

// Answers every box of the room window at once and keeps what was asked, in order: a
// question with answer (OK unless set otherwise), a folder asked for with folder, the
// print dialog with answer too.
class AnsweringRoomBoxes : public RoomBoxes
{
public:
    enum class Kind { Information, Warning, Confirm, ChooseFolder, Print };
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

    // The print dialog answered with answer: a "printer" that is a PDF kept in printed.
    bool print(QWidget *, const QString &title, const std::function<void(QPagedPaintDevice *)> &draw) override
    {
        keep(Kind::Print, title, QString());
        if (!answer)
            return false;
        printed.clear();
        QBuffer buffer(&printed);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter printer(&buffer);
        draw(&printer);
        return true;
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
    QByteArray printed;
    std::function<void(const Shown &)> onShow;

private:
    void keep(Kind kind, const QString &title, const QString &text)
    {
        shown.append({kind, title, text});
        if (onShow)
            onShow(shown.last());
    }
};
