// A download of 20 blocks from the simulator pacing its replies at 9600 baud, as from a
// real logger. Every exchange waits for one clock-second boundary, so 21 exchanges (the
// length, then the blocks) cannot end before the 21st boundary after the start: that
// is the floor. Reported: the time over the floor, and the processor time of this
// process (the link) and of the simulator as a share of one core.
#include "ErrorReport.h"
#include "LoggerProtocol.h"
#include "LoggerSession.h"
#include "NamedFormats.h"
#include "PortDevices.h"
#include "SerialLine.h"
#include "StringTable.h"
#include "SystemClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include "PacedLogger.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kBlocks = 20;
constexpr int kLength = kBlocks * LoggerProtocol::kBlockLength - 100; // n \ 128 + 1 = 20

void BM_PacedDownload(benchmark::State &state)
{
    QTemporaryDir folder;
    const PacedLogger logger(QByteArray(kLength, '\x5A'));

    PortDevices devices;
    devices.setDevice(1, logger.device());
    SerialLine port(devices);
    ErrorReport errorReport(folder.filePath(QStringLiteral("events.log")));
    const StringTable strings;
    const NamedFormats formats;
    SystemClock clock;
    LoggerSession session({ port, errorReport, strings, formats, clock });
    session.setPort(1);
    LoggerResult result;
    QEventLoop loop;
    QObject::connect(&session, &LoggerSession::finished, [&](const LoggerResult &finished) {
        result = finished;
        loop.quit();
    });

    double overFloor = 0.0;
    double linkCpu = 0.0;
    double simulatorCpu = 0.0;
    double wall = 0.0;
    for (auto _ : state) {
        const qint64 start = clock.currentMSecsSinceEpoch();
        const double cpuStart = PacedLogger::ownProcessorSeconds();
        const double simulatorStart = logger.processorSeconds();
        QElapsedTimer elapsed;
        elapsed.start();
        session.download();
        loop.exec();
        const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
        if (!result.done() || result.download.size() != kLength)
            qFatal("the download came back with %d bytes: %s", int(result.download.size()),
                   qPrintable(result.message.detail));
        const qint64 floorMSecs = (start / 1000 + kBlocks + 1) * 1000 - start;
        wall += seconds;
        overFloor += seconds - static_cast<double>(floorMSecs) / 1000.0;
        linkCpu += (PacedLogger::ownProcessorSeconds() - cpuStart) / seconds;
        simulatorCpu += (logger.processorSeconds() - simulatorStart) / seconds;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["seconds"] = wall / runs;
    state.counters["over_floor_s"] = overFloor / runs;
    state.counters["link_cpu_%"] = 100.0 * linkCpu / runs;
    state.counters["sim_cpu_%"] = 100.0 * simulatorCpu / runs;
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
