// The graph in the main window: opening a download file, the caption, the unit change
// that resets the view, View > Reset, the redraw after a resize, and failed opens.
#include "FileProcessing.h"
#include "General.h"
#include "GraphController.h"
#include "GraphFixture.h"
#include "GraphPicture.h"
#include "MainWindowGraph.h"
#include "StartUpSettings.h"
#include "frmNeru.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const QString kSample = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

} // namespace

class tst_MainWindowGraph : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    std::unique_ptr<TempLog> m_log;
    std::unique_ptr<General> m_general;
    std::unique_ptr<StartUpSettings> m_startUp;
    std::unique_ptr<FileProcessing> m_file;
    RecordingPrompt m_prompts;
    std::unique_ptr<frmNeru> m_main;
    std::unique_ptr<MainWindowGraph> m_graph;

    frmNeru &main() { return *m_main; }
    GraphView &graph() { return m_graph->controller().graph(); }
    const GraphViewState &state() { return graph().state(); }

private slots:
    void init()
    {
        m_log = std::make_unique<TempLog>();
        m_general = std::make_unique<General>(m_strings);
        m_startUp = std::make_unique<StartUpSettings>();
        m_startUp->strDefaultDir = QStringLiteral("/srv/logs/");
        m_file = std::make_unique<FileProcessing>(m_log->report);
        m_prompts.messages.clear();
        m_main
            = std::make_unique<frmNeru>(m_strings, *m_general, *m_startUp, *m_file, m_log->report);
        m_graph = std::make_unique<MainWindowGraph>(*m_main, *m_file, *m_startUp, m_strings,
                                                    m_log->report, m_prompts);
        m_main->Form_Load();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanup()
    {
        m_graph.reset();
        m_main.reset();
    }

    void plotTakesThePlaceOfPicture1()
    {
        auto *picture = qobject_cast<GraphPicture *>(main().Picture1);
        QVERIFY(picture);
        QCOMPARE(picture->parentWidget(), main().clientArea());
        QVERIFY(picture->width() > 100);
        // Before any data the plot is blank and the labels empty.
        QVERIFY(main().lblFlowMax->text().isEmpty());
        QCOMPARE(graph().elements().linCursor[0].x1, -100.0);
        QVERIFY(main().mnuViewReset->isEnabled());
    }

    void openingAFileShowsIt()
    {
        m_graph->openDataFile(QDir::current().relativeFilePath(kSample));
        const QString absolute = QFileInfo(kSample).absoluteFilePath();
        QCOMPARE(main().windowTitle(), QStringLiteral("NERU Program: ") + absolute);
        QCOMPARE(m_file->strDataFile(), absolute);
        QCOMPARE(m_startUp->strDefaultDir, QFileInfo(kSample).absolutePath() + u'/');
        QCOMPARE(main().intUnits(), qint16(1));
        QVERIFY(main().mnuToolsUnitsEntries[0]->isChecked());
        const qint32 n = m_file->series().lngNumSamples;
        QVERIFY(n > 100);
        QCOMPARE(state().lngBarCount, 2 * n - 1);
        QCOMPARE(state().dteViewStart, state().dteFullStart);
        QCOMPARE(main().lblFlowMax->text(), graph().axisLabels().lblFlowMax);
        QVERIFY(!main().lblTimeMid->text().isEmpty());
        QVERIFY(main().statusText().contains(QStringLiteral("Flow: ")));
        QVERIFY(m_log->messages().isEmpty());
    }

    void unitChangeResetsTheView()
    {
        m_graph->openDataFile(kSample);
        main().cmdTimeZoomIn->click();
        main().cmdFlowZoomIn->click();
        const double fullMax = state().dblFullMax;
        QVERIFY(state().dblViewMax < fullMax);
        main().mnuToolsUnitsEntries[1]->trigger(); // m3/h
        QCOMPARE(state().dblViewMax, fullMax);
        QCOMPARE(state().dteViewEnd, state().dteFullEnd);
        QCOMPARE(main().lblFlowMax->text(), NamedFormats().fixed(fullMax * 3.6));
    }

    void viewResetRestoresTheFullView()
    {
        m_graph->openDataFile(kSample);
        main().cmdTimeZoomIn->click();
        main().hsbTime->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QVERIFY(state().dteViewStart > state().dteFullStart);
        main().mnuViewReset->trigger();
        QCOMPARE(state().dteViewStart, state().dteFullStart);
        QCOMPARE(state().dteCursor, state().dteFullStart);
    }

    void resizeRedrawsAtTheNewSize()
    {
        m_graph->openDataFile(kSample);
        const double end = graph().elements().LinBar[2].x2;
        const double width = m_graph->controller().picture().plotWidth();
        const QSize frame = main().size() - main().clientArea()->size();
        main().resize(main().clientArea()->size() + frame + QSize(300, 0));
        QTRY_VERIFY(m_graph->controller().picture().plotWidth() > width);
        QTRY_VERIFY(graph().elements().LinBar[2].x2 > end);
        // The view itself is kept.
        QCOMPARE(state().dteViewStart, state().dteFullStart);
    }

    void fileOfAnOldVersionIsRefused()
    {
        m_graph->openDataFile(kSample);
        const qint32 n = m_file->series().lngNumSamples;
        const QString title = main().windowTitle();
        QFile old(m_log->dir.filePath(QStringLiteral("old.dat")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(300, '3'));
        old.close();
        m_graph->openDataFile(old.fileName());
        QCOMPARE(m_prompts.messages,
                 QStringList { "This program cannot communicate with NERU software or files "
                               "before version 4.0" });
        QCOMPARE(m_file->series().lngNumSamples, n);
        QCOMPARE(main().windowTitle(), title);
        QVERIFY(graph().elements().LinBar[2].visible);
    }

    void missingFileIsLogged()
    {
        const QString before = m_file->strDataFile();
        m_graph->openDataFile(m_log->dir.filePath(QStringLiteral("none.dat")));
        // The image in memory stays tied to the file it came from.
        QCOMPARE(m_file->strDataFile(), before);
        const QStringList entries = m_log->messages();
        QCOMPARE(entries.size(), 1);
        QVERIFY(entries[0].trimmed().endsWith(QStringLiteral("in mnuFileOpen_Click(frmNeru)")));
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(m_file->series().lngNumSamples, 0);
    }
};

QTEST_MAIN(tst_MainWindowGraph)
#include "tst_MainWindowGraph.moc"
