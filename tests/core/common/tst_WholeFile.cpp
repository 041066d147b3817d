#include "FileSizeLimit.h"
#include "TempLog.h"
#include "WholeFile.h"

#include <QtTest>

// A file is replaced only by a complete new one, and a failure says why.
class tst_WholeFile : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("folder"); // under the temporary folder
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full part way")
            << QString() << true << QStringLiteral("File too large");
        QTest::newRow("folder is a file")
            << QStringLiteral("old.csv/") << false << QStringLiteral("Not a directory");
    }

    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, folder);
        QFETCH(bool, full);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("old.csv"));
        QVERIFY(WholeFile::write(old, QByteArray("old"), reason));
        const QString path = dir.filePath(folder + QStringLiteral("old.csv"));
        QString said;
        {
            FileSizeLimit limit(full ? 10 : RLIM_INFINITY);
            QVERIFY(!WholeFile::write(path, QByteArray(5000, 'x'), said));
        }
        QCOMPARE(said, reason);
        QCOMPARE(TempLog::readAll(old), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "old.csv" });
        // Nothing at all is a file too.
        QVERIFY(WholeFile::write(old, QByteArray(), said));
        QCOMPARE(QFileInfo(old).size(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_WholeFile)
#include "tst_WholeFile.moc"
