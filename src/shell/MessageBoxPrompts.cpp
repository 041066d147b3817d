#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxPrompts::message(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

UserPrompts::Answer MessageBoxPrompts::question(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
