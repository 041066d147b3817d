#include "FileProcessing.h"
#include "SaveDistrictPrompt.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

#include <utility>

namespace {

const RecordEncoder::Time kTime { 2026, 5, 1, 10, 0, 0 };

QByteArray district(const QString &number)
{
    RecordEncoder::District d;
    d.number = number;
    d.intervalCode = 5;
    return RecordEncoder::district(d);
}

// Answers the Save District dialog as a test says, into a folder of its own.
class ScriptedPrompt : public SaveDistrictPrompt
{
public:
    bool askDistrict(Texts &texts, QString &) override
    {
        shown.append(texts);
        if (!failures.isEmpty() && !retryAs.isEmpty())
            texts.fileName = std::exchange(retryAs, QString());
        texts.title = QStringLiteral("A title");
        texts.comments1 = QStringLiteral("c1");
        return !skip.contains(int(shown.size()) - 1);
    }
    bool districtNotWritten(const QString &path, const QString &reason) override
    {
        failures.append(path + u'|' + reason);
        return !retryAs.isEmpty();
    }
    QStringList save(const QByteArray &download, qint32 length = -1)
    {
        return fp.saveDistricts(download, length < 0 ? qint32(download.size()) : length, defaultDir,
                                *this);
    }

    QList<Texts> shown;
    QStringList failures;
    QSet<int> skip; // districts (0-based) closed without OK
    QString retryAs; // after a failed write, asks again and answers this file name
    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    TempLog log;
    FileProcessing fp { log.report };
};

} // namespace

// Cutting a download into one file per district through the Save District dialog.
class TestSaveDistricts : public QObject
{
    Q_OBJECT

private slots:
    void cutsAtEveryDistrictRecord()
    {
        // A stray record before the first district record goes nowhere. A district record
        // cut short at the end is saved too, under the name the user gives (none is
        // proposed), and nothing is read beyond the download, whatever its length says.
        const QByteArray first = district(QStringLiteral("00012")) + RecordEncoder::simple(kTime, 1)
            + RecordEncoder::simple(kTime, 2);
        const QByteArray second = district(QStringLiteral("1.;45"))
            + RecordEncoder::fitting(QStringLiteral("00001"), kTime, 3)
            + RecordEncoder::simple(kTime, 4);
        ScriptedPrompt p;
        const QStringList written
            = p.save(RecordEncoder::simple(kTime, 9) + first + second + char(0x85), 1000);
        // The district number is the proposed name and district text.
        QCOMPARE(p.shown.size(), 3);
        const QString cut = p.defaultDir + QStringLiteral(".dat");
        QCOMPARE(written,
                 (QStringList { p.defaultDir + QStringLiteral("00012.dat"),
                                p.defaultDir + QStringLiteral("1.;45.dat"), cut }));
        // The texts are in the header; the image keeps the last district.
        const QString title = QStringLiteral("A title");
        const QString c1 = QStringLiteral("c1");
        QCOMPARE(TempLog::readAll(written[0]),
                 RecordEncoder::header(QStringLiteral("00012"), title, c1) + first);
        QCOMPARE(TempLog::readAll(written[1]),
                 RecordEncoder::header(QStringLiteral("1.;45"), title, c1) + second);
        QCOMPARE(TempLog::readAll(cut).size(), 248);
        QCOMPARE(p.fp.RawImage(), TempLog::readAll(cut));
        QCOMPARE(p.fp.strDataFile(), cut);
        QVERIFY(p.failures.isEmpty());
    }

    void districtsNotWrittenLeaveTheOthers()
    {
        // Without a district record nothing is asked or written, and the image stays.
        ScriptedPrompt p;
        p.fp.setImage(QByteArray("4previous"));
        p.fp.setDataFile(QStringLiteral("/somewhere/previous.dat"));
        QVERIFY(p.save(RecordEncoder::simple(kTime, 1)).isEmpty());
        QVERIFY(p.shown.isEmpty());
        QCOMPARE(p.fp.RawImage(), QByteArray("4previous"));
        QCOMPARE(p.fp.strDataFile(), QStringLiteral("/somewhere/previous.dat"));
        QVERIFY(QDir(p.dir.path()).isEmpty());
        // A district that cannot be written is told; one closed without OK is not written.
        // Either way the loop goes on.
        const QByteArray download = district(QStringLiteral("00001"))
            + district(QStringLiteral("00002")) + district(QStringLiteral("00003"));
        const QString blocked = p.defaultDir + QStringLiteral("00001.dat");
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/x"))); // a folder cannot be written
        p.skip = { 1 };
        QCOMPARE(p.save(download), QStringList { p.defaultDir + "00003.dat" });
        QVERIFY(!QFileInfo::exists(p.defaultDir + "00002.dat"));
        QCOMPARE(p.failures.size(), 1);
        QVERIFY(p.failures.first().startsWith(blocked + u'|' + blocked + QStringLiteral(": ")));
        // A skipped last district leaves the image tied to no file.
        p.shown.clear();
        p.skip = { 2 };
        p.save(download);
        QCOMPARE(p.fp.RawImage().mid(247), download.mid(30));
        QCOMPARE(p.fp.strDataFile(), QString());
        // Another try after a failed write asks for the same district, with the texts as
        // given, and writes it under the new name.
        ScriptedPrompt again;
        QVERIFY(QDir().mkpath(again.defaultDir + QStringLiteral("00001.dat/x")));
        again.retryAs = QStringLiteral("other");
        QCOMPARE(again.save(download.left(15)), QStringList { again.defaultDir + "other.dat" });
        QCOMPARE(again.shown.size(), 2);
        QCOMPARE(again.shown.at(1).title, QStringLiteral("A title"));
        QCOMPARE(again.fp.strDataFile(), again.defaultDir + "other.dat");
    }
};

QTEST_GUILESS_MAIN(TestSaveDistricts)
#include "tst_SaveDistricts.moc"
