#include "CaptureRoutines.h"
#include "PdfPages.h"
#include "PrintingSurface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QtTest>

namespace {

// A printer's unprintable strips at the left and top paper edges, in millimetres.
constexpr double kLeftStrip = 6.35;
constexpr double kTopStrip = 4.2;
// Where a line's words start is measured off their drawn shapes.
constexpr double kTolerance = 0.8;

// A4 paper, the writer's printable area inside the strips.
void setUpPaper(QPdfWriter &writer)
{
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kLeftStrip, kTopStrip, 5.0, 5.0),
                                     QPageLayout::Millimeter));
}

} // namespace

// The printed reports on paper, read back from PDF with poppler's tools.
class tst_CaptureRoutines : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Lines from 20 mm left and 21 mm top of the paper, whatever the printer's strips; one
    // that does not fit starts a page at the top of the printable area.
    void tableFlowsOntoPages()
    {
        QStringList lines { QStringLiteral("Title: Mill Lane"), QStringLiteral(" "),
                            QStringLiteral("Fitting   Date         Time") };
        for (int i = 0; i < 150; ++i)
            lines.append(QStringLiteral("00012     row %1").arg(i));
        const QString pdf = m_dir.filePath(QStringLiteral("table.pdf"));
        {
            QPdfWriter writer(pdf);
            setUpPaper(writer);
            PrintingSurface surface(writer);
            CaptureRoutines capture;
            QVERIFY(capture.printTable(surface, lines));
        }
        PdfPages read;
        QVERIFY(read.read(pdf));
        QVERIFY2(read.pages.size() >= 2, "150 rows fit no A4 page");
        // The text is tst_ProgramReports' (printed as copied); the blank line prints nothing.
        QCOMPARE(read.lines.size(), lines.size() - 1);
        for (qsizetype k = 0; k < read.lines.size(); ++k) {
            const PdfPages::Line &line = read.lines.at(k);
            QVERIFY2(qAbs(line.left - 20.0) < kTolerance, qPrintable(QString::number(line.left)));
            if (k == 0)
                QVERIFY2(qAbs(line.top - 21.0) < kTolerance, qPrintable(QString::number(line.top)));
            else if (line.page != read.lines.at(k - 1).page) {
                QVERIFY2(qAbs(line.top - kTopStrip) < kTolerance,
                         qPrintable(QString::number(line.top)));
                QVERIFY(read.lines.at(k - 1).top > 270.0);
            }
        }
    }

    // The picture as large as fits inside 20 mm margins, on a page turned to its shape;
    // the caption 10 mm and the date line 200 mm from the top, 20 mm from the left.
    void graphPage_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSizeF>("printed"); // millimetres
        // A4 less the margins: 257 x 170 mm turned to landscape, 170 x 257 in portrait.
        QTest::newRow("wide window") << QSize(900, 400) << QSizeF(257.0, 257.0 * 4 / 9);
        QTest::newRow("tall window") << QSize(300, 700) << QSizeF(257.0 * 3 / 7, 257.0);
        QTest::newRow("as the page") << QSize(2570, 1700) << QSizeF(257.0, 170.0);
    }
    void graphPage()
    {
        QFETCH(QSize, picture);
        QFETCH(QSizeF, printed);
        QImage graph(picture, QImage::Format_RGB32);
        graph.fill(Qt::red);
        const QString pdf = m_dir.filePath(QStringLiteral("graph.pdf"));
        const QStringList texts { "NERU Program: /data/42.dat", "Printed 07/12/2026 10:00:00" };
        {
            QPdfWriter writer(pdf);
            setUpPaper(writer);
            PrintingSurface surface(writer);
            QVERIFY(CaptureRoutines().printGraph(surface, graph, texts[0], texts[1]));
        }
        PdfPages read;
        QVERIFY(read.read(pdf));
        QCOMPARE(read.pages.size(), 1);
        const QSizeF page = read.pages.constFirst();
        QCOMPARE(page.width() > page.height(), picture.width() > picture.height());
        const QRectF box = PdfPages::colourBox(pdf, 0, Qt::red);
        QVERIFY2(qAbs(box.left() - 20.0) < 1.0 && qAbs(box.top() - 20.0) < 1.0
                     && qAbs(box.width() - printed.width()) < 1.0
                     && qAbs(box.height() - printed.height()) < 1.0,
                 qPrintable(QDebug::toString(box)));
        QCOMPARE(read.lines.size(), 2); // the texts are tst_ProgramReports'
        for (int k = 0; k < 2; ++k) {
            QVERIFY(qAbs(read.lines.at(k).left - 20.0) < kTolerance);
            QVERIFY(qAbs(read.lines.at(k).top - (k ? 200.0 : 10.0)) < kTolerance);
        }
    }
};

QTEST_MAIN(tst_CaptureRoutines)
#include "tst_CaptureRoutines.moc"
