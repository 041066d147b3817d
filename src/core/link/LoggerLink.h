#pragma once

#include "LoggerSession.h"
#include "PortDevices.h"
#include "SerialLine.h"
#include "SystemClock.h"

#include <QString>

class ErrorReport;
class NamedFormats;
class SettingsStore;
class StringTable;

// The link to the logger, assembled: the ports' devices, the serial port and the PC's clock
// under a LoggerSession. The window and the batch tool each own one and follow its
// session's signals.
class LoggerLink
{
public:
    struct Context
    {
        ErrorReport &errorReport;
        const StringTable &strings;
        const NamedFormats &formats;
        const SettingsStore *settings; // device overrides of COM1 to COM4; may be null
    };

    explicit LoggerLink(const Context &context);

    // The logger's port: "COM1" to "COM4" (any case) selects that port; anything else is
    // a device path, which becomes port 1's device. False for an empty text or a COM
    // number outside 1 to 4; the port is then as it was.
    bool choosePort(const QString &port);

    LoggerSession &session() { return m_session; }
    const LoggerSession &session() const { return m_session; }
    PortDevices &devices() { return m_devices; }

private:
    PortDevices m_devices;
    SerialLine m_port;
    SystemClock m_clock;
    LoggerSession m_session;
};
