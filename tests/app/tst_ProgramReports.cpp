#include "Program.h"
#include "ReportCommands.h"
#include "frmNeru.h"
#include "frmSplash.h"

#include "PdfPages.h"
#include "ScriptedPrompts.h"
#include "StartUpStore.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QToolBar>
#include <QtTest>

#include <memory>

namespace {

const QString kFlow = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");
const QString kPressure = QStringLiteral(NERU_SOURCE_DIR "/samples/pressure.dat");

QClipboard &clipboard()
{
    return *QGuiApplication::clipboard();
}

} // namespace

// Copy and Print from the main window: the text report and the graph band on the
// clipboard, on a printer, and in a PDF file when no printer is set up.
class tst_ProgramReports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Program> m_program;

    frmNeru &run(const QString &file)
    {
        m_program.reset();
        m_prompts = ScriptedPrompts();
        m_program = std::make_unique<Program>(&m_prompts, [] {});
        m_program->start(m_dir.path(), file);
        // Hands over as the splash timer would, without waiting for it.
        QTest::qWaitFor([this] { return m_program->splash().tmrSplash->isActive(); });
        m_program->splash().tmrSplash_Timer();
        frmNeru &main = *m_program->mainWindow();
        main.resize(900, 600);
        m_prompts.messages.clear(); // the port chosen by default
        return main;
    }

    QAction *button(const frmNeru &main, const char *key)
    {
        return main.findChild<QAction *>(QStringLiteral("tbrToolbar") + QLatin1String(key));
    }

    // The printer a test hands the program: a PDF file, with a printer's unprintable strips.
    void printInto(const QString &pdf)
    {
        m_program->reports()->printer().setPrinterLookup([pdf] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                               QMarginsF(6.0, 4.0, 6.0, 4.0),
                                               QPageLayout::Millimeter));
            return printer;
        });
    }

private slots:
    void init() { StartUpStore::clear(); }
    void cleanup() { m_program.reset(); }

    // Without data Copy Text leaves the clipboard as it was. On a pressure district in
    // PSI it copies the report with the statistics dialog's captions, CR LF line ends, an
    // empty line after the heading and one row per sample.
    void copyTextUsesTheDialogsCaptions()
    {
        frmNeru &empty = run(QString());
        clipboard().setText(QStringLiteral("kept"));
        button(empty, "CopyText")->trigger();
        QCOMPARE(clipboard().text(), QStringLiteral("kept"));

        frmNeru &main = run(kPressure);
        main.findChild<QAction *>(QStringLiteral("mnuToolsUnitsPSI"))->trigger();
        button(main, "CopyText")->trigger();
        const QString text = clipboard().text();
        QCOMPARE(text.count(u'\n'), text.count(QStringLiteral("\r\n")));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QVERIFY(lines.at(0).startsWith(QStringLiteral("Title: ")));
        QVERIFY2(lines.at(4).startsWith(QStringLiteral("Transducer: "))
                     && lines.at(4).mid(40).startsWith(QStringLiteral("Maximum: "))
                     && lines.at(4).endsWith(QStringLiteral(" PSI")),
                 qPrintable(lines.at(4)));
        QVERIFY(lines.at(5).startsWith(QStringLiteral("Range: ")));
        QCOMPARE(lines.at(8),
                 QStringLiteral("Fitting   Date         Time         Pressure     Step"));
        QCOMPARE(lines.at(9), QString());
        QCOMPARE(lines.size() - 11, m_program->model().file().series().lngNumSamples);
    }

    // Copy Graph puts the band on the clipboard with or without data; with the toolbar
    // hidden the band starts at the top of the window's client area.
    void copyGraphTakesTheBand()
    {
        frmNeru &main = run(QString());
        button(main, "Copy")->trigger();
        const QImage band = main.captureGraphArea();
        QVERIFY(clipboard().mimeData()->hasImage());
        QCOMPARE(clipboard().image().size(), band.size());
        main.mnuViewToolbar->trigger();
        QCOMPARE(main.captureGraphArea().height(), band.height() + main.tbrToolbar->height());
    }

    // On a printer the title starts 20 mm from the left and 21 mm from the top of the
    // paper, whatever the printer's strips, and every row is one printed line, in order.
    void printTableOnThePrinter()
    {
        frmNeru &main = run(kFlow);
        const QString pdf = m_dir.filePath(QStringLiteral("printer.pdf"));
        printInto(pdf);
        main.mnuFilePrintTable->trigger();
        QVERIFY(m_prompts.messages.isEmpty() && m_prompts.questions.isEmpty());
        PdfPages read;
        QVERIFY(read.read(pdf));
        QVERIFY(read.pages.size() > 1);
        QCOMPARE(read.lines.first().text, QStringLiteral("Title: High Street inlet"));
        QVERIFY(qAbs(read.lines.first().left - 20.0) < 0.8);
        QVERIFY(qAbs(read.lines.first().top - 21.0) < 0.8);
        QStringList copied = clipboardReport(main);
        copied.removeAll(QString());
        QCOMPARE(read.lines.size(), copied.size());
        for (qsizetype k = 0; k < copied.size(); ++k)
            QCOMPARE(read.lines.at(k).text, copied.at(k).simplified());
    }

    // With no printer the program offers a PDF, proposed beside the data file; a wide
    // window prints in landscape, a tall one in portrait, with the caption and the date
    // line, and the clipboard holds the graph afterwards. A PDF that cannot be written is
    // told once.
    void printGraphWithoutAPrinter()
    {
        frmNeru &main = run(kFlow);
        m_program->reports()->printer().setPrinterLookup([] { return nullptr; });
        const QString wide = m_dir.filePath(QStringLiteral("wide"));
        const QString tall = m_dir.filePath(QStringLiteral("tall.pdf"));
        m_prompts.answers = { UserPrompts::Answer::Yes, UserPrompts::Answer::Yes };
        m_prompts.files = QStringList { wide, tall };
        clipboard().setText(QStringLiteral("old"));
        button(main, "Print")->trigger();
        main.resize(500, 800);
        main.mnuFilePrintGraph->trigger();
        QCOMPARE(m_prompts.questions.size(), 2);
        QVERIFY(m_prompts.questions.first().startsWith(QStringLiteral("No printer is set up")));
        QCOMPARE(m_prompts.fileDialogs.first(),
                 m_program->model().startUp().strDefaultDir
                     + QStringLiteral("flow-graph.pdf|PDF files (*.pdf)"));
        QCOMPARE(clipboard().image().size(), main.captureGraphArea().size());

        for (const auto &[pdf, landscape] :
             { std::pair(wide + QStringLiteral(".pdf"), true), std::pair(tall, false) }) {
            PdfPages read;
            QVERIFY(read.read(pdf));
            QCOMPARE(read.pages.size(), 1);
            QCOMPARE(read.pages.first().width() > read.pages.first().height(), landscape);
            QCOMPARE(read.lines.size(), 2);
            QCOMPARE(read.lines.at(0).text,
                     QStringLiteral("NERU Program: ") + QFileInfo(kFlow).absoluteFilePath());
            QVERIFY(qAbs(read.lines.at(0).top - 10.0) < 0.8);
            QVERIFY(read.lines.at(1).text.startsWith(QStringLiteral("Printed ")));
            QVERIFY(qAbs(read.lines.at(1).top - 200.0) < 0.8);
        }

        m_prompts.answers = { UserPrompts::Answer::Yes };
        m_prompts.files = QStringList { kFlow + QStringLiteral("/graph.pdf") };
        main.mnuFilePrintGraph->trigger();
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(
            m_prompts.messages.first().startsWith(QStringLiteral("The graph could not be saved")));
    }

private:
    QStringList clipboardReport(frmNeru &main)
    {
        button(main, "CopyText")->trigger();
        QStringList lines = clipboard().text().split(QStringLiteral("\r\n"));
        lines.removeAt(9); // the copy's empty line after the heading
        return lines;
    }
};

QTEST_MAIN(tst_ProgramReports)
#include "tst_ProgramReports.moc"
