#pragma once

#include <QString>
#include <QStringList>

// Questions, messages and the open-file dialog for the user. The windows answer them with
// message boxes and a file dialog; the tests answer them themselves. The program titles
// its messages with ApplicationName::title().
class UserPrompts
{
public:
    enum class Answer { Yes, No };

    virtual ~UserPrompts() = default;

    // A message with an OK button only; returns when the user has closed it.
    virtual void message(const QString &text, const QString &title) = 0;

    // A question with Yes and No buttons; Enter gives `defaultAnswer`, Esc gives No. A
    // question whose Yes loses or replaces something defaults to No.
    virtual Answer question(const QString &text, const QString &title, Answer defaultAnswer) = 0;

    // The open-file dialog, showing the folder `folder` (ending in "/") and the files that
    // `filter` ("Download Files(*.dat)", several separated by ";;") lets through, with
    // `places` offered beside the folder. Returns the chosen file, or an empty string when
    // the user cancels.
    virtual QString openFileName(const QString &folder, const QString &filter,
                                 const QStringList &places)
        = 0;

    // The save-file dialog, starting at `proposed` (a folder ending in "/" and a file
    // name) and showing the files `filter` lets through; it asks before an existing file is
    // replaced. Returns the chosen path, or an empty string when the user cancels.
    virtual QString saveFileName(const QString &proposed, const QString &filter) = 0;

    // As saveFileName, with ".<extension>" added to a name typed without one; when that
    // file exists, asks before it is replaced (the dialog asked about the name typed) and
    // returns an empty string on No.
    QString saveFileNameWithExtension(const QString &proposed, const QString &filter,
                                      const QString &extension);
};
