#include "LoggerSimulator.h"
#include "SimulatorCommandLine.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    LoggerSimulator::Options options;
    QString error;
    QString help;
    if (!SimulatorCommandLine::parse(QCoreApplication::arguments(), options, error, help)) {
        if (!help.isEmpty()) {
            std::fputs(help.toLocal8Bit().constData(), stdout);
            return 0;
        }
        std::fprintf(stderr, "neru-logger-sim: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    LoggerSimulator simulator(options);
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "neru-logger-sim: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s\n", simulator.devicePath().toLocal8Bit().constData());
    std::fflush(stdout);
    QObject::connect(&simulator, &LoggerSimulator::frameReceived, [](const QByteArray &frame) {
        std::printf("rx %s\n", frame.toHex(' ').constData());
        std::fflush(stdout);
    });
    QObject::connect(&simulator, &LoggerSimulator::hungUpLine, &app, [] {
        std::printf("hung up\n");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
