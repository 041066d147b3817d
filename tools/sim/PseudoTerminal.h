#pragma once

#include <QString>

// A pseudo-terminal in raw mode: the simulator holds the master side, and a serial port
// opened on the device path (the slave side) talks to it like a cable to a logger. The
// simulator keeps a slave descriptor of its own open, so the line stays up while the
// program closes its port between exchanges.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // False with `error` set when the terminal cannot be made.
    bool open(QString *error);
    // Hangs up: the line goes down as if the cable were pulled.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int masterDescriptor() const { return m_master; }
    QString devicePath() const { return m_devicePath; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
};
