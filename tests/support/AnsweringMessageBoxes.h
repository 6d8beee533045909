#pragma once

#include "window/widgets/MessageBoxes.h"

#include <QList>
#include <QString>

#include <functional>

// Answers every box with OK at once and keeps what was asked, in order. onShow runs
// while the box would be on screen, so a test can look at the log at that moment.
class AnsweringMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        bool warning = false;
        QString title;
        QString text;
    };

    void information(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({false, title, text});
        if (onShow)
            onShow(shown.last());
    }

    void warning(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({true, title, text});
        if (onShow)
            onShow(shown.last());
    }

    QList<Shown> shown;
    std::function<void(const Shown &)> onShow;
};
