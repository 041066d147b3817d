// Tools > Comms > Interrogate as the user runs it in the program's windows: a download
// of 20 blocks from the simulator pacing its replies at 9600 baud, the download window
// over the main window, then the Save District dialog answered as a user answers it.
// Every exchange waits for one clock-second boundary, so the 21 exchanges (the length,
// then the blocks) cannot end before the 21st boundary after the start: that is the
// floor. Reported: the download's time (until the download window hides) and its time
// over the floor; the longest stall of the main thread's event loop meanwhile, seen by a
// 10 ms timer (its largest gap between two timeouts, less the 10 ms); and the processor
// time of the program and of the simulator as a share of one core.
#include "ApplicationName.h"
#include "DownloadWindow.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "NeruModel.h"
#include "Program.h"
#include "SaveDistrictDialog.h"
#include "SettingsStore.h"
#include "SplashWindow.h"
#include "StringTable.h"
#include "UserPrompts.h"
#include "samples/SampleGenerator.h"

#include "PacedLogger.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

namespace {

constexpr int kBlocks = 20;
// One district record and 244 readings of 10 bytes.
constexpr int kLength = 15 + 244 * 10;
static_assert(kLength / 128 + 1 == kBlocks, "the memory must take n \\ 128 + 1 = 20 blocks");
constexpr int kTickMSecs = 10;

// Answers the port message of the splash; anything else the program asks stops the run,
// since a message box during a download means the download went wrong.
class BenchPrompts : public UserPrompts
{
public:
    void message(const QString &text, const QString &title) override
    {
        if (title == m_strings.text(50020) && text.startsWith(m_strings.text(50000))) {
            ++portMessages;
            return;
        }
        qFatal("unexpected message \"%s\": %s", qPrintable(title), qPrintable(text));
    }
    Answer question(const QString &text, const QString &title, Answer) override
    {
        qFatal("unexpected question \"%s\": %s", qPrintable(title), qPrintable(text));
        return Answer::No;
    }
    QString openFileName(const QString &folder, const QString &, const QStringList &) override
    {
        qFatal("unexpected file dialog in %s", qPrintable(folder));
        return QString();
    }
    QString saveFileName(const QString &proposed, const QString &) override
    {
        qFatal("unexpected save dialog for %s", qPrintable(proposed));
        return QString();
    }

    int portMessages = 0;

private:
    const StringTable m_strings {};
};

// A 10 ms timer on the main thread's event loop: while measuring, the largest gap between
// two of its timeouts (or between the last one and the end) less the 10 ms it should be.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMSecs);
        connect(&m_timer, &QTimer::timeout, this, &StallMeter::tick);
        m_clock.start();
        m_timer.start();
    }

    void begin()
    {
        m_last = m_clock.nsecsElapsed();
        m_longest = 0;
        m_measuring = true;
    }
    // The longest stall, in milliseconds.
    double end()
    {
        tick();
        m_measuring = false;
        return std::max(0.0, static_cast<double>(m_longest) / 1e6 - kTickMSecs);
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        if (m_measuring)
            m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    bool m_measuring = false;
};

// Calls `onEvent` when `watched` gets an event of type `type`.
class EventWatch : public QObject
{
public:
    EventWatch(QObject &watched, QEvent::Type type, std::function<void()> onEvent)
        : m_type(type)
        , m_onEvent(std::move(onEvent))
    {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_onEvent();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_onEvent;
};

// The logger's memory: the start of a flow district's readings, whole records only.
QByteArray loggerMemory()
{
    SampleGenerator::District district = SampleGenerator::flowDistrict();
    district.fittings.clear();
    district.holes.clear();
    district.days = 4;
    const QByteArray records = SampleGenerator::records(district);
    if (records.size() < kLength)
        qFatal("the sample district is too short");
    return records.left(kLength);
}

void BM_Interrogate(benchmark::State &state)
{
    QTemporaryDir folder; // the program's current folder, where the districts go
    const PacedLogger logger(loggerMemory());
    {
        SettingsStore settings;
        settings.write(QStringLiteral("Ports"), QStringLiteral("COM1"), logger.device());
        if (!settings.sync())
            qFatal("cannot write the settings file %s", qPrintable(settings.fileName()));
    }

    BenchPrompts prompts;
    Program program(&prompts, [] {});
    program.start(folder.path());
    if (!QTest::qWaitFor([&prompts] { return prompts.portMessages == 1; }, 5000))
        qFatal("the splash did not show its port message");
    program.splash().handOver();
    MainWindow &main = *program.mainWindow();
    main.actions().port(1)->trigger();

    // The download ends when its window hides; a district's file name is typed on show.
    StallMeter stalls;
    QElapsedTimer elapsed;
    double downloadSeconds = 0.0;
    double stallMSecs = 0.0;
    EventWatch hidden(*program.downloading(), QEvent::Hide, [&] {
        downloadSeconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
        stallMSecs = stalls.end();
    });
    SaveDistrictDialog &save = *program.saveDistrict();
    QString fileName;
    EventWatch shown(save, QEvent::Show, [&save, &fileName] {
        QTimer::singleShot(0, &save, [&save, &fileName] {
            QTest::keyClick(save.fileNameEdit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(save.fileNameEdit, Qt::Key_Backspace);
            QTest::keyClicks(save.fileNameEdit, fileName);
            QTest::mouseClick(save.okButton, Qt::LeftButton);
        });
    });

    int run = 0;
    double wall = 0.0;
    double overFloor = 0.0;
    double worstOverFloor = 0.0;
    double worstStall = 0.0;
    double cpu = 0.0;
    double simulatorCpu = 0.0;
    for (auto _ : state) {
        fileName = QStringLiteral("bench-%1").arg(++run);
        downloadSeconds = 0.0;
        const qint64 start = QDateTime::currentMSecsSinceEpoch();
        const double cpuStart = PacedLogger::ownProcessorSeconds();
        const double simulatorStart = logger.processorSeconds();
        elapsed.start();
        stalls.begin();
        // The command runs on the application's event loop until the model is idle again,
        // its district saved.
        QEventLoop loop;
        QObject::connect(&program.model(), &NeruModel::busyChanged, &loop, [&loop](bool busy) {
            if (!busy)
                loop.quit();
        });
        main.actions().interrogate()->trigger();
        loop.exec();
        if (downloadSeconds <= 0.0)
            qFatal("the download window never hid");
        const double cpuEnd = PacedLogger::ownProcessorSeconds();
        const double simulatorEnd = logger.processorSeconds();
        if (program.downloading()->progressBar->maximum() != kBlocks)
            qFatal("the download took %d blocks", program.downloading()->progressBar->maximum());
        const QString saved = program.model().file().image().path();
        if (QFileInfo(saved).fileName() != fileName + QStringLiteral(".dat")
            || !QFileInfo::exists(saved))
            qFatal("the district was not saved as %s but as %s", qPrintable(fileName),
                   qPrintable(saved));
        const qint64 floorMSecs = (start / 1000 + kBlocks + 1) * 1000 - start;
        const double over = downloadSeconds - static_cast<double>(floorMSecs) / 1000.0;
        wall += downloadSeconds;
        overFloor += over;
        worstOverFloor = std::max(worstOverFloor, over);
        worstStall = std::max(worstStall, stallMSecs);
        // The program's share includes the Save District dialog and the graph that follow.
        const double total = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
        cpu += (cpuEnd - cpuStart) / total;
        simulatorCpu += (simulatorEnd - simulatorStart) / total;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["seconds"] = wall / runs;
    state.counters["over_floor_s"] = overFloor / runs;
    state.counters["worst_over_floor_s"] = worstOverFloor;
    state.counters["longest_stall_ms"] = worstStall;
    state.counters["program_cpu_%"] = 100.0 * cpu / runs;
    state.counters["sim_cpu_%"] = 100.0 * simulatorCpu / runs;
}

} // namespace

BENCHMARK(BM_Interrogate)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings, the kept downloads and the event log go to folders of the run's own.
    QTemporaryDir home;
    if (!home.isValid())
        qFatal("cannot make a temporary folder");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationName::systemName());
    app.setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
