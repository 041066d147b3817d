#include "FileProcessing.h"
#include "SaveDistrictPrompt.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

namespace {

// Answers the Save District dialog as a test script says.
class ScriptedPrompt : public SaveDistrictPrompt
{
public:
    QList<Texts> shown;
    QStringList failures;
    QSet<int> skip; // districts (0-based) closed without OK
    QString chooseDir; // folder picked in the dialog, if any
    QString title = QStringLiteral("A title");

    bool askDistrict(Texts &texts, QString &defaultDir) override
    {
        shown.append(texts);
        if (!chooseDir.isEmpty())
            defaultDir = chooseDir;
        texts.title = title;
        texts.comments1 = QStringLiteral("c1");
        return !skip.contains(int(shown.size()) - 1);
    }

    void districtNotWritten(const QString &path, const QString &reason) override
    {
        failures.append(path + u'|' + reason);
    }
};

RecordEncoder::District district(const QString &number)
{
    RecordEncoder::District d;
    d.number = number;
    d.intervalCode = 5;
    return d;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSaveDistricts : public QObject
{
    Q_OBJECT

private slots:
    void cutsAtEveryDistrictRecord();
    void bytesBeforeTheFirstDistrictGoNowhere();
    void downloadWithoutDistrictsWritesNothing();
    void skippedDistrictIsNotWrittenButOthersAre();
    void writeFailureIsReportedAndTheLoopGoesOn();
    void lengthBeyondTheBytesIsClamped();

private:
    TempLog m_log;
};

void TestSaveDistricts::cutsAtEveryDistrictRecord()
{
    // 75 bytes: district records at 0 and 35.
    const RecordEncoder::Time t { 2026, 5, 1, 10, 0, 0 };
    const QByteArray download = RecordEncoder::district(district(QStringLiteral("00012")))
        + RecordEncoder::simple(t, 1) + RecordEncoder::simple(t, 2)
        + RecordEncoder::district(district(QStringLiteral("1.;45")))
        + RecordEncoder::fitting(QStringLiteral("00001"), t, 3) + RecordEncoder::simple(t, 4);
    QCOMPARE(download.size(), 75);
    QCOMPARE(FileProcessing::districtPositions(download, 75), (QList<qint32> { 0, 35 }));

    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    FileProcessing fp(m_log.report);
    ScriptedPrompt prompt;
    const QStringList written = fp.saveDistricts(download, 75, defaultDir, prompt);

    QCOMPARE(prompt.shown.size(), 2);
    QCOMPARE(prompt.shown[0].fileName, QStringLiteral("00012"));
    QCOMPARE(prompt.shown[0].district, QStringLiteral("00012"));
    QCOMPARE(prompt.shown[1].fileName, QStringLiteral("1.;45"));
    QVERIFY(prompt.shown[0].title.isEmpty() && prompt.shown[0].comments2.isEmpty());

    const QString first = defaultDir + QStringLiteral("00012.dat");
    const QString second = defaultDir + QStringLiteral("1.;45.dat");
    QCOMPARE(written, (QStringList { first, second }));
    QCOMPARE(QFileInfo(first).size(), 247 + 35);
    QCOMPARE(QFileInfo(second).size(), 247 + 40);
    QCOMPARE(readAll(first).mid(247), download.left(35));
    QCOMPARE(readAll(second).mid(247), download.mid(35));

    // The texts are in the header; the image keeps the last district.
    FileProcessing back(m_log.report);
    back.readImageFile(first);
    QCOMPARE(back.getDistrict(), QStringLiteral("00012"));
    QCOMPARE(back.getTitle(), QStringLiteral("A title"));
    QCOMPARE(back.getComments1(), QStringLiteral("c1"));
    QCOMPARE(fp.RawImage(), readAll(second));
    QCOMPARE(fp.strDataFile(), second);
    QVERIFY(prompt.failures.isEmpty());
}

void TestSaveDistricts::bytesBeforeTheFirstDistrictGoNowhere()
{
    const RecordEncoder::Time t { 2026, 5, 1, 10, 0, 0 };
    const QByteArray stray = RecordEncoder::simple(t, 1);
    const QByteArray d
        = RecordEncoder::district(district(QStringLiteral("00003"))) + RecordEncoder::simple(t, 2);
    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    FileProcessing fp(m_log.report);
    ScriptedPrompt prompt;
    const QStringList written
        = fp.saveDistricts(stray + d, stray.size() + d.size(), defaultDir, prompt);
    QCOMPARE(written.size(), 1);
    QCOMPARE(readAll(written.first()).mid(247), d);
}

void TestSaveDistricts::downloadWithoutDistrictsWritesNothing()
{
    const RecordEncoder::Time t { 2026, 5, 1, 10, 0, 0 };
    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    FileProcessing fp(m_log.report);
    fp.setImage(QByteArray("4previous"));
    fp.setDataFile(QStringLiteral("/somewhere/previous.dat"));
    ScriptedPrompt prompt;
    const QByteArray download = RecordEncoder::simple(t, 1) + RecordEncoder::simple(t, 2);
    QVERIFY(fp.saveDistricts(download, download.size(), defaultDir, prompt).isEmpty());
    QVERIFY(prompt.shown.isEmpty());
    QCOMPARE(fp.RawImage(), QByteArray("4previous"));
    QCOMPARE(fp.strDataFile(), QStringLiteral("/somewhere/previous.dat"));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestSaveDistricts::skippedDistrictIsNotWrittenButOthersAre()
{
    QByteArray download;
    for (const char *n : { "00001", "00002", "00003" })
        download += RecordEncoder::district(district(QString::fromLatin1(n)));
    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    FileProcessing fp(m_log.report);
    ScriptedPrompt prompt;
    prompt.skip = { 1 };
    const QStringList written = fp.saveDistricts(download, download.size(), defaultDir, prompt);
    QCOMPARE(written, (QStringList { defaultDir + "00001.dat", defaultDir + "00003.dat" }));
    QVERIFY(!QFileInfo::exists(defaultDir + "00002.dat"));

    // A skipped last district leaves the image tied to no file.
    prompt.shown.clear();
    prompt.skip = { 2 };
    fp.saveDistricts(download, download.size(), defaultDir, prompt);
    QCOMPARE(fp.RawImage().mid(247), download.mid(30));
    QCOMPARE(fp.strDataFile(), QString());

    // The folder chosen in the dialog becomes the default folder.
    QTemporaryDir other;
    prompt.skip.clear();
    prompt.chooseDir = other.path() + u'/';
    fp.saveDistricts(download, download.size(), defaultDir, prompt);
    QCOMPARE(defaultDir, other.path() + u'/');
    QVERIFY(QFileInfo::exists(other.filePath(QStringLiteral("00002.dat"))));
}

void TestSaveDistricts::writeFailureIsReportedAndTheLoopGoesOn()
{
    QByteArray download;
    for (const char *n : { "00001", "00002" })
        download += RecordEncoder::district(district(QString::fromLatin1(n)));
    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    // The first target is a folder and cannot be written.
    QVERIFY(QDir().mkpath(defaultDir + QStringLiteral("00001.dat/x")));
    FileProcessing fp(m_log.report);
    ScriptedPrompt prompt;
    const QStringList written = fp.saveDistricts(download, download.size(), defaultDir, prompt);
    QCOMPARE(written, QStringList { defaultDir + "00002.dat" });
    QCOMPARE(prompt.failures.size(), 1);
    QVERIFY(
        prompt.failures.first().startsWith(defaultDir + "00001.dat|" + defaultDir + "00001.dat: "));
}

void TestSaveDistricts::lengthBeyondTheBytesIsClamped()
{
    // A district record cut short at the end: its bytes are still saved, under the
    // name the user gives, and nothing is read beyond the download.
    const QByteArray download
        = RecordEncoder::district(district(QStringLiteral("00001"))) + QByteArray(1, char(0x85));
    QTemporaryDir dir;
    QString defaultDir = dir.path() + u'/';
    FileProcessing fp(m_log.report);
    ScriptedPrompt prompt;
    const QStringList written = fp.saveDistricts(download, 1000, defaultDir, prompt);
    QCOMPARE(prompt.shown.size(), 2);
    QCOMPARE(prompt.shown[1].fileName, QString());
    QCOMPARE(written.size(), 2);
    QCOMPARE(QFileInfo(written.at(1)).size(), 248);
}

QTEST_GUILESS_MAIN(TestSaveDistricts)
#include "tst_SaveDistricts.moc"
