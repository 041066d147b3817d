#include "DistrictFile.h"
#include "DistrictFileNames.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kSamples = u"" NERU_SOURCE_DIR "/samples/"_s;

} // namespace

class TestDistrictFile : public QObject
{
    Q_OBJECT

private slots:
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void safeNames_data();
    void safeNames();
    void namesWrittenInTheRunGetASuffix();

private:
    TempLog m_log;
    const StringTable m_strings {};
};

void TestDistrictFile::refusedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes"); // no file at all when null
    QTest::addColumn<DistrictFile::Failure>("failure");
    QTest::addColumn<QString>("reason");
    using F = DistrictFile::Failure;
    QTest::newRow("missing") << QByteArray() << F::Unreadable << "No such file or directory";
    // An older file is told as such, however short.
    QTest::newRow("older") << QByteArray("3") << F::NotVersion4 << StringTable().text(40250);
    QTest::newRow("header cut short") << QByteArray("4") << F::HeaderCutShort
                                      << "the file is shorter than its 247-byte header (1 byte)";
}

void TestDistrictFile::refusedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(DistrictFile::Failure, failure);
    QFETCH(QString, reason);
    QVERIFY(QDir::setCurrent(u"" NERU_SOURCE_DIR ""_s));
    FileProcessing fp(m_log.report);
    qint16 intUnits = 0;
    fp.setImage(RecordEncoder::header(u"1"_s) + char(0x80)); // a district record cut short
    fp.processRecords(intUnits);
    QCOMPARE(fp.problems().size(), 1);
    const DistrictFile::Result opened
        = DistrictFile::open(u"samples/pressure.dat"_s, fp, intUnits, m_strings);
    QVERIFY(opened.ok);
    QCOMPARE(opened.failure, DistrictFile::Failure::None);
    QVERIFY(opened.problems.isEmpty()); // a decode tells only of its own image
    QCOMPARE(fp.strDataFile(), kSamples + u"pressure.dat"_s);
    QCOMPARE(intUnits, qint16(4));
    const QByteArray image = fp.RawImage();
    const qint32 samples = fp.series().lngNumSamples;
    const double reference = fp.settings().dblReference;

    const QString path = m_log.dir.filePath(u"refused.dat"_s);
    QFile::remove(path);
    QFile f(path);
    if (!bytes.isNull())
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
    intUnits = 7;
    const DistrictFile::Result r = DistrictFile::open(path, fp, intUnits, m_strings);
    QVERIFY(!r.ok);
    QCOMPARE(r.failure, failure);
    QCOMPARE(r.message, path + u": "_s + reason);
    QCOMPARE(fp.RawImage(), image);
    QCOMPARE(fp.strDataFile(), kSamples + u"pressure.dat"_s);
    QCOMPARE(fp.series().lngNumSamples, samples);
    QCOMPARE(fp.settings().dblReference, reference);
    QCOMPARE(intUnits, qint16(7));
}

void TestDistrictFile::safeNames_data()
{
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("safe");
    QTest::newRow("district number") << "10452"
                                     << "10452";
    QTest::newRow("nibble characters") << "1.;=?"
                                       << "1.___";
    QTest::newRow("path separator") << "../etc/x"
                                    << "_._etc_x";
    QTest::newRow("only dots") << ".."
                               << "_.";
    QTest::newRow("hidden") << ".x"
                            << "_x";
    QTest::newRow("option") << "-rf"
                            << "_rf";
    QTest::newRow("shell and other systems") << "a*?<>|:\"\\b"
                                             << "a________b";
    QTest::newRow("control characters") << u"a\tb\nc"_s + QChar(0) << "a_b_c_";
    QTest::newRow("spaces") << "High St"
                            << "High_St";
    QTest::newRow("letters of any script") << "Øst-01"
                                           << "Øst-01";
    QTest::newRow("reserved device") << "nul"
                                     << "nul_";
    QTest::newRow("empty") << ""
                           << "district";
}

void TestDistrictFile::safeNames()
{
    QFETCH(QString, proposed);
    QFETCH(QString, safe);
    QCOMPARE(DistrictFileNames::safeName(proposed), safe);
}

void TestDistrictFile::namesWrittenInTheRunGetASuffix()
{
    DistrictFileNames names;
    const QString dir = m_log.dir.path() + u'/';
    QCOMPARE(names.propose(dir, u"10452"_s), u"10452"_s);
    names.remember(dir, u"10452"_s);
    QCOMPARE(names.propose(dir, u"10452"_s), u"10452-2"_s);
    names.remember(dir, u"10452-2"_s);
    // The same folder spelt another way; another folder has its own names.
    QCOMPARE(names.propose(m_log.dir.path() + u"/./"_s, u"10452"_s), u"10452-3"_s);
    QCOMPARE(names.propose(dir + u"sub/"_s, u"10452"_s), u"10452"_s);
    names.remember(dir, u"1.__"_s);
    QCOMPARE(names.propose(dir, u"1.<>"_s), u"1.__-2"_s);
}

QTEST_GUILESS_MAIN(TestDistrictFile)
#include "tst_DistrictFile.moc"
