#include "DistrictBytes.h"
#include "DownloadCutter.h"
#include "SaveDistrictPrompt.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

namespace {

const RecordEncoder::Time kTime { 2026, 5, 1, 10, 0, 0 };

// Saves each district under its proposed name.
class ScriptedPrompt : public SaveDistrictPrompt
{
public:
    bool askDistrict(Texts &, QString &) override { return true; }
    bool districtNotWritten(const QString &, const QString &) override { return false; }
    DownloadCutter::Result cut(const QByteArray &download)
    {
        return DownloadCutter(log.report).cut(download, defaultDir, *this);
    }

    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    TempLog log;
};

} // namespace

// What the cut itself decides, whoever names the files.
class TestDownloadCutter : public QObject
{
    Q_OBJECT

private slots:
    // A record before the first district record goes nowhere; a district record cut short
    // is saved too (no name proposed); the last district comes back.
    void cutsAtEveryDistrictRecord()
    {
        const QByteArray first = district(QStringLiteral("00012")) + RecordEncoder::simple(kTime, 1)
            + RecordEncoder::simple(kTime, 2);
        ScriptedPrompt p;
        const DownloadCutter::Result cut
            = p.cut(RecordEncoder::simple(kTime, 9) + first + char(0x85));
        const QString cutShort = p.defaultDir + QStringLiteral(".dat");
        QCOMPARE(cut.districts, 2);
        QCOMPARE(cut.written,
                 (QStringList { p.defaultDir + QStringLiteral("00012.dat"), cutShort }));
        QCOMPARE(TempLog::readAll(cut.written[0]),
                 RecordEncoder::header(QStringLiteral("00012")) + first);
        QCOMPARE(TempLog::readAll(cutShort).size(), 248);
        QCOMPARE(cut.last.bytes(), TempLog::readAll(cutShort));
    }
};

QTEST_GUILESS_MAIN(TestDownloadCutter)
#include "tst_DownloadCutter.moc"
