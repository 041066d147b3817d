#include "EventLoopEvents.h"

#include "SerialPortControl.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

void EventLoopEvents::wait(SerialPortControl &port, qint64 maxMSecs, bool inputAwaited)
{
    if (maxMSecs <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // The pause ends on a clock-second boundary; a coarse timer could overshoot it.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&port, &SerialPortControl::failed, &loop, &QEventLoop::quit);
    if (inputAwaited)
        QObject::connect(&port, &SerialPortControl::inputArrived, &loop, &QEventLoop::quit);
    timer.start(std::chrono::milliseconds(std::min<qint64>(maxMSecs, 60 * 60 * 1000)));
    loop.exec();
}
