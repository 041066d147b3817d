#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowGraph.h"
#include "PlotController.h"
#include "PlotWidget.h"
#include "Program.h"
#include "frmHelp.h"
#include "frmSplash.h"
#include "frmStats.h"

#include "ScriptedPrompts.h"
#include "StartUpStore.h"
#include "TempLog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QString kSample = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

// Answers the program's messages and notes whether the splash timer ran meanwhile.
class RecordingPrompts : public ScriptedPrompts
{
public:
    RecordingPrompts()
    {
        onPrompt = [this] { timerRan = timerRan || (timer && timer->isActive()); };
    }

    QTimer *timer = nullptr;
    bool timerRan = false;
};

// "## Section" and "### Part" for each heading of the guide's source, outside code blocks.
QStringList guideHeadings()
{
    QFile file(QStringLiteral(NERU_SOURCE_DIR "/docs/guide.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList headings;
    bool inCode = false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(QLatin1String("```")))
            inCode = !inCode;
        else if (!inCode
                 && (line.startsWith(QLatin1String("## "))
                     || line.startsWith(QLatin1String("### "))))
            headings << line.trimmed();
    }
    return headings;
}

QString portMessage(int port)
{
    return QStringLiteral("Note that COM") + QString::number(port)
        + QStringLiteral(" is selected by default. \nUse the Comms option on the Tools \nmenu "
                         "if you need to change it");
}

} // namespace

// The program as the user starts and works it: the splash window and its port message,
// the hand-over to the main window, the settings kept between runs, Help > About, the
// guide behind Help > Contents and Search, and the graph of a district with the commands
// wired to it.
class tst_Program : public QObject
{
    Q_OBJECT

    std::unique_ptr<RecordingPrompts> m_prompts;
    int m_quits = 0;
    std::unique_ptr<Program> m_program;

    Program &run(const QString &dir = QStringLiteral("/start/here"), const QString &file = {})
    {
        m_program.reset();
        m_prompts = std::make_unique<RecordingPrompts>();
        m_program = std::make_unique<Program>(m_prompts.get(), [this] { ++m_quits; });
        m_prompts->timer = m_program->splash().tmrSplash;
        m_program->start(dir, file);
        return *m_program;
    }

    // Hands over as the splash timer would, without waiting its 2 seconds (the first
    // test waits for the real timer).
    bool handOver()
    {
        if (!QTest::qWaitFor([this] { return m_program->splash().tmrSplash->isActive(); }))
            return false;
        m_program->splash().tmrSplash_Timer();
        return main().isVisible() && !m_program->splash().isVisible();
    }

    MainWindow &main() { return *m_program->mainWindow(); }
    MainWindowActions &actions() { return main().actions(); }
    PlotModel &graph() { return m_program->graph()->controller().model(); }
    const PlotState &state() { return graph().state(); }

private slots:
    void init()
    {
        StartUpStore::clear();
        m_quits = 0;
    }

    void cleanup() { m_program.reset(); }

    // On a clean machine COM2 is named and checked, the splash stays 2 seconds after the
    // message, then the main window takes over. The port chosen and the folder of the run
    // are written at close and read at the next start.
    void settingsAreKeptBetweenRuns()
    {
        Program &program = run();
        frmSplash &splash = program.splash();
        QVERIFY(splash.isVisible());
        QTRY_COMPARE(m_prompts->messages, QStringList { portMessage(2) });
        QCOMPARE(m_prompts->titles, QStringList { "Initial COM port setting" });
        // The 2 seconds start when the message has been closed.
        QVERIFY(!m_prompts->timerRan);
        QVERIFY(splash.tmrSplash->isActive());
        QVERIFY(!program.mainWindow());
        QTRY_VERIFY_WITH_TIMEOUT(program.mainWindow() && main().isVisible(),
                                 frmSplash::kSplashMilliseconds + 3000);
        QTRY_VERIFY(!splash.isVisible());
        QVERIFY(actions().port(2)->isChecked());
        // Chosen twice, an entry keeps its mark; one entry only is checked.
        actions().port(4)->trigger();
        actions().port(4)->trigger();
        QVERIFY(actions().port(4)->isChecked() && !actions().port(2)->isChecked());
        actions().exit()->trigger();
        QCOMPARE(m_quits, 1);
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(StartUpStore::stored(QStringLiteral("COMPort")), QStringLiteral("4"));
        QCOMPARE(StartUpStore::stored(QStringLiteral("DefaultDir")),
                 QStringLiteral("/start/here/"));
        Program &next = run(QStringLiteral("/elsewhere"));
        QTRY_COMPARE(m_prompts->messages, QStringList { portMessage(4) });
        QVERIFY(handOver());
        QVERIFY(actions().port(4)->isChecked());
        QCOMPARE(next.model().startUp().strDefaultDir, QStringLiteral("/start/here/"));
    }

    // A file named at the start is opened once the main window is up. Help > About shows
    // the splash without the port message and hands over again without opening the file a
    // second time; closing the main window during About ends the program, splash and all.
    void fileNamedAtStartIsShownOnceTheWindowIsUp()
    {
        Program &program = run(QStringLiteral("/start"), QDir::current().relativeFilePath(kSample));
        QSignalSpy opened(&program.model(), &NeruModel::districtChanged);
        QVERIFY(handOver());
        QCOMPARE(opened.count(), 1);
        // Opened after the window's creation, which would have named it "Unnamed".
        const QString absolute = QFileInfo(kSample).absoluteFilePath();
        QCOMPARE(main().windowTitle(), QStringLiteral("NERU Program: ") + absolute);
        QVERIFY(main().findChild<PlotWidget *>());
        QVERIFY(main().statusText().contains(QStringLiteral("Flow: ")));
        frmSplash &splash = program.splash();
        actions().about()->trigger();
        QVERIFY(splash.isVisible());
        QVERIFY(handOver());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(m_prompts->messages.size(), 1);
        actions().about()->trigger();
        QVERIFY(splash.tmrSplash->isActive());
        main().close();
        QCOMPARE(m_quits, 1);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.tmrSplash->isActive());
    }

    // Help > Contents lists the guide's own headings and scrolls to the one clicked; Help >
    // Search finds a word, round to the start again, and says when a word is absent.
    void helpShowsTheGuide()
    {
        run();
        QVERIFY(handOver());
        frmHelp &help = *m_program->help();
        actions().helpContents()->trigger();
        QVERIFY(help.isVisible());
        QTRY_VERIFY(help.tvwContents->hasFocus());

        const QStringList expected = guideHeadings();
        QVERIFY(expected.size() > 5);
        QStringList listed;
        QTreeWidgetItem *deep = nullptr; // a part far down the guide
        for (int i = 0; i < help.tvwContents->topLevelItemCount(); ++i) {
            QTreeWidgetItem *section = help.tvwContents->topLevelItem(i);
            listed << QStringLiteral("## ") + section->text(0);
            for (int j = 0; j < section->childCount(); ++j) {
                listed << QStringLiteral("### ") + section->child(j)->text(0);
                if (listed.size() <= expected.size() * 2 / 3)
                    deep = section->child(j);
            }
        }
        QCOMPARE(listed, expected);

        QVERIFY(deep);
        QTextBrowser &guide = *help.txtGuide;
        QCOMPARE(guide.verticalScrollBar()->value(), 0);
        help.tvwContents->scrollToItem(deep);
        QTest::mouseClick(help.tvwContents->viewport(), Qt::LeftButton, {},
                          help.tvwContents->visualItemRect(deep).center());
        QCOMPARE(guide.textCursor().block().text(), deep->text(0));
        QVERIFY(guide.verticalScrollBar()->value() > 0);
        const QRect heading = guide.cursorRect();
        QVERIFY2(heading.top() >= 0 && heading.bottom() < guide.viewport()->height() / 4,
                 qPrintable(QString::number(heading.top())));

        actions().helpSearch()->trigger();
        QTRY_VERIFY(help.txtFind->hasFocus());
        const QString word = QStringLiteral("dialout");
        QTest::keyClicks(help.txtFind, word);
        QTest::keyClick(help.txtFind, Qt::Key_Return);
        QCOMPARE(guide.textCursor().selectedText(), word);
        QCOMPARE(help.lblFind->text(), QString());
        // Past the last place the next Enter starts again from the first.
        const int first = guide.textCursor().position();
        const qsizetype places = guide.toPlainText().count(word, Qt::CaseInsensitive);
        QVERIFY(places > 1);
        for (qsizetype i = 0; i < places; ++i)
            QTest::keyClick(help.txtFind, Qt::Key_Return);
        QCOMPARE(guide.textCursor().position(), first);

        // Asked for again, the window comes back with the last word selected for retyping.
        actions().helpSearch()->trigger();
        QCOMPARE(help.txtFind->selectedText(), word);
        QTest::keyClicks(help.txtFind, QStringLiteral("qwxzv"));
        QTest::keyClick(help.txtFind, Qt::Key_Return);
        QCOMPARE(help.lblFind->text(), QStringLiteral("Not found"));
        QCOMPARE(guide.textCursor().position(), first);
    }

    // File > Open asks in the folder of the last file. A refused file leaves the district
    // and its statistics on show (the model's test keeps its file for the texts saved next).
    void openRefusedFileChangesNothingShown()
    {
        QTemporaryDir dir;
        const QString shown = dir.filePath(QStringLiteral("flow.dat"));
        QVERIFY(QFile::copy(kSample, shown));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("old")));
        const QString refused = dir.filePath(QStringLiteral("old/old.dat"));
        QVERIFY(TempLog::writeAll(refused, QByteArray(300, '3')));
        run(dir.path());
        QVERIFY(handOver());
        // Without readings View > Stats shows nothing (a dialog shown would be closed).
        QSignalSpy statsClosed(m_program->stats(), &QDialog::finished);
        QTimer::singleShot(0, m_program->stats(), &QDialog::accept);
        actions().statistics()->trigger();
        QCOMPARE(statsClosed.count(), 0);
        actions().open()->trigger(); // cancelled
        QCOMPARE(main().windowTitle(), QStringLiteral("NERU Program: Unnamed"));
        m_prompts->files = QStringList { shown, refused };
        actions().open()->trigger();
        actions().open()->trigger();
        QCOMPARE(m_prompts->fileDialogs,
                 QStringList(3,
                             dir.path()
                                 + QStringLiteral("/|Download Files(*.dat);;Kept "
                                                  "downloads(download-*.bin);;All files (*)")));
        QCOMPARE(m_prompts->messages.last(),
                 refused + QStringLiteral(": ") + m_program->strings().text(40250));
        QCOMPARE(main().windowTitle(), QStringLiteral("NERU Program: ") + shown);
        QCOMPARE(m_program->stats()->windowTitle(),
                 QStringLiteral("Statistics for district '10452'"));
    }

    // A unit chosen returns to the full view, redrawn with its factor, and keeps its mark
    // when chosen again; a wider window redraws the curve wider and keeps the view.
    void unitReturnsToTheFullViewAndResizeRedraws()
    {
        run(QStringLiteral("/start"), kSample);
        QVERIFY(handOver());
        main().findChild<QToolButton *>(QStringLiteral("cmdTimeZoomIn"))->click();
        main()
            .findChild<QScrollBar *>(QStringLiteral("hsbTime"))
            ->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QVERIFY(state().viewStart > state().fullStart);
        actions().unit(2)->trigger();
        QCOMPARE(state().viewStart, state().fullStart);
        QCOMPARE(main().findChild<QLabel *>(QStringLiteral("lblFlowMax"))->text(),
                 NamedFormats().fixed(state().fullMax * 3.6));
        actions().unit(2)->trigger();
        QVERIFY(actions().unit(2)->isChecked());
        const double end = graph().elements().curve[2].x2;
        main().resize(main().size() + QSize(300, 0));
        QTRY_VERIFY(graph().elements().curve[2].x2 > end);
        QCOMPARE(state().viewStart, state().fullStart);
    }
};

QTEST_MAIN(tst_Program)
#include "tst_Program.moc"
