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

    // Each text is stored one byte per character in Windows-1252.
    void textFieldsArePaddedAndCut_data()
    {
        QTest::addColumn<int>("field"); // district, title, first and second comment
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // the field's bytes before its padding
        QTest::addColumn<QString>("stored"); // and read back: trailing spaces are padding
        auto row = [](const char *name, int field, int offset, int width, const QString &text,
                      const QByteArray &bytes, const QString &stored) {
            QTest::newRow(name) << field << offset << width << text << bytes << stored;
        };
        row("district cut at 8", 0, 9, 8, QStringLiteral("ABCDEFGHIJ"), "ABCDEFGH",
            QStringLiteral("ABCDEFGH"));
        row("title cut at 60", 1, 25, 60, QString(59, u'y') + QStringLiteral("zW"),
            QByteArray(59, 'y') + 'z', QString(59, u'y') + u'z');
        // Leading and inner spaces are kept; other bytes, NUL included, are characters.
        row("title with a NUL", 1, 25, 60, QString(QChar(0)) + QStringLiteral("q"),
            QByteArray("\0q", 2), QString(QChar(0)) + QStringLiteral("q"));
        row("first comment, en dash, leading spaces", 2, 96, 60,
            QStringLiteral("  Caf\u00e9 \u2013 dash"), "  Caf\xe9 \x96 dash",
            QStringLiteral("  Caf\u00e9 \u2013 dash"));
        // 0x80 to 0x9F, the five bytes Windows-1252 leaves undefined among them.
        const QString high = QStringLiteral(
            "\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152"
            "\u008d\u017d\u008f\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122"
            "\u0161\u203a\u0153\u009d\u017e\u0178");
        QByteArray highBytes;
        for (int byte = 0x80; byte <= 0x9f; ++byte)
            highBytes += char(byte);
        row("title, bytes 0x80 to 0x9F", 1, 25, 60, high, highBytes, high);
        // Only where no caller refused the text first; the event log says so.
        row("second comment, outside the code page", 3, 167, 60, QStringLiteral("\u65e55"), "?5",
            QStringLiteral("?5"));
    }
    void textFieldsArePaddedAndCut()
    {
        QFETCH(int, field);
        QFETCH(int, offset);
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, stored);
        const qsizetype logged = m_log.messages().size();
        FileProcessing fp(m_log.report);
        fp.initialiseHeader();
        (fp.*kSetters[field])(text);
        QCOMPARE((fp.*kGetters[field])(), stored);
        // The text, then spaces to the field's width; the CR LF after it is untouched.
        QCOMPARE(fp.RawImage().mid(offset, width + 2),
                 bytes + QByteArray(width - bytes.size(), ' ') + "\r\n");
        QCOMPARE(fp.lngImageLength(), 247);
        QCOMPARE(m_log.messages().mid(logged),
                 bytes.contains('?') ? QStringList { QStringLiteral(
                     "The character \"\u65e5\" of a header text was stored as \"?\".\r") }
                                     : QStringList());
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
