#pragma once

#include "RuntimeError.h"

// A failure of the serial port: the description is the operating system's reason
// ("/dev/ttyS0: Permission denied"), the advice what the user can do about it.
class PortError : public RuntimeError
{
public:
    PortError(const QString &description, const QString &advice)
        : RuntimeError(description)
        , m_advice(advice)
    { }

    QString advice() const { return m_advice; }

private:
    QString m_advice;
};
