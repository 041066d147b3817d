#include "ApplicationName.h"
#include "ErrorReport.h"
#include "TempLog.h"

#include <QtTest>

// Entries of the event log: where the log lives and what each entry says.
class TestErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(ApplicationName::systemName()); }

    // One line an entry, with its time; the error being handled gives its description.
    void oneEntryPerLineInTheUsersDataFolder()
    {
        QCOMPARE(ErrorReport::defaultLogPath(),
                 qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/neru/events.log"));
        QFile::remove(ErrorReport::defaultLogPath());
        ErrorReport report;
        try {
            throw std::out_of_range("index 9");
        } catch (...) {
            report.errorReport(QStringLiteral("NERUComm"), QStringLiteral("getRawData"));
        }
        report.logInformation(QStringLiteral("Permission denied on /dev/ttyS0"));
        const QList<QByteArray> lines = TempLog::readAll(ErrorReport::defaultLogPath()).split('\n');
        QCOMPARE(lines.size(), 3); // two entries and the empty rest after the last line feed
        const QRegularExpression entry(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d Information (.*)\r$"));
        QCOMPARE(entry.match(QString::fromUtf8(lines.at(0))).captured(1),
                 QStringLiteral("index 9 in getRawData(NERUComm)"));
        QCOMPARE(entry.match(QString::fromUtf8(lines.at(1))).captured(1),
                 QStringLiteral("Permission denied on /dev/ttyS0"));
    }

    // An entry that would take the log past 1 MiB moves it to events.log.1 first.
    void theLogRollsOverAtOneMebibyte()
    {
        QTemporaryDir folder;
        ErrorReport report(folder.filePath(QStringLiteral("events.log")));
        const QByteArray full(ErrorReport::kMaxLogBytes - 60, 'a');
        QVERIFY(TempLog::writeAll(report.logPath(), full));
        QVERIFY(TempLog::writeAll(report.oldLogPath(), "older"));

        const qint64 fits = 19 + 13 + 4 + 2; // time, " Information ", "fits", CR LF
        report.logInformation(QStringLiteral("fits"));
        QCOMPARE(QFileInfo(report.logPath()).size(), full.size() + fits);
        report.logInformation(QStringLiteral("does not fit"));

        const QByteArray kept = TempLog::readAll(report.oldLogPath());
        QCOMPARE(kept.size(), full.size() + fits);
        QVERIFY(kept.startsWith(full) && kept.endsWith(" Information fits\r\n"));
        const QByteArray fresh = TempLog::readAll(report.logPath());
        QVERIFY2(fresh.endsWith(" Information does not fit\r\n") && fresh.count('\n') == 1,
                 fresh.constData());
    }
};

QTEST_GUILESS_MAIN(TestErrorReport)
#include "tst_ErrorReport.moc"
