#pragma once

#include "window/widgets/MessageBoxes.h"

// Real QMessageBox dialogs.
class QtMessageBoxes : public MessageBoxes
{
public:
    void information(QWidget *parent, const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
};
