#include "window/widgets/QtMessageBoxes.h"

#include <QMessageBox>

namespace {

// The box's button: Qt names it in this context, and a translation installed for the
// window gives it in the subjects' language (so it is in the window's own .ts).
[[maybe_unused]] const char *const OkText = QT_TRANSLATE_NOOP("QPlatformTheme", "OK");

void show(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace

void QtMessageBoxes::information(QWidget *parent, const QString &title, const QString &text)
{
    show(QMessageBox::Information, parent, title, text);
}

void QtMessageBoxes::warning(QWidget *parent, const QString &title, const QString &text)
{
    show(QMessageBox::Warning, parent, title, text);
}
