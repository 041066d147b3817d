#include "DistrictBytes.h"
#include "DownloadCutter.h"
#include "SaveDistrictPrompt.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

namespace {

const RecordEncoder::Time kTime { 2026, 5, 1, 10, 0, 0 };

// Saves each district under its proposed name but those in `skip`; a failed write stays failed.
class ScriptedPrompt : public SaveDistrictPrompt
{
public:
    bool askDistrict(Texts &, QString &) override { return !skip.contains(asked++); }
    bool districtNotWritten(const QString &path, const QString &reason) override
    {
        failures.append(path + u'|' + reason);
        return false;
    }
    DownloadCutter::Result cut(const QByteArray &download)
    {
        asked = 0;
        return DownloadCutter(log.report).cut(download, defaultDir, *this);
    }

    int asked = 0;
    QStringList failures;
    QSet<int> skip; // districts (0-based) closed without OK
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
    // is saved too (no name proposed); the last district comes back tied to its file.
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
        QCOMPARE(cut.last.path(), cutShort);
    }

    void districtsNotWrittenLeaveTheOthers()
    {
        // Without a district record nothing is asked or written.
        ScriptedPrompt p;
        QCOMPARE(p.cut(RecordEncoder::simple(kTime, 1)).districts, 0);
        QCOMPARE(p.asked, 0);
        QVERIFY(QDir(p.dir.path()).isEmpty());
        // An unwritable district is told, a skipped one not written; the others are. The
        // image is then tied to no file.
        const QByteArray download = district(QStringLiteral("00001"))
            + district(QStringLiteral("00002")) + district(QStringLiteral("00003"));
        const QString blocked = p.defaultDir + QStringLiteral("00001.dat");
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/x"))); // a folder cannot be written
        const QString second = p.defaultDir + QStringLiteral("00002.dat");
        p.skip = { 2 };
        DownloadCutter::Result cut = p.cut(download);
        QCOMPARE(cut.written, QStringList { second });
        QCOMPARE(p.failures.size(), 1);
        QVERIFY(p.failures.first().startsWith(blocked + u'|' + blocked + QStringLiteral(": ")));
        QCOMPARE(cut.last.bytes().mid(247), download.mid(30));
        QCOMPARE(cut.last.path(), QString());
        QVERIFY(QDir().mkpath(p.defaultDir + QStringLiteral("00003.dat/x")));
        p.skip = { 1 };
        cut = p.cut(download);
        QVERIFY(cut.written.isEmpty());
        QCOMPARE(p.failures.size(), 3);
        QCOMPARE(cut.last.path(), QString());
    }
};

QTEST_GUILESS_MAIN(TestDownloadCutter)
#include "tst_DownloadCutter.moc"
