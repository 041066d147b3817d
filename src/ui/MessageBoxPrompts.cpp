#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

// The box belongs to the active window, or else to a window on the screen (the splash
// window takes no focus), so that it stays above it and cannot get lost behind it.
QWidget *owner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !(window->windowType() == Qt::Popup))
            return window;
    }
    return nullptr;
}

} // namespace

void MessageBoxPrompts::message(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner());
    box.exec();
}

UserPrompts::Answer MessageBoxPrompts::question(const QString &text, const QString &title,
                                                Answer defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    owner());
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString MessageBoxPrompts::openFileName(const QString &folder, const QString &filter,
                                        const QStringList &places)
{
    QFileDialog dialog(owner(), QString(), folder, filter);
    if (!places.isEmpty()) {
        QList<QUrl> sidebar = dialog.sidebarUrls();
        for (const QString &place : places)
            sidebar.append(QUrl::fromLocalFile(place));
        dialog.setSidebarUrls(sidebar);
    }
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString MessageBoxPrompts::saveFileName(const QString &proposed, const QString &filter)
{
    return QFileDialog::getSaveFileName(owner(), QString(), proposed, filter);
}
