#include "room/widgets/QtRoomBoxes.h"

#include <QFileDialog>
#include <QMessageBox>

void QtRoomBoxes::information(QWidget *parent, const QString &title, const QString &text)
{
    m_boxes.information(parent, title, text);
}

void QtRoomBoxes::warning(QWidget *parent, const QString &title, const QString &text)
{
    m_boxes.warning(parent, title, text);
}

bool QtRoomBoxes::confirm(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Ok;
}

QString QtRoomBoxes::chooseFolder(QWidget *parent, const QString &title, const QString &startIn)
{
    return QFileDialog::getExistingDirectory(parent, title, startIn);
}
