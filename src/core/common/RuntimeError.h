#pragma once

#include <QString>

#include <stdexcept>

// A run-time error of the program: carries the description that the error report
// writes ("Division by zero", "Overflow", "Subscript out of range", or the reason a
// file operation failed). Caught only by the procedures that guard themselves.
class RuntimeError : public std::runtime_error
{
public:
    explicit RuntimeError(const QString &description)
        : std::runtime_error(description.toStdString())
        , m_description(description)
    { }

    QString description() const { return m_description; }

    static RuntimeError divisionByZero()
    {
        return RuntimeError(QStringLiteral("Division by zero"));
    }
    static RuntimeError overflow() { return RuntimeError(QStringLiteral("Overflow")); }
    static RuntimeError subscriptOutOfRange()
    {
        return RuntimeError(QStringLiteral("Subscript out of range"));
    }
    static RuntimeError invalidArgument()
    {
        return RuntimeError(QStringLiteral("Invalid procedure call or argument"));
    }

private:
    QString m_description;
};
