#include "DistrictImage.h"
#include "RuntimeError.h"
#include "TempLog.h"

#include <QtTest>

// The 247-byte header and its four text fields.
class TestDistrictImage : public QObject
{
    Q_OBJECT

    TempLog m_log;

private slots:
    void headerTemplateHasFiveLines()
    {
        DistrictImage image(m_log.report);
        image.setBlankHeader();
        const QByteArray field(60, ' ');
        QCOMPARE(image.bytes(),
                 "40mtrict:" + QByteArray(8, ' ') + "\r\ntitle:" + field + "\r\nKomments:" + field
                     + "\r\n        :" + field + "\r\nidentification:0\r\n");
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
        DistrictImage image(m_log.report);
        image.setBlankHeader();
        image.setText(DistrictImage::Field(field), text);
        QCOMPARE(image.text(DistrictImage::Field(field)), stored);
        // The text, then spaces to the field's width; the CR LF after it is untouched.
        QCOMPARE(image.bytes().mid(offset, width + 2),
                 stored.toLatin1() + QByteArray(width - stored.size(), ' ') + "\r\n");
        QCOMPARE(image.size(), 247);
    }

    // Windows-1252 both ways, its undefined bytes read back as they were; a character it
    // cannot hold (which callers refuse first) is stored as "?" and logged.
    void textsAreWindows1252()
    {
        DistrictImage image(m_log.report);
        image.setBlankHeader();
        const QString title = QStringLiteral("\u20ac\u0081\u008d\u008f\u0090\u009d\u2013\u00e9");
        image.setText(DistrictImage::Field::Title, title + u'\u03a9');
        QCOMPARE(image.bytes().mid(25, 10), QByteArray("\x80\x81\x8d\x8f\x90\x9d\x96\xe9? "));
        QCOMPARE(image.text(DistrictImage::Field::Title), title + u'?');
        QVERIFY(m_log.messages().contains(
            QStringLiteral("The character \"\u03a9\" of a header text was stored as \"?\".\r")));
    }

    void outOfRangeRaises()
    {
        DistrictImage image(m_log.report);
        image.setBytes(QByteArray("4short"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, image.text(DistrictImage::Field::Title));
        QVERIFY_THROWS_EXCEPTION(
            RuntimeError, image.setText(DistrictImage::Field::Comments2, QStringLiteral("x")));
        QCOMPARE(image.bytes(), QByteArray("4short"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, image.setRecords(QByteArray(16, 'x'), 10, 40));
    }
};

QTEST_GUILESS_MAIN(TestDistrictImage)
#include "tst_DistrictImage.moc"
