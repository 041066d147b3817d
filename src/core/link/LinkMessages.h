#pragma once

#include <QString>

// How the serial link tells the user something: a message with an OK button under the
// application's title. The main window shows a message box; the batch tool prints it.
class LinkMessages
{
public:
    enum class Kind {
        Information, // an operation succeeded ("NERU memory has been cleared")
        Warning, // the operation goes on or ends without an error ("No data found ...")
        Failure // the operation failed
    };

    virtual ~LinkMessages() = default;

    // `text` may hold several lines separated by CR LF. `detail` says what went wrong in
    // the operating system's words and what the user can do about it; it may be empty.
    virtual void showMessage(Kind kind, const QString &text, const QString &detail) = 0;
};
