#include "FileProcessing.h"
#include "RuntimeError.h"
#include "TempLog.h"

#include <QtTest>

class TestRawImage : public QObject
{
    Q_OBJECT

private slots:
    void headerTemplateHasFiveLines();
    void textFieldsArePaddedAndCut_data();
    void textFieldsArePaddedAndCut();
    void readingKeepsLeadingAndInnerSpaces();
    void districtFieldDoesNotSpillOver();
    void fieldsBeyondTheImageRaise();
    void copyDistrictRecordsAppendsAfterHeader();
    void writeReplacesWholeFile();
    void writeFailureNamesTheFileAndKeepsTheOldOne();
    void readFailuresNameTheFile();

private:
    TempLog m_log;
};

void TestRawImage::headerTemplateHasFiveLines()
{
    FileProcessing fp(m_log.report);
    fp.initialiseHeader();
    QCOMPARE(fp.lngImageLength(), 247);
    QCOMPARE(fp.RawImage().size(), 247);
    const QByteArray h = fp.RawImage();
    QVERIFY(h.startsWith("40mtrict:"));
    QCOMPARE(h.mid(17, 2), QByteArray("\r\n"));
    QCOMPARE(h.mid(19, 6), QByteArray("title:"));
    QCOMPARE(h.mid(87, 9), QByteArray("Komments:"));
    QCOMPARE(h.mid(158, 9), QByteArray("        :"));
    QCOMPARE(h.mid(229, 18), QByteArray("identification:0\r\n"));
    QCOMPARE(h.count("\r\n"), 5);
    QCOMPARE(fp.getDistrict(), QString());
    QCOMPARE(fp.getTitle(), QString());

    // A second call gives the same template and drops any records.
    fp.setTitle(QStringLiteral("changed"));
    fp.setImage(h + QByteArray(30, '\0'));
    fp.initialiseHeader();
    QCOMPARE(fp.RawImage(), h);
}

void TestRawImage::textFieldsArePaddedAndCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("short") << "abc"
                           << "abc";
    QTest::newRow("exact") << QString(60, u'x') << QString(60, u'x');
    QTest::newRow("too long") << QString(59, u'y') + "zW" << QString(59, u'y') + "z";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("latin-1") << QStringLiteral("Stra\u00dfe") << QStringLiteral("Stra\u00dfe");
    QTest::newRow("outside code page") << QStringLiteral("\u20ac5") << "?5";
}

void TestRawImage::textFieldsArePaddedAndCut()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    FileProcessing fp(m_log.report);
    fp.initialiseHeader();
    fp.setTitle(text);
    QCOMPARE(fp.getTitle(), stored);
    // Byte level: the field is the text then spaces, 60 bytes in all, CR LF after it.
    const QByteArray field = fp.RawImage().mid(25, 60);
    QCOMPARE(field, stored.toLatin1() + QByteArray(60 - stored.size(), ' '));
    QCOMPARE(fp.RawImage().mid(85, 2), QByteArray("\r\n"));
    QCOMPARE(fp.lngImageLength(), 247);
}

void TestRawImage::readingKeepsLeadingAndInnerSpaces()
{
    FileProcessing fp(m_log.report);
    fp.initialiseHeader();
    fp.setComments1(QStringLiteral("  ab c"));
    QCOMPARE(fp.getComments1(), QStringLiteral("  ab c"));
    fp.setComments2(QStringLiteral("      "));
    QCOMPARE(fp.getComments2(), QString());
    // Other bytes, NUL included, come back as characters.
    QByteArray image = fp.RawImage();
    image[96] = '\0';
    image[97] = 'q';
    fp.setImage(image);
    QCOMPARE(fp.getComments1(), QString(QChar(0)) + QStringLiteral("qab c"));
}

void TestRawImage::districtFieldDoesNotSpillOver()
{
    FileProcessing fp(m_log.report);
    fp.initialiseHeader();
    fp.setDistrict(QStringLiteral("ABCDEFGHIJ"));
    QCOMPARE(fp.RawImage().mid(9, 8), QByteArray("ABCDEFGH"));
    QCOMPARE(fp.RawImage().at(17), '\r');
    QCOMPARE(fp.getDistrict(), QStringLiteral("ABCDEFGH"));
}

void TestRawImage::fieldsBeyondTheImageRaise()
{
    FileProcessing fp(m_log.report);
    fp.setImage(QByteArray("4short"));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.getTitle());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.setComments2(QStringLiteral("x")));
    QCOMPARE(fp.RawImage(), QByteArray("4short"));
}

void TestRawImage::copyDistrictRecordsAppendsAfterHeader()
{
    FileProcessing fp(m_log.report);
    const QByteArray download("0123456789abcdef");
    fp.initialiseHeader();
    fp.copyDistrictRecords(download, 4, 10);
    QCOMPARE(fp.lngImageLength(), 247 + 6);
    QCOMPARE(fp.RawImage().mid(247), QByteArray("456789"));
    QVERIFY(fp.RawImage().startsWith("40mtrict:"));

    fp.initialiseHeader();
    fp.copyDistrictRecords(download, 5, 5);
    QCOMPARE(fp.lngImageLength(), 247);

    fp.initialiseHeader();
    QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.copyDistrictRecords(download, 10, 40));
}

void TestRawImage::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.dat"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(500, 'x'));
    }
    FileProcessing fp(m_log.report);
    fp.initialiseHeader();
    fp.copyDistrictRecords(QByteArray(53, '\x01'), 0, 53);
    QCOMPARE(fp.lngImageLength(), 300);
    fp.writeImageFile(path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), fp.RawImage());
    QCOMPARE(QFileInfo(path).size(), 300);
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("d.dat") });

    FileProcessing back(m_log.report);
    back.readImageFile(path);
    QCOMPARE(back.RawImage(), fp.RawImage());
    QCOMPARE(back.lngImageLength(), 300);
}

void TestRawImage::writeFailureNamesTheFileAndKeepsTheOldOne()
{
    QTemporaryDir dir;
    FileProcessing fp(m_log.report);
    fp.initialiseHeader();

    // A target that is a folder cannot be replaced.
    const QString folder = dir.filePath(QStringLiteral("taken.dat"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/inside")));
    try {
        fp.writeImageFile(folder);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QVERIFY2(e.description().startsWith(folder + QStringLiteral(": ")),
                 qPrintable(e.description()));
        QVERIFY(e.description().size() > folder.size() + 2);
    }
    QVERIFY(QFileInfo(folder + QStringLiteral("/inside")).isDir());

    // A folder that does not exist.
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/x.dat"));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.writeImageFile(missing));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestRawImage::readFailuresNameTheFile()
{
    QTemporaryDir dir;
    FileProcessing fp(m_log.report);
    fp.setImage(QByteArray("4kept"));
    const QString empty = dir.filePath(QStringLiteral("empty.dat"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString missing = dir.filePath(QStringLiteral("missing.dat"));
    for (const QString &path : { empty, missing, dir.path() }) {
        try {
            fp.readImageFile(path);
            QFAIL(qPrintable(QStringLiteral("no error for ") + path));
        } catch (const RuntimeError &e) {
            QVERIFY2(e.description().startsWith(path), qPrintable(e.description()));
        }
    }
    // An image of zero bytes is never made.
    QCOMPARE(fp.RawImage(), QByteArray("4kept"));
}

QTEST_GUILESS_MAIN(TestRawImage)
#include "tst_RawImage.moc"
