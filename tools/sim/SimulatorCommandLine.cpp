#include "SimulatorCommandLine.h"

#include <QCommandLineParser>
#include <QFile>

namespace {

bool toInt(const QString &text, int minimum, int maximum, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= minimum && value <= maximum;
}

} // namespace

bool SimulatorCommandLine::parse(const QStringList &arguments, LoggerSimulator::Options &options,
                                 QString &error, QString &helpText)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A data logger on a pseudo-terminal. Prints the device path on the first "
                       "line, then \"rx\" and the bytes of every frame it receives."));
    parser.addHelpOption();
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("The logger's memory: a raw download."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption clock(QStringLiteral("clock"),
                                   QStringLiteral("The logger's clock, yyyy-MM-ddTHH:mm:ss "
                                                  "(default: the PC's clock)."),
                                   QStringLiteral("DATETIME"));
    const QCommandLineOption serial(QStringLiteral("serial"),
                                    QStringLiteral("Serial number, six characters."),
                                    QStringLiteral("TEXT"));
    const QCommandLineOption calibration(QStringLiteral("calibration"),
                                         QStringLiteral("Calibration date, yyyy-MM-dd."),
                                         QStringLiteral("DATE"));
    const QCommandLineOption identification(QStringLiteral("id"),
                                            QStringLiteral("Identification number, 0 to 255."),
                                            QStringLiteral("N"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Version, five characters."),
                                     QStringLiteral("TEXT"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Send replies at the 9600-baud byte time."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    const QCommandLineOption shortReply(QStringLiteral("short-reply"),
                                        QStringLiteral("Send half of every reply to CMD."),
                                        QStringLiteral("CMD"));
    const QCommandLineOption stopAfter(QStringLiteral("stop-after"),
                                       QStringLiteral("Stop answering after N blocks."),
                                       QStringLiteral("N"));
    const QCommandLineOption hangUpAfter(QStringLiteral("hang-up-after"),
                                         QStringLiteral("Hang up half-way through the block "
                                                        "after N blocks."),
                                         QStringLiteral("N"));
    const QCommandLineOption garbage(QStringLiteral("garbage"),
                                     QStringLiteral("Send stray bytes before every reply to "
                                                    "CMD."),
                                     QStringLiteral("CMD"));
    const QCommandLineOption splitWakeUp(QStringLiteral("split-wake-up"),
                                         QStringLiteral("Hold back all but the first byte of "
                                                        "every reply to command 1 for MS "
                                                        "milliseconds."),
                                         QStringLiteral("MS"));
    parser.addOptions({ memory, clock, serial, calibration, identification, version, pace, silent,
                        shortReply, stopAfter, hangUpAfter, garbage, splitWakeUp });
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        helpText = parser.helpText();
        return false;
    }
    if (parser.isSet(memory)) {
        QFile file(parser.value(memory));
        if (!file.open(QIODevice::ReadOnly)) {
            error = file.fileName() + QStringLiteral(": ") + file.errorString();
            return false;
        }
        options.memory = file.readAll();
    }
    if (parser.isSet(clock)) {
        options.clock = QDateTime::fromString(parser.value(clock), Qt::ISODate);
        if (!options.clock.isValid()) {
            error = QStringLiteral("--clock: not a date and time: ") + parser.value(clock);
            return false;
        }
    }
    if (parser.isSet(serial))
        options.serialNumber = parser.value(serial).toLatin1();
    if (parser.isSet(version))
        options.version = parser.value(version).toLatin1();
    if (parser.isSet(calibration)) {
        options.calibration = QDate::fromString(parser.value(calibration), Qt::ISODate);
        if (!options.calibration.isValid()) {
            error = QStringLiteral("--calibration: not a date: ") + parser.value(calibration);
            return false;
        }
    }
    struct Number
    {
        const QCommandLineOption &option;
        int maximum;
        int *target;
    };
    int id = options.identification;
    LoggerSimulator::Faults &f = options.faults;
    const Number numbers[]
        = { { identification, 255, &id },           { shortReply, 255, &f.shortReplyCommand },
            { stopAfter, 255, &f.stopAfterBlocks }, { hangUpAfter, 255, &f.hangUpAfterBlocks },
            { garbage, 255, &f.garbageCommand },    { splitWakeUp, 60000, &f.splitWakeUpMSecs } };
    for (const Number &n : numbers) {
        if (parser.isSet(n.option) && !toInt(parser.value(n.option), 0, n.maximum, *n.target)) {
            error = QStringLiteral("--%1: not a number from 0 to %2: %3")
                        .arg(n.option.names().first())
                        .arg(n.maximum)
                        .arg(parser.value(n.option));
            return false;
        }
    }
    options.identification = static_cast<quint8>(id);
    options.paced = parser.isSet(pace);
    f.silent = parser.isSet(silent);
    return true;
}
