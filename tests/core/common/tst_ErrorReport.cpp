#include "ErrorReport.h"
#include "RuntimeError.h"
#include "TempLog.h"

#include <QStandardPaths>
#include <QtTest>

class TestErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void messageText();
    void reportsTheErrorBeingHandled();
    void oneEntryPerLineWithTimestamp();
    void defaultLogFollowsXdgDataHome();
    void writeFailureIsSwallowed();
};

void TestErrorReport::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("neru"));
}

void TestErrorReport::messageText()
{
    QCOMPARE(ErrorReport::message(QStringLiteral("Overflow"), QStringLiteral("getRawData"),
                                  QStringLiteral("NERUComm")),
             QStringLiteral("Overflow in getRawData(NERUComm)\r\n"));
}

void TestErrorReport::reportsTheErrorBeingHandled()
{
    TempLog log;
    try {
        throw RuntimeError::divisionByZero();
    } catch (...) {
        log.report.errorReport(QStringLiteral("frmNeru"), QStringLiteral("drawGraphLines"));
    }
    try {
        throw std::out_of_range("index 9");
    } catch (...) {
        log.report.errorReport(QStringLiteral("NERUComm"), QStringLiteral("getRawData"));
    }
    QCOMPARE(log.messages(),
             (QStringList { QStringLiteral("Division by zero in drawGraphLines(frmNeru)\r"),
                            QStringLiteral("index 9 in getRawData(NERUComm)\r") }));
}

void TestErrorReport::oneEntryPerLineWithTimestamp()
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
    QVERIFY(entry.match(QString::fromUtf8(lines.at(0))).hasMatch());
    QCOMPARE(entry.match(QString::fromUtf8(lines.at(1))).captured(1),
             QStringLiteral("Permission denied on /dev/ttyS0"));
}

void TestErrorReport::defaultLogFollowsXdgDataHome()
{
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    QVERIFY2(!dataHome.isEmpty(), "the test runs with its own XDG_DATA_HOME");
    QCOMPARE(ErrorReport::defaultLogPath(), dataHome + QStringLiteral("/neru/events.log"));
    QFile::remove(ErrorReport::defaultLogPath());
    ErrorReport report;
    report.report(QStringLiteral("Overflow"), QStringLiteral("frmNeru"),
                  QStringLiteral("drawGraph"));
    QFile f(ErrorReport::defaultLogPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().endsWith("Overflow in drawGraph(frmNeru)\r\n"));
}

void TestErrorReport::writeFailureIsSwallowed()
{
    QTemporaryDir dir;
    // The log path is a folder: nothing can be written, and nothing is thrown.
    ErrorReport report(dir.path());
    try {
        throw RuntimeError::overflow();
    } catch (...) {
        report.errorReport(QStringLiteral("frmNeru"), QStringLiteral("setScrollBars"));
    }
    QVERIFY(QFileInfo(dir.path()).isDir());
}

QTEST_GUILESS_MAIN(TestErrorReport)
#include "tst_ErrorReport.moc"
