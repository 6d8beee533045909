#include "room/widgets/QtRoomBoxes.h"

#include <QPrintDialog>
#include <QPrinter>

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

bool QtRoomBoxes::print(QWidget *parent, const QString &title, const std::function<void(QPagedPaintDevice *)> &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    draw(&printer);
    return true;
}
