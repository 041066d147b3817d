#include "LoggerSimulator.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

// Ten bits (start, eight data, stop) at 9600 baud.
constexpr qint64 kByteNSecs = 10LL * 1000000000LL / 9600;
// Lets the program read what arrived before the line goes down.
constexpr int kHangUpDelayMSecs = 50;
const QByteArray kGarbage = QByteArrayLiteral("\xA5\x5A\x00\xFF\x13");

QByteArray fixedWidth(QByteArray text, int width)
{
    text.truncate(width);
    while (text.size() < width)
        text.append(' ');
    return text;
}

} // namespace

LoggerSimulator::LoggerSimulator(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
{
    m_clockBase = m_options.clock.isValid() ? m_options.clock : QDateTime::currentDateTime();
    m_clockRunning.start();
    m_line.start();
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_writeTimer, &QTimer::timeout, this, &LoggerSimulator::writeDue);
}

LoggerSimulator::~LoggerSimulator()
{
    delete m_notifier;
    m_terminal.close();
}

bool LoggerSimulator::start(QString *error)
{
    if (!m_terminal.open(error))
        return false;
    m_notifier = new QSocketNotifier(m_terminal.masterDescriptor(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LoggerSimulator::onReadable);
    return true;
}

QDateTime LoggerSimulator::loggerClock() const
{
    return m_clockBase.addMSecs(m_clockRunning.elapsed());
}

int LoggerSimulator::frameLength(quint8 command)
{
    switch (command) {
    case 2:
        return 8;
    case 14:
        return 2;
    default:
        return 1;
    }
}

QByteArray LoggerSimulator::clockBytes(const QDateTime &clock)
{
    const QDate date = clock.date();
    const QTime time = clock.time();
    QByteArray bytes;
    for (int field : { time.hour(), time.minute(), time.second(), date.month(), date.day(),
                       date.year() % 100, date.dayOfWeek() % 7 + 1 })
        bytes.append(static_cast<char>(field));
    return bytes;
}

void LoggerSimulator::onReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(m_terminal.masterDescriptor(), buffer, sizeof buffer);
        if (count > 0) {
            m_input.append(buffer, static_cast<qsizetype>(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    while (!m_input.isEmpty()) {
        const int length = frameLength(static_cast<quint8>(m_input.at(0)));
        if (m_input.size() < length)
            break;
        const QByteArray frame = m_input.left(length);
        m_input.remove(0, length);
        handleFrame(frame);
    }
}

void LoggerSimulator::handleFrame(const QByteArray &frame)
{
    m_frames.append(frame);
    emit frameReceived(frame);
    const Faults &f = m_options.faults;
    if (f.silent || m_hungUp || m_hangUpWhenSent)
        return;
    if (f.stopAfterBlocks >= 0 && m_blocksSent >= f.stopAfterBlocks)
        return;
    QByteArray reply = replyTo(frame);
    if (reply.isEmpty())
        return;
    const int command = static_cast<quint8>(frame.at(0));
    if (command == 14) {
        if (f.hangUpAfterBlocks >= 0 && m_blocksSent >= f.hangUpAfterBlocks) {
            m_hangUpWhenSent = true;
            queue(reply.left(reply.size() / 2));
            return;
        }
        ++m_blocksSent;
    }
    if (command == f.shortReplyCommand)
        reply.truncate(reply.size() / 2);
    if (command == f.garbageCommand)
        reply.prepend(kGarbage);
    if (command == 1 && f.splitWakeUpMSecs >= 0 && reply.size() > 1) {
        queue(reply.left(1));
        queue(reply.mid(1), f.splitWakeUpMSecs * 1000000LL);
        return;
    }
    queue(reply);
}

void LoggerSimulator::setClock(const QByteArray &frame)
{
    auto at = [&frame](int i) { return static_cast<int>(static_cast<quint8>(frame.at(i))); };
    const int year = at(6) < 30 ? 2000 + at(6) : 1900 + at(6);
    const QDate date(year, at(4), at(5));
    const QTime time(at(1), at(2), at(3));
    if (!date.isValid() || !time.isValid())
        return;
    m_clockBase = QDateTime(date, time);
    m_clockRunning.restart();
}

QByteArray LoggerSimulator::replyTo(const QByteArray &frame)
{
    const int command = static_cast<quint8>(frame.at(0));
    const auto fixed = m_options.replies.constFind(command);
    if (fixed != m_options.replies.constEnd()) {
        if (command == 2)
            setClock(frame);
        if (command == 15)
            m_options.memory.clear();
        return fixed.value();
    }
    switch (command) {
    case 1:
        return clockBytes(loggerClock());
    case 2:
        setClock(frame);
        return QByteArray();
    case 13: {
        const int length = static_cast<int>(std::min<qsizetype>(m_options.memory.size(), 65535));
        QByteArray bytes;
        bytes.append(static_cast<char>(length >> 8));
        bytes.append(static_cast<char>(length & 0xFF));
        return bytes;
    }
    case 14: {
        const qsizetype block = static_cast<quint8>(frame.at(1));
        QByteArray bytes = m_options.memory.mid(block * kBlockLength, kBlockLength);
        // Past the end of the data the memory reads as erased.
        bytes.append(QByteArray(kBlockLength - bytes.size(), '\xFF'));
        return bytes;
    }
    case 15:
        m_options.memory.clear();
        return QByteArray();
    case 18: {
        const QDate c = m_options.calibration;
        QByteArray bytes = fixedWidth(m_options.serialNumber, 6);
        for (int field : { c.day(), c.month(), c.year() / 100, c.year() % 100,
                           static_cast<int>(m_options.identification) })
            bytes.append(static_cast<char>(field));
        bytes.append(fixedWidth(m_options.version, 5));
        return bytes;
    }
    default:
        return QByteArray();
    }
}

void LoggerSimulator::queue(const QByteArray &bytes, qint64 delayNSecs)
{
    const qint64 now = m_line.nsecsElapsed();
    qint64 due = now + delayNSecs;
    if (!m_pending.empty())
        due = std::max(due, m_pending.back().dueNSecs);
    for (char byte : bytes) {
        if (m_options.paced)
            due += kByteNSecs;
        m_pending.push_back({ due, byte });
    }
    writeDue();
}

void LoggerSimulator::writeDue()
{
    if (!m_terminal.isOpen()) {
        m_pending.clear();
        return;
    }
    const qint64 now = m_line.nsecsElapsed();
    QByteArray chunk;
    while (!m_pending.empty() && m_pending.front().dueNSecs <= now) {
        chunk.append(m_pending.front().byte);
        m_pending.pop_front();
    }
    if (!chunk.isEmpty()) {
        const ssize_t written = ::write(m_terminal.masterDescriptor(), chunk.constData(),
                                        static_cast<size_t>(chunk.size()));
        // What the terminal did not take goes first next time.
        for (qsizetype i = chunk.size() - 1; i >= std::max<ssize_t>(written, 0); --i)
            m_pending.push_front({ now, chunk.at(i) });
    }
    if (!m_pending.empty()) {
        const qint64 waitNSecs = std::max<qint64>(m_pending.front().dueNSecs - now, 1000000);
        m_writeTimer.start(static_cast<int>((waitNSecs + 999999) / 1000000));
    } else if (m_hangUpWhenSent) {
        QTimer::singleShot(kHangUpDelayMSecs, this, &LoggerSimulator::hangUp);
    }
}

void LoggerSimulator::hangUp()
{
    if (m_hungUp)
        return;
    m_hungUp = true;
    m_writeTimer.stop();
    m_pending.clear();
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    m_terminal.close();
    emit hungUpLine();
}
