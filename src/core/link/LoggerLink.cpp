#include "LoggerLink.h"

#include <QRegularExpression>

LoggerLink::LoggerLink(const Context &context)
    : m_devices(context.settings)
    , m_port(m_devices)
    , m_session({ m_port, context.errorReport, context.strings, context.formats, m_clock })
{ }

bool LoggerLink::choosePort(const QString &port)
{
    if (port.isEmpty())
        return false;
    static const QRegularExpression comName(QStringLiteral("^COM(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(port);
    if (!match.hasMatch()) {
        m_devices.setDevice(PortDevices::kFirstPort, port);
        m_session.setPort(PortDevices::kFirstPort);
        return true;
    }
    const int number = match.captured(1).toInt();
    if (number < PortDevices::kFirstPort || number > PortDevices::kLastPort)
        return false;
    m_session.setPort(static_cast<qint16>(number));
    return true;
}
