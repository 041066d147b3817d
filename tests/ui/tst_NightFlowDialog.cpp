#include "NeruModel.h"
#include "NightFlowDialog.h"
#include "PdfPages.h"
#include "ScriptedPrompts.h"
#include "SettingsStore.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QChartView>
#include <QClipboard>
#include <QLabel>
#include <QLineSeries>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

namespace {

const QString kSample = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

// The sample's figures by hand: it reads every 15 minutes from 23 Nov 2026 09:00 to 28 Nov
// 08:45 (each reading a whole number of 1/90 l/s). Night 02:00-04:00: the minima of 24 to
// 28 Nov are 640, 628, 624, 630, 626 /90 l/s; their slope is -2.6/90 per day.
struct Fixture
{
    Fixture()
    {
        model.setNightWindow({ 2 * 60, 4 * 60 });
        model.openDataFile(kSample);
        dialog.show();
    }
    QString cell(int row, int column) const { return dialog.table->item(row, column)->text(); }

    StringTable strings;
    TempLog log;
    ScriptedPrompts prompts;
    NeruModel model { strings, log.report, prompts };
    NightFlowDialog dialog { strings, model, prompts };
};

} // namespace

// View > Night Flow over the bundled flow sample, worked as the user works it.
class tst_NightFlowDialog : public QObject
{
    Q_OBJECT

private slots:
    // One row a date; the 23rd is covered from 08:45 (15.25 h) and has no night; the trend
    // line runs through the mean of the five nights (index 3, 629.6/90) at the slope.
    void showsTheDaysAndTheTrend()
    {
        Fixture f;
        QCOMPARE(f.dialog.table->rowCount(), 6);
        QCOMPARE(QStringList({ f.cell(0, 1), f.cell(0, 11), f.cell(2, 0), f.cell(2, 8),
                               f.cell(2, 9), f.cell(2, 11) }),
                 QStringList({ "63.54", "No", "25/11/2026", "6.98", "03:30:00", "Yes" }));
        QCOMPARE(f.dialog.trendLabel->text(),
                 QStringLiteral("Night minimum falling by 0.03 l/s per day over 5 complete "
                                "nights (7.11 to 6.96 l/s)"));
        const auto *trend = qobject_cast<QLineSeries *>(f.dialog.chartView->chart()->series()[1]);
        QCOMPARE(trend->points(),
                 QList<QPointF>({ { 1, (629.6 + 5.2) / 90 }, { 5, (629.6 - 5.2) / 90 } }));
    }

    // A time typed in recomputes at once and is remembered; an end before the start is
    // not applied. Night 02:00-03:00: the 25th's minimum is 632/90 at 02:30, and the slope
    // of 640, 632, 624, 636, 637 is -0.2/90 per day.
    void typedWindowRecomputes()
    {
        Fixture f;
        f.dialog.endEdit->setSelectedSection(QDateTimeEdit::HourSection);
        QTest::keyClicks(f.dialog.endEdit, QStringLiteral("03"));
        QCOMPARE(QStringList({ f.cell(2, 8), f.cell(2, 9) }), QStringList({ "7.02", "02:30:00" }));
        QCOMPARE(f.dialog.trendLabel->text(),
                 QStringLiteral("Night minimum steady over 5 complete nights (7.11 to 7.08 l/s)"));
        QCOMPARE(SettingsStore().read("Analysis", "NightEnd", QString()), QStringLiteral("03:00"));
        f.dialog.endEdit->setSelectedSection(QDateTimeEdit::HourSection);
        QTest::keyClicks(f.dialog.endEdit, QStringLiteral("01"));
        QCOMPARE(f.dialog.windowNote->text(),
                 QStringLiteral("The night must start before it ends."));
        QCOMPARE(f.model.nightWindow().endMinute, 3 * 60);
    }

    // Copy: the CSV's columns, tab separated, with four decimals and ISO times. Save CSV
    // proposes the data file's name beside it; a file that cannot be written is named with
    // the reason, and the next goes in whole.
    void copyAndSaveGiveTheColumns()
    {
        Fixture f;
        const QString bad = f.log.dir.filePath(QStringLiteral("no/such/night.csv"));
        const QString good = f.log.dir.filePath(QStringLiteral("night.csv"));
        f.prompts.files = QStringList { bad, good };
        QTest::mouseClick(f.dialog.saveButton, Qt::LeftButton);
        QTest::mouseClick(f.dialog.saveButton, Qt::LeftButton);
        QTest::mouseClick(f.dialog.copyButton, Qt::LeftButton);
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines[0],
                 QStringLiteral("file\tdistrict\tunit\tdate\tcoverage\tvolume_m3\tmean\tminimum\t"
                                "minimum_time\tmaximum\tmaximum_time\tnight_minimum\t"
                                "night_minimum_time\tnight_mean\tnight_complete"));
        // The 25th: 96 readings of 121,848/90 l/s in all, 15 minutes each; its night's
        // eight add up to 5,188/90.
        QCOMPARE(lines[3],
                 kSample
                     + QStringLiteral("\t10452\tl/s\t2026-11-25\t1.0000\t1218.4800\t14.1028\t"
                                      "6.9778\t2026-11-25T03:30:00\t21.7667\t2026-11-25T18:00:00\t"
                                      "6.9778\t2026-11-25T03:30:00\t7.2056\tyes"));
        QCOMPARE(f.prompts.fileDialogs.first(),
                 QStringLiteral(NERU_SOURCE_DIR "/samples/flow-night.csv|CSV Files(*.csv)"));
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages[0].startsWith("The night-flow figures could not be saved as "
                                                 + bad + ": "));
        QVERIFY(QString::fromUtf8(TempLog::readAll(good))
                    .contains(u'\n' + kSample + ",10452,l/s,2026-11-25,1.0000,1218.4800,"));
    }

    // Without a printer the report goes into a PDF: landscape, the lines below the chart,
    // the trend sentence before the whole log's.
    void printWithoutPrinterSavesPdf()
    {
        Fixture f;
        f.dialog.printer().setPrinterLookup([] { return std::unique_ptr<QPrinter>(); });
        const QString pdf = f.log.dir.filePath(QStringLiteral("night.pdf"));
        f.prompts.files = QStringList { pdf };
        QTest::mouseClick(f.dialog.printButton, Qt::LeftButton);
        PdfPages pages;
        QVERIFY(pages.read(pdf));
        QVERIFY(pages.pages[0].width() > pages.pages[0].height());
        QCOMPARE(pages.lines[pages.lines.size() - 2].text, f.dialog.trendLabel->text());
        QVERIFY(pages.lines.first().top > 50.0);
    }

    // A district without a logging interval cannot be analysed: the dialog says so in
    // place of the figures, and nothing can be copied.
    void districtWithoutIntervalIsExplained()
    {
        Fixture f;
        RecordEncoder::District d;
        d.intervalCode = 0;
        const QString path = f.log.dir.filePath(QStringLiteral("00001.dat"));
        QVERIFY(TempLog::writeAll(path,
                                  RecordEncoder::header("00001") + RecordEncoder::district(d)
                                      + RecordEncoder::fitting("00001", {}, 600)));
        f.model.openDataFile(path);
        QCOMPARE(f.dialog.problemLabel->text(),
                 QStringLiteral("The district has no logging interval, so its readings cannot "
                                "be analysed."));
        QVERIFY(f.dialog.problemLabel->isVisible() && !f.dialog.copyButton->isEnabled());
    }
};

QTEST_MAIN(tst_NightFlowDialog)
#include "tst_NightFlowDialog.moc"
