#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <ctime>
#include <unistd.h>

// The logger simulator as a process of its own, pacing its replies at 9600 baud as a real
// logger does, with `memory` to download; and the processor time that it and this process
// spend. The benchmarks' targets define NERU_LOGGER_SIM.
class PacedLogger
{
public:
    explicit PacedLogger(const QByteArray &memory)
    {
        const QString path = m_folder.filePath(QStringLiteral("memory.bin"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(memory) != memory.size())
            qFatal("cannot write %s", qPrintable(path));
        file.close();
        m_process.start(QStringLiteral(NERU_LOGGER_SIM),
                        { QStringLiteral("--pace"), QStringLiteral("--memory"), path });
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead(5000))
            qFatal("the simulator did not start");
        m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~PacedLogger()
    {
        m_process.terminate();
        m_process.waitForFinished();
    }
    PacedLogger(const PacedLogger &) = delete;
    PacedLogger &operator=(const PacedLogger &) = delete;

    QString device() const { return m_device; }

    // The simulator's user and system time, from /proc.
    double processorSeconds() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(m_process.processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return 0.0;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13)
            return 0.0;
        const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
        return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }

    static double ownProcessorSeconds()
    {
        timespec t {};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    QString m_device;
};
