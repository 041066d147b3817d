#include "FileProcessing.h"
#include "RuntimeError.h"
#include "TempLog.h"

#include <QtTest>

#include <unistd.h>

namespace {

using Setter = void (FileProcessing::*)(const QString &);
using Getter = QString (FileProcessing::*)() const;
const Setter kSetters[] = { &FileProcessing::setDistrict, &FileProcessing::setTitle,
                            &FileProcessing::setComments1, &FileProcessing::setComments2 };
const Getter kGetters[] = { &FileProcessing::getDistrict, &FileProcessing::getTitle,
                            &FileProcessing::getComments1, &FileProcessing::getComments2 };

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The 247-byte header, its four text fields, and the image's trips to and from disk.
class TestRawImage : public QObject
{
    Q_OBJECT

    TempLog m_log;

private slots:
    void headerTemplateHasFiveLines()
    {
        FileProcessing fp(m_log.report);
        fp.initialiseHeader();
        const QByteArray h = fp.RawImage();
        const QByteArray field(60, ' ');
        QCOMPARE(h,
                 "40mtrict:" + QByteArray(8, ' ') + "\r\ntitle:" + field + "\r\nKomments:" + field
                     + "\r\n        :" + field + "\r\nidentification:0\r\n");
        QCOMPARE(fp.lngImageLength(), 247);
        // A second call gives the same template and drops the texts and any records.
        fp.setTitle(QStringLiteral("changed"));
        fp.copyDistrictRecords(QByteArray(30, '\0'), 0, 30);
        fp.initialiseHeader();
        QCOMPARE(fp.RawImage(), h);
    }

    void textFieldsArePaddedAndCut_data()
    {
        QTest::addColumn<int>("field"); // district, title, first and second comment
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("district cut at 8") << 0 << 9 << 8 << "ABCDEFGHIJ"
                                           << "ABCDEFGH";
        QTest::newRow("short title") << 1 << 25 << 60 << "abc"
                                     << "abc";
        QTest::newRow("title cut at 60")
            << 1 << 25 << 60 << QString(59, u'y') + QStringLiteral("zW")
            << QString(59, u'y') + u'z';
        QTest::newRow("first comment, Latin-1")
            << 2 << 96 << 60 << QStringLiteral("Stra\u00dfe") << QStringLiteral("Stra\u00dfe");
        QTest::newRow("second comment, outside the code page")
            << 3 << 167 << 60 << QStringLiteral("\u20ac5") << "?5";
    }
    void textFieldsArePaddedAndCut()
    {
        QFETCH(int, field);
        QFETCH(int, offset);
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        FileProcessing fp(m_log.report);
        fp.initialiseHeader();
        (fp.*kSetters[field])(text);
        QCOMPARE((fp.*kGetters[field])(), stored);
        // The text, then spaces to the field's width; the CR LF after it is untouched.
        QCOMPARE(fp.RawImage().mid(offset, width + 2),
                 stored.toLatin1() + QByteArray(width - stored.size(), ' ') + "\r\n");
        QCOMPARE(fp.lngImageLength(), 247);
    }

    void readingKeepsLeadingAndInnerSpaces()
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

    void fieldsBeyondTheImageRaise()
    {
        FileProcessing fp(m_log.report);
        fp.setImage(QByteArray("4short"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.getTitle());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.setComments2(QStringLiteral("x")));
        QCOMPARE(fp.RawImage(), QByteArray("4short"));
    }

    void copyDistrictRecordsAppendsAfterHeader()
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
        QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.copyDistrictRecords(download, 10, 40));
    }

    void writeReplacesTheWholeFileAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("d.dat"));
        const QString link = dir.filePath(QStringLiteral("old.dat"));
        const QByteArray old(500, 'x');
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == 500);
        f.close();
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()),
                 0);
        FileProcessing fp(m_log.report);
        fp.initialiseHeader();
        fp.copyDistrictRecords(QByteArray(53, '\x01'), 0, 53);
        fp.writeImageFile(path);
        QCOMPARE(readAll(path), fp.RawImage());
        QCOMPARE(QFileInfo(path).size(), 300);
        // A new file took the old one's name: the old one, still linked, was never opened
        // for writing, so no reader ever meets it half-written.
        QCOMPARE(readAll(link), old);
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList { QStringLiteral("d.dat"), QStringLiteral("old.dat") }));
        FileProcessing back(m_log.report);
        back.readImageFile(path);
        QCOMPARE(back.RawImage(), fp.RawImage());
        QCOMPARE(back.lngImageLength(), 300);
    }

    void readFailuresNameTheFile()
    {
        QTemporaryDir dir;
        FileProcessing fp(m_log.report);
        fp.setImage(QByteArray("4kept"));
        const QString empty = dir.filePath(QStringLiteral("empty.dat"));
        QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
        for (const QString &path :
             { empty, dir.filePath(QStringLiteral("missing.dat")), dir.path() }) {
            try {
                fp.readImageFile(path);
                QFAIL(qPrintable(QStringLiteral("no error reading ") + path));
            } catch (const RuntimeError &e) {
                QVERIFY2(e.description().startsWith(path + QStringLiteral(": ")),
                         qPrintable(e.description()));
            }
        }
        // An image of zero bytes is never made.
        QCOMPARE(fp.RawImage(), QByteArray("4kept"));
    }
};

QTEST_GUILESS_MAIN(TestRawImage)
#include "tst_RawImage.moc"
