#include "MainWindow.h"
#include "MainWindowActions.h"
#include "Program.h"
#include "ReportCommands.h"
#include "SplashWindow.h"

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

    MainWindow &run(const QString &file)
    {
        m_program.reset();
        m_prompts = ScriptedPrompts();
        m_program = std::make_unique<Program>(&m_prompts, [] {});
        m_program->start(m_dir.path(), file);
        // Hands over as the splash timer would, without waiting for it.
        if (!QTest::qWaitFor([this] { return m_program->splash().handOverTimer->isActive(); }))
            qFatal("the splash window never started its timer");
        m_program->splash().handOver();
        MainWindow &main = *m_program->mainWindow();
        main.resize(900, 600);
        m_prompts.messages.clear(); // the port chosen by default
        return main;
    }

    // Clicks the toolbar button of a command.
    static void click(const MainWindow &main, QAction *command)
    {
        QTest::mouseClick(main.findChild<QToolBar *>()->widgetForAction(command), Qt::LeftButton);
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
    // PSI it copies the report with the statistics dialog's captions (the report's layout
    // is the report's test).
    void copyTextUsesTheDialogsCaptions()
    {
        MainWindow &empty = run(QString());
        clipboard().setText(QStringLiteral("kept"));
        click(empty, empty.actions().copyText());
        QCOMPARE(clipboard().text(), QStringLiteral("kept"));

        MainWindow &main = run(kPressure);
        main.actions().unit(5)->trigger();
        const QStringList lines = clipboardReport(main);
        QVERIFY2(lines.at(4).startsWith(QStringLiteral("Transducer: "))
                     && lines.at(4).mid(40).startsWith(QStringLiteral("Maximum: "))
                     && lines.at(4).endsWith(QStringLiteral(" PSI")),
                 qPrintable(lines.at(4)));
        QVERIFY(lines.at(5).startsWith(QStringLiteral("Range: ")));
    }

    // Copy Graph puts the band on the clipboard with or without data; with the toolbar
    // hidden the band starts at the top of the window's client area.
    void copyGraphTakesTheBand()
    {
        MainWindow &main = run(QString());
        click(main, main.actions().copyGraph());
        const QImage band = main.captureGraphArea();
        QVERIFY(clipboard().mimeData()->hasImage());
        QCOMPARE(clipboard().image().size(), band.size());
        main.actions().showToolbar()->trigger();
        QCOMPARE(main.captureGraphArea().height(),
                 band.height() + main.findChild<QToolBar *>()->height());
    }

    // With a printer, Print Table asks nothing and prints the copied report, line for line,
    // the title 20 mm from the left and 21 mm from the top of the paper whatever the
    // printer's unprintable strips (the flow onto further pages is the printing's test).
    void printTableOnThePrinter()
    {
        MainWindow &main = run(kFlow);
        const QString pdf = m_dir.filePath(QStringLiteral("printer.pdf"));
        printInto(pdf);
        main.actions().printTable()->trigger();
        QVERIFY(m_prompts.messages.isEmpty() && m_prompts.questions.isEmpty());
        PdfPages read;
        QVERIFY(read.read(pdf));
        QVERIFY(qAbs(read.lines.first().left - 20.0) < 0.8);
        QVERIFY(qAbs(read.lines.first().top - 21.0) < 0.8);
        QStringList copied = clipboardReport(main);
        copied.removeAll(QString());
        QCOMPARE(read.lines.size(), copied.size());
        for (qsizetype k = 0; k < copied.size(); ++k)
            QCOMPARE(read.lines.at(k).text, copied.at(k).simplified());
        // A printer that fails is told.
        const QString nowhere = m_dir.filePath(QStringLiteral("no/such/printer.pdf"));
        printInto(nowhere);
        main.actions().printTable()->trigger();
        QCOMPARE(m_prompts.messages.join(u'|').section(QStringLiteral(".\n"), 0, 0),
                 QStringLiteral("The table could not be printed into ") + nowhere);
    }

    // With no printer the program offers a PDF, proposed beside the data file, and adds
    // the suffix the name lacks: a wide window in landscape, captioned with the window's
    // title and the date line; the clipboard holds the graph afterwards. A PDF that cannot
    // be written is told once.
    void printGraphWithoutAPrinter()
    {
        MainWindow &main = run(kFlow);
        m_program->reports()->printer().setPrinterLookup([] { return nullptr; });
        const QString wide = m_dir.filePath(QStringLiteral("wide"));
        m_prompts.answers = { UserPrompts::Answer::Yes };
        m_prompts.files = QStringList { wide };
        clipboard().setText(QStringLiteral("old"));
        click(main, main.actions().printGraph());
        QCOMPARE(m_prompts.questions.size(), 1);
        QVERIFY(m_prompts.questions.first().startsWith(QStringLiteral("No printer is set up")));
        QCOMPARE(m_prompts.fileDialogs.first(),
                 m_program->model().startUp().defaultFolder
                     + QStringLiteral("flow-graph.pdf|PDF files (*.pdf)"));
        QCOMPARE(clipboard().image().size(), main.captureGraphArea().size());
        PdfPages read;
        QVERIFY(read.read(wide + QStringLiteral(".pdf")));
        QCOMPARE(read.pages.size(), 1);
        QVERIFY(read.pages.first().width() > read.pages.first().height());
        QCOMPARE(read.lines.size(), 2);
        QCOMPARE(read.lines.at(0).text, main.windowTitle());
        QVERIFY(read.lines.at(1).text.startsWith(QStringLiteral("Printed ")));

        m_prompts.answers = { UserPrompts::Answer::Yes };
        m_prompts.files = QStringList { kFlow + QStringLiteral("/graph.pdf") };
        main.actions().printGraph()->trigger();
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(
            m_prompts.messages.first().startsWith(QStringLiteral("The graph could not be saved")));
    }

private:
    QStringList clipboardReport(MainWindow &main)
    {
        click(main, main.actions().copyText());
        QStringList lines = clipboard().text().split(QStringLiteral("\r\n"));
        lines.removeAt(9); // the copy's empty line after the heading
        return lines;
    }
};

QTEST_MAIN(tst_ProgramReports)
#include "tst_ProgramReports.moc"
