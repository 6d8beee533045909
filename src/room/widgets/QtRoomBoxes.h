#pragma once

#include "room/widgets/RoomBoxes.h"
#include "window/widgets/QtMessageBoxes.h"

// Real dialogs: QMessageBox, QFileDialog and QPrintDialog.
class QtRoomBoxes : public RoomBoxes
{
public:
    void information(QWidget *parent, const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &startIn) override;
    bool print(QWidget *parent, const QString &title,
               const std::function<void(QPagedPaintDevice *)> &draw) override;

private:
    QtMessageBoxes m_boxes;
};
