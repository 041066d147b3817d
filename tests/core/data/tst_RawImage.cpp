#include "FileProcessing.h"
#include "RuntimeError.h"
#include "TempLog.h"

#include <QtTest>

namespace {

using Setter = void (FileProcessing::*)(const QString &);
using Getter = QString (FileProcessing::*)() const;
const Setter kSetters[] = { &FileProcessing::setDistrict, &FileProcessing::setTitle,
                            &FileProcessing::setComments1, &FileProcessing::setComments2 };
const Getter kGetters[] = { &FileProcessing::getDistrict, &FileProcessing::getTitle,
                            &FileProcessing::getComments1, &FileProcessing::getComments2 };

} // namespace

// The 247-byte header and its four text fields. Writing the image is the Save District and
// statistics dialogs' test, reading it the model's.
class TestRawImage : public QObject
{
    Q_OBJECT

    TempLog m_log;

private slots:
    void headerTemplateHasFiveLines()
    {
        FileProcessing fp(m_log.report);
        fp.initialiseHeader();
        const QByteArray field(60, ' ');
        QCOMPARE(fp.RawImage(),
                 "40mtrict:" + QByteArray(8, ' ') + "\r\ntitle:" + field + "\r\nKomments:" + field
                     + "\r\n        :" + field + "\r\nidentification:0\r\n");
        QCOMPARE(fp.lngImageLength(), 247);
    }

    void textFieldsArePaddedAndCut_data()
    {
        QTest::addColumn<int>("field"); // district, title, first and second comment
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // and read back: trailing spaces are padding
        auto row = [](const char *name, int field, int offset, int width, const QString &text,
                      const QString &stored) {
            QTest::newRow(name) << field << offset << width << text << stored;
        };
        row("district cut at 8", 0, 9, 8, QStringLiteral("ABCDEFGHIJ"), QStringLiteral("ABCDEFGH"));
        row("title cut at 60", 1, 25, 60, QString(59, u'y') + QStringLiteral("zW"),
            QString(59, u'y') + u'z');
        // Leading and inner spaces are kept; other bytes, NUL included, are characters.
        row("title with a NUL", 1, 25, 60, QString(QChar(0)) + QStringLiteral("q"),
            QString(QChar(0)) + QStringLiteral("q"));
        row("first comment, Latin-1, leading spaces", 2, 96, 60, QStringLiteral("  Stra\u00dfe 1"),
            QStringLiteral("  Stra\u00dfe 1"));
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

    // Windows-1252 both ways: the euro is 0x80, the en dash 0x96, and the bytes it leaves
    // undefined read back as they were. A character it cannot hold, which every caller
    // refuses first, is stored as "?" and logged.
    void textsAreWindows1252()
    {
        FileProcessing fp(m_log.report);
        fp.initialiseHeader();
        const QString title = QStringLiteral("\u20ac\u0081\u008d\u008f\u0090\u009d\u2013\u00e9");
        fp.setTitle(title + u'\u03a9');
        QCOMPARE(fp.RawImage().mid(25, 10), QByteArray("\x80\x81\x8d\x8f\x90\x9d\x96\xe9? "));
        QCOMPARE(fp.getTitle(), title + u'?');
        QVERIFY(m_log.messages().contains(
            QStringLiteral("The character \"\u03a9\" of a header text was stored as \"?\".\r")));
    }

    void outOfRangeRaises()
    {
        FileProcessing fp(m_log.report);
        fp.setImage(QByteArray("4short"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.getTitle());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.setComments2(QStringLiteral("x")));
        QCOMPARE(fp.RawImage(), QByteArray("4short"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, fp.copyDistrictRecords(QByteArray(16, 'x'), 10, 40));
    }
};

QTEST_GUILESS_MAIN(TestRawImage)
#include "tst_RawImage.moc"
