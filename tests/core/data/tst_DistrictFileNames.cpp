#include "DistrictFileNames.h"
#include "KeptDownloads.h"
#include "TempLog.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The safe names district files are given, and the names of kept downloads.
class TestDistrictFileNames : public QObject
{
    Q_OBJECT

    TempLog m_log;

private slots:
    void safeNames_data()
    {
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("safe");
        auto row = [](const char *name, const QString &proposed, const QString &safe) {
            QTest::newRow(name) << proposed << safe;
        };
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

    // A name is taken per file, however its folder is spelt.
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

    // A second download in the same second never replaces the first; the folder is made.
    void keptDownloadsAreNeverReplaced()
    {
        QTemporaryDir dir;
        const KeptDownloads kept(dir.filePath(u"new/downloads"_s));
        const QDateTime when(QDate(2026, 12, 7), QTime(6, 5, 9));
        const KeptDownloads::Kept one = kept.keep("one", when);
        const KeptDownloads::Kept two = kept.keep("two", when);
        QCOMPARE(one.failure + two.failure, QString());
        QCOMPARE(one.path, dir.filePath(u"new/downloads/download-20261207-060509.bin"_s));
        QCOMPARE(two.path, dir.filePath(u"new/downloads/download-20261207-060509-2.bin"_s));
        QCOMPARE(TempLog::readAll(one.path), QByteArray("one"));
        QCOMPARE(TempLog::readAll(two.path), QByteArray("two"));
    }
};

QTEST_GUILESS_MAIN(TestDistrictFileNames)
#include "tst_DistrictFileNames.moc"
