#include "ApplicationName.h"
#include "FileSizeLimit.h"
#include "General.h"
#include "NeruModel.h"
#include "ScriptedPrompts.h"
#include "StatisticsDialog.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

const QString kTitle = QStringLiteral("Night test");
const QString kComments1 = QStringLiteral("Valve shut");
const QDateTime kWritten { QDate(2020, 1, 1), QTime(12, 0) };

// District file 12345 opened as File > Open does: sample i reads i + 1 l/s, reference 3 l/s.
struct Fixture
{
    explicit Fixture(int samples)
    {
        RecordEncoder::District d;
        d.intervalCode = 5; // 60 s, meter 10 l/rev, head 100 pulses/rev: 600 counts is 1 l/s
        d.referenceRaw = 1800;
        const RecordEncoder::Time start;
        records = RecordEncoder::district(d) + RecordEncoder::fitting("00012", start, 600);
        for (int i = 1; i < samples; ++i)
            records
                += RecordEncoder::simple(RecordEncoder::addSeconds(start, 60 * i), 600 * (i + 1));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes()) > 0 && file.flush());
        // An old time, so that rewriting the same bytes would show.
        QVERIFY(file.setFileTime(kWritten, QFileDevice::FileModificationTime));
        file.close();
        QObject::connect(&model, &NeruModel::unitsChanged, &stats, &StatisticsDialog::showUnits);
        model.openDataFile(path);
    }

    // The file with these texts in its header.
    QByteArray bytes(const QStringList &texts = { kTitle, kComments1, QString() }) const
    {
        return RecordEncoder::header("12345", texts[0], texts[1], texts[2]) + records;
    }

    // The values column of the table window's rows.
    QStringList shownValues() const
    {
        QStringList values;
        for (const QString &row : stats.tableView->toPlainText().split(u'\n'))
            values << row.simplified().split(u' ').value(3);
        return values;
    }

    void fileUnchanged() const
    {
        QCOMPARE(TempLog::readAll(path), bytes());
        QCOMPARE(QFileInfo(path).lastModified(), kWritten);
    }

    StringTable strings;
    const General general { strings };
    TempLog log;
    ScriptedPrompts prompts;
    NeruModel model { strings, log.report, prompts };
    StatisticsDialog stats { strings, general, model, prompts };
    const QString path = log.dir.filePath(QStringLiteral("12345.dat"));
    QByteArray records;
};

} // namespace

// The statistics dialog over an open district file, worked as the user works it.
class tst_StatisticsDialog : public QObject
{
    Q_OBJECT

private slots:
    // The scroll bar moves a window of ten consecutive rows; a page is ten rows.
    void tableWindowShowsTenRows_data()
    {
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("firstShown"); // value of the first row shown, l/s
        QTest::newRow("10 samples, End") << 10 << int(Qt::Key_End) << 0 << 1;
        QTest::newRow("25 samples, End") << 25 << int(Qt::Key_End) << 15 << 16;
        QTest::newRow("25 samples, page down") << 25 << int(Qt::Key_PageDown) << 15 << 11;
    }
    void tableWindowShowsTenRows()
    {
        QFETCH(int, samples);
        QFETCH(int, key);
        QFETCH(int, maximum);
        QFETCH(int, firstShown);
        Fixture f(samples);
        f.stats.show();
        QCOMPARE(f.stats.tableScrollBar->maximum(), maximum);
        QTest::keyClick(f.stats.tableScrollBar, Qt::Key(key));
        QStringList expected;
        for (int v = firstShown; v < firstShown + 10; ++v)
            expected << QStringLiteral("%1.00").arg(v);
        QCOMPARE(f.shownValues(), expected);
    }

    // A change of unit while the dialog is up rescales it but is no edit: OK asks nothing.
    void unitChangeIsNoEdit()
    {
        Fixture f(10);
        QTimer::singleShot(0, &f.stats, [&f] {
            f.model.setUnitCode(2);
            QTest::mouseClick(f.stats.okButton, Qt::LeftButton);
        });
        f.stats.exec();
        QStringList texts;
        for (const QLabel *label :
             { f.stats.maxValue, f.stats.maxUnit, f.stats.minValue, f.stats.minUnit,
               f.stats.referenceValue, f.stats.referenceUnit })
            texts << label->text();
        QCOMPARE(texts, (QStringList { "36.00", "m3/h", "3.60", "m3/h", "10.80", "m3/h" }));
        QCOMPARE(f.shownValues().first(), QStringLiteral("3.60"));
        QVERIFY(f.prompts.questions.isEmpty());
        f.fileUnchanged();
    }

    // An edit closed by OK, Esc or the close button asks to save: Yes writes the file (texts
    // padded to 60), No puts the file's text back.
    void editedTextIsSavedOrDropped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("closeBy"); // 0 OK, 1 Esc, 2 the window's close button
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("stored"); // title, comments 1 and 2 afterwards
        const QString x70(70, u'x');
        QTest::newRow("title past 60, Yes")
            << "txtTitle" << x70 << 0 << true
            << QStringList { kTitle + x70.left(50), kComments1, "" };
        QTest::newRow("Esc, No") << "txtComments2"
                                 << "new" << 1 << false << QStringList { kTitle, kComments1, "" };
        QTest::newRow("closed, Yes")
            << "txtComments2"
            << "new" << 2 << true << QStringList { kTitle, kComments1, "new" };
    }
    void editedTextIsSavedOrDropped()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, closeBy);
        QFETCH(bool, yes);
        QFETCH(QStringList, stored);
        Fixture f(10);
        f.stats.show();
        auto *edit = f.stats.findChild<QLineEdit *>(box);
        QTest::keyClicks(edit, typed);
        QVERIFY(edit->text().size() <= 60); // the title box takes no more
        f.prompts.answers << (yes ? UserPrompts::Answer::Yes : UserPrompts::Answer::No);
        if (closeBy == 0)
            QTest::mouseClick(f.stats.okButton, Qt::LeftButton);
        else if (closeBy == 1)
            QTest::keyClick(edit, Qt::Key_Escape);
        else
            f.stats.close();
        QCOMPARE(f.prompts.questions, QStringList { f.strings.text(30300) });
        QCOMPARE(f.prompts.titles, QStringList { ApplicationName::title() });
        QVERIFY(!f.stats.isVisible());
        QCOMPARE((QStringList { f.stats.titleEdit->text(), f.stats.comments1Edit->text(),
                                f.stats.comments2Edit->text() }),
                 stored);
        QCOMPARE(TempLog::readAll(f.path), f.bytes(stored));
    }

    // A text not in Windows-1252, then an unwritable file: the user is told why, the file
    // stays whole and the dialog keeps the user's texts for another try.
    void failedSaveKeepsTheUsersTexts()
    {
        Fixture f(10);
        f.stats.show();
        // As an input method commits it (keyClicks would send Latin-1 only).
        QTest::sendKeyEvent(QTest::Click, f.stats.comments1Edit, Qt::Key_unknown, "日本", {});
        f.prompts.answers << UserPrompts::Answer::Yes << UserPrompts::Answer::Yes
                          << UserPrompts::Answer::Yes;
        QTest::mouseClick(f.stats.okButton, Qt::LeftButton);
        QCOMPARE(f.stats.comments1Edit->text(), kComments1 + "日本");
        QTest::keyClicks(f.stats.comments1Edit, QStringLiteral("\b\b open")); // two Backspaces
        {
            const FileSizeLimit full(100);
            QTest::mouseClick(f.stats.okButton, Qt::LeftButton);
        }
        QCOMPARE(f.prompts.messages,
                 QStringList({ "The character \"日\" cannot be stored in a district file; type "
                               "the text without it.",
                               f.path + ": File too large" }));
        f.fileUnchanged();
        QCOMPARE(f.model.file().image().text(DistrictImage::Field::Comments1), kComments1);
        QVERIFY(f.stats.isVisible());
        QCOMPARE(f.stats.comments1Edit->text(), kComments1 + " open");

        QTest::mouseClick(f.stats.okButton, Qt::LeftButton);
        QCOMPARE(f.prompts.questions.size(), 3);
        QVERIFY(!f.stats.isVisible());
        QCOMPARE(f.model.file().image().text(DistrictImage::Field::Comments1),
                 kComments1 + " open");
    }
};

QTEST_MAIN(tst_StatisticsDialog)
#include "tst_StatisticsDialog.moc"
