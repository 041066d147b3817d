#include "DetectedPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

QList<DetectedPorts::Port> DetectedPorts::systemPorts()
{
    QList<Port> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append({ info.systemLocation(), info.description(), info.manufacturer(),
                       info.serialNumber(), QString() });
    std::sort(ports.begin(), ports.end(),
              [](const Port &a, const Port &b) { return a.device < b.device; });
    return ports;
}

QList<DetectedPorts::Port> DetectedPorts::list(const QString &folder)
{
    QList<Port> ports = systemPorts();
    findStableNames(ports, folder);
    return ports;
}

void DetectedPorts::findStableNames(QList<Port> &ports, const QString &folder)
{
    // The links lead to device nodes, which only the System filter lists.
    const QFileInfoList links = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (Port &port : ports) {
        const QString device = canonical(port.device);
        const auto leading = std::find_if(links.begin(), links.end(), [&](const QFileInfo &link) {
            return link.isSymLink() && canonical(link.filePath()) == device;
        });
        port.stableName = leading == links.end() ? QString() : leading->filePath();
    }
}

QString DetectedPorts::canonical(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    return target.isEmpty() ? device : target;
}
