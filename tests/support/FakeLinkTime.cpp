#include "FakeLinkTime.h"

#include "SerialPortControl.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// Real time granted to the simulator to answer before the clock jumps.
constexpr int kQuietMSecs = 250;

} // namespace

FakeLinkTime::FakeLinkTime(qint64 startMSecsSinceEpoch)
    : m_now(startMSecsSinceEpoch)
{ }

void FakeLinkTime::wait(SerialPortControl &port, qint64 maxMSecs, bool inputAwaited)
{
    ++m_waits;
    if (duringWait)
        duringWait();
    if (maxMSecs <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    if (!inputAwaited) {
        QCoreApplication::processEvents();
        m_now += maxMSecs;
        return;
    }
    bool woken = false;
    QEventLoop loop;
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto wake = [&loop, &woken] {
        woken = true;
        loop.quit();
    };
    QObject::connect(&port, &SerialPortControl::inputArrived, &loop, wake);
    QObject::connect(&port, &SerialPortControl::failed, &loop, wake);
    quiet.start(kQuietMSecs);
    loop.exec();
    if (!woken)
        m_now += maxMSecs;
}
