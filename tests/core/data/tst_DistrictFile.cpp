#include "DistrictFile.h"
#include "DistrictFileNames.h"
#include "StringTable.h"
#include "TempLog.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kSamples = u"" NERU_SOURCE_DIR "/samples/"_s;

} // namespace

// Opening a district file, and the safe names district files are given.
class TestDistrictFile : public QObject
{
    Q_OBJECT

    TempLog m_log;
    const StringTable m_strings {};

private slots:
    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // no file at all when null
        QTest::addColumn<DistrictFile::Failure>("failure");
        QTest::addColumn<QString>("reason");
        using F = DistrictFile::Failure;
        QTest::newRow("missing") << QByteArray() << F::Unreadable << "No such file or directory";
        QTest::newRow("empty") << QByteArray("") << F::Unreadable << "the file is empty";
        // An older file is told as such, however short.
        QTest::newRow("older") << QByteArray("3") << F::NotVersion4 << StringTable().text(40250);
        QTest::newRow("header cut short")
            << QByteArray("4") << F::HeaderCutShort
            << "the file is shorter than its 247-byte header (1 byte)";
    }
    void refusedFilesChangeNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(DistrictFile::Failure, failure);
        QFETCH(QString, reason);
        QVERIFY(QDir::setCurrent(u"" NERU_SOURCE_DIR ""_s));
        FileProcessing fp(m_log.report);
        qint16 intUnits = 0;
        const DistrictFile::Result opened
            = DistrictFile::open(u"samples/pressure.dat"_s, fp, intUnits, m_strings);
        QVERIFY(opened.ok);
        QVERIFY(opened.problems.isEmpty());
        QCOMPARE(fp.strDataFile(), kSamples + u"pressure.dat"_s);
        QCOMPARE(intUnits, qint16(4));
        const QByteArray image = fp.RawImage();

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
        QCOMPARE(intUnits, qint16(7));
    }

    void safeNames_data()
    {
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("safe");
        auto row = [](const char *name, const QString &proposed, const QString &safe) {
            QTest::newRow(name) << proposed << safe;
        };
        row("district number", u"10452"_s, u"10452"_s);
        row("nibble characters", u"1.;=?"_s, u"1.___"_s);
        row("path separator", u"../etc/x"_s, u"_._etc_x"_s);
        row("option", u"-rf"_s, u"_rf"_s);
        row("shell and other systems", u"a*?<>|:\"\\b"_s, u"a________b"_s);
        row("control characters and spaces", u"a\tb c\n"_s + QChar(0), u"a_b_c__"_s);
        row("letters of any script", u"Øst-01"_s, u"Øst-01"_s);
        row("reserved device", u"nul"_s, u"nul_"_s);
        row("empty", QString(), u"district"_s);
    }
    void safeNames()
    {
        QFETCH(QString, proposed);
        QFETCH(QString, safe);
        QCOMPARE(DistrictFileNames::safeName(proposed), safe);
    }

    // The Save District dialog may change folders between districts: a name is taken per
    // file, however its folder is spelt.
    void namesAreTakenPerFile()
    {
        DistrictFileNames names;
        const QString out = m_log.dir.filePath(u"out"_s);
        names.remember(out, u"10452"_s);
        QCOMPARE(names.propose(out + u"/./"_s, u"10452"_s), u"10452-2"_s);
        names.remember(out + u"/"_s, u"10452-2"_s);
        QCOMPARE(names.propose(out, u"10452"_s), u"10452-3"_s);
        QCOMPARE(names.propose(m_log.dir.path(), u"10452"_s), u"10452"_s);
    }
};

QTEST_GUILESS_MAIN(TestDistrictFile)
#include "tst_DistrictFile.moc"
