// A download of 20 blocks from the simulator pacing its replies at 9600 baud, as from a
// real logger. Every exchange waits for one clock-second boundary, so 21 exchanges (the
// length, then the blocks) cannot end before the 21st boundary after the start: that
// is the floor. Reported: the time over the floor, and the processor time of this
// process (the link) and of the simulator as a share of one core.
#include "DownloadProgress.h"
#include "ErrorReport.h"
#include "EventLoopEvents.h"
#include "LinkMessages.h"
#include "NERUComm.h"
#include "NamedFormats.h"
#include "PortDevices.h"
#include "SerialPortControl.h"
#include "StringTable.h"
#include "SystemClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <unistd.h>

namespace {

constexpr int kBlocks = 20;
constexpr int kLength = kBlocks * NERUComm::kBlockLength - 100; // n \ 128 + 1 = 20

class SilentMessages : public LinkMessages
{
public:
    void showMessage(Kind kind, const QString &text, const QString &) override
    {
        if (kind == Kind::Failure)
            qFatal("%s", qPrintable(text));
    }
};

class NoWindow : public DownloadProgress
{
public:
    void showDownload() override { }
    void setProgressMaximum(qint32) override { }
    void setProgressValue(qint32) override { }
    bool blnCancelDownload() const override { return false; }
    void hideDownload() override { }
};

double processSeconds()
{
    timespec t {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// User and system time of another process, from /proc.
double processSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0.0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0.0;
    const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void BM_PacedDownload(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString memory = folder.filePath(QStringLiteral("memory.bin"));
    {
        QFile file(memory);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(memory));
        file.write(QByteArray(kLength, '\x5A'));
    }
    QProcess simulator;
    simulator.start(QStringLiteral(NERU_LOGGER_SIM),
                    { QStringLiteral("--pace"), QStringLiteral("--memory"), memory });
    if (!simulator.waitForStarted() || !simulator.waitForReadyRead(5000))
        qFatal("the simulator did not start");
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();

    PortDevices devices;
    devices.setDevice(1, device);
    SerialPortControl port(devices);
    SilentMessages messages;
    NoWindow window;
    ErrorReport errorReport(folder.filePath(QStringLiteral("events.log")));
    const StringTable strings;
    const NamedFormats formats;
    SystemClock clock;
    EventLoopEvents events;
    NERUComm comm({ port, messages, window, errorReport, strings, formats, clock, events });
    comm.intCOMPort = 1;

    double overFloor = 0.0;
    double linkCpu = 0.0;
    double simulatorCpu = 0.0;
    double wall = 0.0;
    for (auto _ : state) {
        const qint64 start = clock.currentMSecsSinceEpoch();
        const double cpuStart = processSeconds();
        const double simulatorStart = processSeconds(simulator.processId());
        QElapsedTimer elapsed;
        elapsed.start();
        comm.getRawData();
        const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
        if (comm.lngDownloadLength != kLength)
            qFatal("the download came back with %d bytes", comm.lngDownloadLength);
        const qint64 floorMSecs = (start / 1000 + kBlocks + 1) * 1000 - start;
        wall += seconds;
        overFloor += seconds - static_cast<double>(floorMSecs) / 1000.0;
        linkCpu += (processSeconds() - cpuStart) / seconds;
        simulatorCpu += (processSeconds(simulator.processId()) - simulatorStart) / seconds;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["seconds"] = wall / runs;
    state.counters["over_floor_s"] = overFloor / runs;
    state.counters["link_cpu_%"] = 100.0 * linkCpu / runs;
    state.counters["sim_cpu_%"] = 100.0 * simulatorCpu / runs;
    simulator.terminate();
    simulator.waitForFinished();
}

} // namespace

BENCHMARK(BM_PacedDownload)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
