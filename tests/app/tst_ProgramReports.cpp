#include "MainWindow.h"
#include "MainWindowActions.h"
#include "Program.h"
#include "ReportCommands.h"
#include "SplashWindow.h"

#include "PdfPages.h"
#include "ScriptedPrompts.h"
#include "StartUpStore.h"
#include "TempLog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kFlow = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

QClipboard &clipboard()
{
    return *QGuiApplication::clipboard();
}

} // namespace

// Copy and Print from the main window: to the clipboard, a printer, or a PDF file.
class tst_ProgramReports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Program> m_program;

    // The main window, handed over at once, with `file` open.
    MainWindow &run(const QString &file)
    {
        m_program.reset();
        m_prompts = ScriptedPrompts();
        m_program = std::make_unique<Program>(&m_prompts, [] {});
        m_program->start(m_dir.path(), file);
        if (!QTest::qWaitFor([this] { return m_program->splash().handOverTimer->isActive(); }))
            qFatal("the splash window never started its timer");
        m_program->splash().handOver();
        m_program->mainWindow()->resize(900, 600);
        m_prompts.messages.clear(); // the port chosen by default
        return *m_program->mainWindow();
    }

    static void click(const MainWindow &main, QAction *command)
    {
        QTest::mouseClick(main.findChild<QToolBar *>()->widgetForAction(command), Qt::LeftButton);
    }

    // The report Copy Text puts on the clipboard, without its empty line after the heading.
    QStringList clipboardReport(MainWindow &main)
    {
        click(main, main.actions().copyText());
        QStringList lines = clipboard().text().split(u"\r\n"_s);
        lines.removeAt(9);
        return lines;
    }

    // A PDF file as the printer, with a printer's unprintable strips.
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

    // Without data Copy Text leaves the clipboard as it was and Copy Graph takes the band,
    // which starts at the top of the client area with the toolbar hidden.
    void copyWithoutData()
    {
        MainWindow &main = run(QString());
        clipboard().setText(u"kept"_s);
        click(main, main.actions().copyText());
        QCOMPARE(clipboard().text(), u"kept"_s);
        click(main, main.actions().copyGraph());
        const QImage band = main.captureGraphArea();
        QVERIFY(clipboard().mimeData()->hasImage());
        QCOMPARE(clipboard().image().size(), band.size());
        main.actions().showToolbar()->trigger();
        QCOMPARE(main.captureGraphArea().height(),
                 band.height() + main.findChild<QToolBar *>()->height());
    }

    // With a printer, Print Table asks nothing and prints the copied report (in the unit
    // chosen in the window) line for line; a printer that fails is told.
    void printTableOnThePrinter()
    {
        MainWindow &main = run(QStringLiteral(NERU_SOURCE_DIR "/samples/pressure.dat"));
        main.actions().unit(5)->trigger();
        const QString pdf = m_dir.filePath(u"printer.pdf"_s);
        printInto(pdf);
        main.actions().printTable()->trigger();
        QVERIFY(m_prompts.messages.isEmpty() && m_prompts.questions.isEmpty());
        PdfPages read;
        QVERIFY(read.read(pdf));
        QStringList copied = clipboardReport(main);
        QVERIFY2(copied.at(4).startsWith(u"Transducer: "_s) && copied.at(4).endsWith(u" PSI"_s),
                 qPrintable(copied.at(4)));
        copied.removeAll(QString());
        QCOMPARE(read.lines.size(), copied.size());
        for (qsizetype k = 0; k < copied.size(); ++k)
            QCOMPARE(read.lines.at(k).text, copied.at(k).simplified());
        const QString nowhere = m_dir.filePath(u"no/such/printer.pdf"_s);
        printInto(nowhere);
        main.actions().printTable()->trigger();
        QCOMPARE(m_prompts.messages.join(u'|').section(u".\n"_s, 0, 0),
                 u"The table could not be printed into "_s + nowhere);
    }

    // With no printer a PDF is offered beside the data file, the missing suffix added,
    // captioned with the window's title; the clipboard then holds the graph. A PDF that
    // cannot be written is told once.
    void printGraphWithoutAPrinter()
    {
        MainWindow &main = run(kFlow);
        m_program->reports()->printer().setPrinterLookup([] { return nullptr; });
        const QString wide = m_dir.filePath(u"wide"_s);
        m_prompts.answers = { UserPrompts::Answer::Yes };
        m_prompts.files = QStringList { wide };
        clipboard().setText(u"old"_s);
        click(main, main.actions().printGraph());
        QCOMPARE(m_prompts.questions.size(), 1);
        QVERIFY(m_prompts.questions.first().startsWith(u"No printer is set up"_s));
        QCOMPARE(m_prompts.fileDialogs.first(),
                 m_program->model().startUp().defaultFolder
                     + u"flow-graph.pdf|PDF files (*.pdf)"_s);
        QCOMPARE(clipboard().image().size(), main.captureGraphArea().size());
        PdfPages read;
        QVERIFY(read.read(wide + u".pdf"_s));
        QCOMPARE(read.lines.size(), 2);
        QCOMPARE(read.lines.at(0).text, main.windowTitle());
        QVERIFY(read.lines.at(1).text.startsWith(u"Printed "_s));
        m_prompts.answers = { UserPrompts::Answer::Yes };
        m_prompts.files = QStringList { kFlow + u"/graph.pdf"_s };
        main.actions().printGraph()->trigger();
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages.first().startsWith(u"The graph could not be saved"_s));
    }

    // Export As proposes <district file>.csv in its folder, adds the ".csv" a typed name
    // lacks, writes the spreadsheet CSV from its first byte (no byte-order mark), and names
    // the file on the status bar.
    void exportAsWritesTheSpreadsheetCsv()
    {
        MainWindow &main = run(kFlow);
        const QString sheet = m_dir.filePath(u"sheet"_s);
        // The dialog asked about "sheet"; "sheet.csv" is replaced only on Yes.
        QVERIFY(TempLog::writeAll(sheet + u".csv"_s, "old"));
        m_prompts.files = QStringList { sheet };
        main.actions().exportCsvAs()->trigger();
        QCOMPARE(TempLog::readAll(sheet + u".csv"_s), "old");
        m_prompts.files = QStringList { sheet };
        m_prompts.answers = { UserPrompts::Answer::Yes };
        main.actions().exportCsvAs()->trigger();
        QCOMPARE(m_prompts.questions,
                 QStringList(2, sheet + u".csv already exists.\nDo you want to replace it?"_s));
        QCOMPARE(m_prompts.fileDialogs.last(),
                 QFileInfo(kFlow).absolutePath() + u"/flow.csv|CSV files (*.csv);;All files (*)"_s);
        QFile written(sheet + u".csv"_s);
        QVERIFY(written.open(QIODevice::ReadOnly));
        // 1344 counts in 900 s of 10 l/rev: 14.9333 l/s; to the reference of 15, 0.0667.
        QCOMPARE(written.read(76),
                 "time,Flow (l/s),fitting,step (l/s)\n2026-11-23T09:00:00,14.9333,00101,0.0667\n");
        QCOMPARE(main.statusText(), u"CSV written to "_s + written.fileName());
        QVERIFY(m_prompts.messages.isEmpty());
    }
};

QTEST_MAIN(tst_ProgramReports)
#include "tst_ProgramReports.moc"
