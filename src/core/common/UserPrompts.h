#pragma once

#include <QString>

// Questions and messages for the user. The windows answer them with message boxes; the
// tests answer them themselves.
class UserPrompts
{
public:
    enum class Answer { Yes, No };

    virtual ~UserPrompts() = default;

    // A message with an OK button only; returns when the user has closed it.
    virtual void message(const QString &text, const QString &title) = 0;

    // A question with Yes and No buttons.
    virtual Answer question(const QString &text, const QString &title) = 0;
};
