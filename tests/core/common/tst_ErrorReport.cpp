#include "ErrorReport.h"
#include "RuntimeError.h"
#include "TempLog.h"

#include <QtTest>

// Entries of the event log: what each one says, where the log lives, and that a log that
// cannot be written costs the caller nothing.
class TestErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("neru")); }

    // Run-time errors give their description (every decoding failure shows it); other
    // exceptions give theirs.
    void reportsTheErrorBeingHandled()
    {
        TempLog log;
        try {
            throw std::out_of_range("index 9");
        } catch (...) {
            log.report.errorReport(QStringLiteral("NERUComm"), QStringLiteral("getRawData"));
        }
        QCOMPARE(log.messages(),
                 QStringList { QStringLiteral("index 9 in getRawData(NERUComm)\r") });
    }

    void oneEntryPerLineWithTimestamp()
    {
        TempLog log;
        log.report.report(QStringLiteral("Overflow"), QStringLiteral("FileProcessing"),
                          QStringLiteral("getDateAndValue"));
        log.report.logInformation(QStringLiteral("Permission denied on /dev/ttyS0"));
        QFile f(log.report.logPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // two entries and the empty rest after the last line feed
        const QRegularExpression entry(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d Information (.*)\r$"));
        QCOMPARE(entry.match(QString::fromUtf8(lines.at(0))).captured(1),
                 QStringLiteral("Overflow in getDateAndValue(FileProcessing)"));
        QCOMPARE(entry.match(QString::fromUtf8(lines.at(1))).captured(1),
                 QStringLiteral("Permission denied on /dev/ttyS0"));
    }

    void defaultLogFollowsXdgDataHome()
    {
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY2(!dataHome.isEmpty(), "the test runs with its own XDG_DATA_HOME");
        QCOMPARE(ErrorReport::defaultLogPath(), dataHome + QStringLiteral("/neru/events.log"));
        QFile::remove(ErrorReport::defaultLogPath());
        ErrorReport().report(QStringLiteral("Overflow"), QStringLiteral("frmNeru"),
                             QStringLiteral("drawGraph"));
        QFile f(ErrorReport::defaultLogPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().endsWith("Overflow in drawGraph(frmNeru)\r\n"));
    }

    void writeFailureIsSwallowed()
    {
        QTemporaryDir dir;
        ErrorReport report(dir.path()); // a folder: nothing can be written to it
        bool thrown = false;
        try {
            report.report(QStringLiteral("Overflow"), QStringLiteral("frmNeru"), QString());
        } catch (...) {
            thrown = true;
        }
        QVERIFY(!thrown);
    }
};

QTEST_GUILESS_MAIN(TestErrorReport)
#include "tst_ErrorReport.moc"
