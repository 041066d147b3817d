#include "FakeLinkTime.h"

#include "SerialPortControl.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

FakeLinkTime::FakeLinkTime(qint64 startMSecsSinceEpoch)
    : m_now(startMSecsSinceEpoch)
{ }

void FakeLinkTime::wait(SerialPortControl &port, qint64 maxMSecs, bool inputAwaited)
{
    if (duringWait)
        duringWait();
    if (maxMSecs <= 0 || !inputAwaited) {
        QCoreApplication::processEvents();
        m_now += std::max<qint64>(maxMSecs, 0);
        return;
    }
    bool woken = false;
    QEventLoop loop;
    QTimer::singleShot(kQuietMSecs, &loop, &QEventLoop::quit);
    auto wake = [&loop, &woken] {
        woken = true;
        loop.quit();
    };
    QObject::connect(&port, &SerialPortControl::inputArrived, &loop, wake);
    QObject::connect(&port, &SerialPortControl::failed, &loop, wake);
    loop.exec();
    if (!woken)
        m_now += maxMSecs;
}
