#pragma once

#include <QString>

class QWidget;

// The modal message box seam. Each call returns once the box has been answered with OK;
// tests answer at once and keep what was asked.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Information icon, OK only: what the subject is told during the walk.
    virtual void information(QWidget *parent, const QString &title, const QString &text) = 0;
    // Warning icon, OK only: a problem that someone must put right.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
};
