#pragma once

#include "EventLoopEvents.h"
#include "NERUComm.h"
#include "PortDevices.h"
#include "SerialPortControl.h"
#include "SystemClock.h"

#include <QString>

class DownloadProgress;
class ErrorReport;
class LinkMessages;
class NamedFormats;
class SettingsStore;
class StringTable;

// The link to the logger, assembled: the ports' devices, the serial port, the PC's clock
// and the waits in the event loop under NERUComm. The window and the batch tool each own
// one and hand it their own messages and download progress.
class LoggerLink
{
public:
    struct Context
    {
        LinkMessages &messages;
        DownloadProgress &progress;
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

    NERUComm &comm() { return m_comm; }
    const NERUComm &comm() const { return m_comm; }
    PortDevices &devices() { return m_devices; }

private:
    PortDevices m_devices;
    SerialPortControl m_port;
    SystemClock m_clock;
    EventLoopEvents m_events;
    NERUComm m_comm;
};
