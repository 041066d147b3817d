#include "FileProcessing.h"
#include "General.h"
#include "MainWindowLayout.h"
#include "StartUpSettings.h"
#include "StringTable.h"
#include "frmNeru.h"

#include "TempLog.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

// The main window: menus, toolbar, captions, COM port and unit entries, layout and
// view toggles, and the settings written when it closes.
class tst_frmNeru : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    const General m_general { m_strings };
    TempLog m_log;
    std::unique_ptr<StartUpSettings> m_startUp;
    std::unique_ptr<FileProcessing> m_file;
    std::unique_ptr<frmNeru> m_window;
    QStringList m_calls;
    QList<int> m_ran;

    frmNeru &window() { return *m_window; }

    // "objectName caption" of each entry; "-" stands for a separator's caption.
    static QStringList entries(const QList<QAction *> &actions)
    {
        QStringList out;
        for (QAction *a : actions)
            out << a->objectName() + u' ' + (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

    // One letter a Units entry: X checked, o enabled only, . neither (x checked, disabled).
    QString unitEntries()
    {
        QString out;
        for (QAction *e : window().mnuToolsUnitsEntries)
            out += e->isChecked() ? (e->isEnabled() ? u'X' : u'x') : (e->isEnabled() ? u'o' : u'.');
        return out;
    }

    QAction *button(const QString &key)
    {
        for (QAction *b : window().tbrToolbar->actions()) {
            if (b->property("key").toString() == key)
                return b;
        }
        return nullptr;
    }

    // Connects every command to a handler that records its number in the returned list.
    QList<int> &connectEveryCommand()
    {
        m_ran.clear();
        for (int c = 0; c <= int(frmNeru::Command::ToolsCommsReprogramNERU); ++c)
            window().setCommand(frmNeru::Command(c), [this, c] { m_ran << c; });
        return m_ran;
    }

    // Shows the window with a client area of the given size in pixels.
    void showWithClient(const QSize &client)
    {
        window().show();
        const QSize frame = window().size() - window().clientArea()->size();
        window().resize(client + frame);
        QTRY_COMPARE(window().clientArea()->size(), client);
    }

    QRect expectedPixels(const QRect &twips)
    {
        return MainWindowLayout::toPixels(twips, window().clientArea()->logicalDpiX());
    }

private slots:
    void init()
    {
        m_calls.clear();
        m_startUp = std::make_unique<StartUpSettings>();
        m_startUp->strDefaultDir = QStringLiteral("/srv/logs/");
        m_file = std::make_unique<FileProcessing>(m_log.report);
        m_window
            = std::make_unique<frmNeru>(m_strings, m_general, *m_startUp, *m_file, m_log.report);
        m_window->hooks.ResetForm = [this] { m_calls << QStringLiteral("ResetForm"); };
        m_window->hooks.setStatsUnits
            = [this](const QString &unit) { m_calls << QStringLiteral("units ") + unit; };
        m_window->hooks.statsSetup = [this] { m_calls << QStringLiteral("setup"); };
        m_window->hooks.showStats = [this] { m_calls << QStringLiteral("showStats"); };
        m_window->setCommand(frmNeru::Command::ViewReset,
                             [this] { m_calls << QStringLiteral("reset"); });
        m_window->Form_Load();
    }

    void cleanup() { m_window.reset(); }

    void menusInOrder_data()
    {
        QTest::addColumn<QString>("menu"); // empty: the menu bar
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("menu bar") << ""
                                  << QStringList { "mnuFile &File", "mnuEdit &Edit",
                                                   "mnuView &View", "mnuTools &Tools",
                                                   "mnuHelp &Help" };
        QTest::newRow("File") << "mnuFile"
                              << QStringList { "mnuFileOpen &Open...",     "mnuFileSep2 -",
                                               "mnuFileExport &Export...", "mnuFileSep3 -",
                                               "mnuFilePrint &Print",      "mnuFileSep4 -",
                                               "mnuFileExit E&xit" };
        QTest::newRow("File > Print")
            << "mnuFilePrint"
            << QStringList { "mnuFilePrintGraph &Graph", "mnuFilePrintTable &Table" };
        QTest::newRow("Edit") << "mnuEdit"
                              << QStringList { "mnuEditCopyGraph Copy &Graph",
                                               "mnuEditCopyText Copy &Text" };
        QTest::newRow("View") << "mnuView"
                              << QStringList { "mnuViewReset &Reset", "mnuViewStats &Stats",
                                               "mnuViewToolbar &Toolbar",
                                               "mnuViewStatusBar Status &Bar" };
        QTest::newRow("Tools") << "mnuTools"
                               << QStringList { "mnuToolsComms &Comms", "mnuToolsUnits &Units" };
        QTest::newRow("Tools > Comms")
            << "mnuToolsComms"
            << QStringList { "mnuToolsCommsInterrogate &Interrogate NERU",
                             "mnuToolsCommsProgramRTC &Program NERU RTC",
                             "mnuToolsCommsReprogramNERU &Reprogram NERU",
                             "mnuToolsCommsCOM1 COM&1",
                             "mnuToolsCommsCOM2 COM&2",
                             "mnuToolsCommsCOM3 COM&3",
                             "mnuToolsCommsCOM4 COM&4",
                             "mnuToolsCommsTest &Test" };
        QTest::newRow("Tools > Units")
            << "mnuToolsUnits"
            << QStringList { "mnuToolsUnitsLitres &l/s",    "mnuToolsUnitsMetres3 &m3/h",
                             "mnuToolsUnitsGals &gals/h",   "mnuToolsUnitsBar &Bar",
                             "mnuToolsUnitsPSI &PSI",       "mnuToolsUnitsMetre Me&tre Head",
                             "mnuToolsUnitsFeet &Feet Head" };
        QTest::newRow("Help") << "mnuHelp"
                              << QStringList { "mnuHelpContents &Contents...",
                                               "mnuHelpSearch &Search...", "mnuHelpSep1 -",
                                               "mnuHelpAbout &About..." };
    }

    void menusInOrder()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        QList<QAction *> actions = window().menuBar()->actions();
        if (!menu.isEmpty()) {
            auto *entry = window().findChild<QAction *>(menu);
            QVERIFY(entry && entry->menu());
            actions = entry->menu()->actions();
        }
        QCOMPARE(tst_frmNeru::entries(actions), entries);
    }

    void checkMarksAndStatesAtStart()
    {
        QVERIFY(window().mnuViewToolbar->isChecked());
        QVERIFY(window().mnuViewStatusBar->isChecked());
        QVERIFY(window().mnuToolsCommsCOM2->isChecked());
        QVERIFY(!window().mnuToolsCommsTest->isVisible());
        QCOMPARE(unitEntries(), QStringLiteral("......."));
        QCOMPARE(window().dblFlowScaleFactor(), 1.0);
        QCOMPARE(int(window().intUnits()), 0);
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Flow (l/s)"));
        QCOMPARE(window().windowTitle(), QStringLiteral("NERU Program: Unnamed"));
        QCOMPARE(m_calls, QStringList { "ResetForm" });
        QVERIFY(m_file->strDataFile().isEmpty());
    }

    void commandsWaitForTheirHandlers()
    {
        QVERIFY(!window().mnuFileOpen->isEnabled());
        QVERIFY(!button(QStringLiteral("Open"))->isEnabled());
        QVERIFY(!window().mnuHelpContents->isEnabled());
        QVERIFY(!window().mnuHelpSearch->isEnabled());
        QVERIFY(window().mnuViewReset->isEnabled()); // connected in init()
        QVERIFY(window().mnuHelpAbout->isEnabled());
        int opened = 0;
        window().setCommand(frmNeru::Command::FileOpen, [&opened] { ++opened; });
        QVERIFY(window().mnuFileOpen->isEnabled());
        QVERIFY(button(QStringLiteral("Open"))->isEnabled());
        window().mnuFileOpen->trigger();
        QCOMPARE(opened, 1);
    }

    void toolbarButtons()
    {
        QStringList keys;
        QStringList tags;
        QStringList tips;
        for (QAction *a : window().tbrToolbar->actions()) {
            keys << (a->isSeparator() ? QStringLiteral("-") : a->property("key").toString());
            tags << a->property(General::kTagProperty).toString();
            if (!a->isSeparator()) {
                tips << a->toolTip();
                QVERIFY(!a->icon().isNull());
                QVERIFY(a->text().isEmpty());
            }
        }
        QCOMPARE(keys,
                 QStringList({ "Open", "Print", "-", "Copy", "CopyText", "-", "Interrogate",
                               "ProgramRTC", "ReprogramNERU" }));
        QCOMPARE(
            tags,
            QStringList({ "21000", "21010", "", "21020", "21030", "", "21040", "21050", "21060" }));
        QCOMPARE(tips,
                 QStringList({ "Open", "Print", "Copy", "Copy Text", "Interrogate NERU",
                               "Program NERU RTC", "Reprogram NERU" }));
    }

    void toolbarButtonRunsItsMenuCommand_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("command"); // -1: none
        QTest::newRow("Open") << "Open" << int(frmNeru::Command::FileOpen);
        QTest::newRow("Print prints the graph") << "Print" << int(frmNeru::Command::FilePrintGraph);
        QTest::newRow("Copy copies the graph") << "Copy" << int(frmNeru::Command::EditCopyGraph);
        QTest::newRow("CopyText") << "CopyText" << int(frmNeru::Command::EditCopyText);
        QTest::newRow("Interrogate")
            << "Interrogate" << int(frmNeru::Command::ToolsCommsInterrogate);
        QTest::newRow("ProgramRTC") << "ProgramRTC" << int(frmNeru::Command::ToolsCommsProgramRTC);
        QTest::newRow("ReprogramNERU")
            << "ReprogramNERU" << int(frmNeru::Command::ToolsCommsReprogramNERU);
        QTest::newRow("keys are case-sensitive") << "open" << -1;
        QTest::newRow("no key") << "" << -1;
    }

    void toolbarButtonRunsItsMenuCommand()
    {
        QFETCH(QString, key);
        QFETCH(int, command);
        const QList<int> &ran = connectEveryCommand();
        // Hidden and shown again, the toolbar keeps working.
        window().mnuViewToolbar->trigger();
        window().mnuViewToolbar->trigger();
        QVERIFY(window().mnuViewToolbar->isChecked());
        QAction stranger;
        stranger.setProperty("key", key);
        if (command < 0)
            window().tbrToolbar_ButtonClick(&stranger);
        else
            button(key)->trigger();
        QCOMPARE(ran, command < 0 ? QList<int>() : QList<int> { command });
    }

    // COM1 to COM4 are chosen on the menu (COM2, checked at start, is chosen again and
    // keeps its mark); other ports come from the store.
    void comPortEntries_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("checked");
        QTest::newRow("COM1") << 1 << "mnuToolsCommsCOM1";
        QTest::newRow("COM2 again") << 2 << "mnuToolsCommsCOM2";
        QTest::newRow("COM3") << 3 << "mnuToolsCommsCOM3";
        QTest::newRow("COM4") << 4 << "mnuToolsCommsCOM4";
        QTest::newRow("0 is the file mode") << 0 << "mnuToolsCommsTest";
        QTest::newRow("5") << 5 << "mnuToolsCommsTest";
        QTest::newRow("negative") << -2 << "mnuToolsCommsTest";
    }

    void comPortEntries()
    {
        QFETCH(int, port);
        QFETCH(QString, checked);
        if (port >= 1 && port <= 4)
            window().findChild<QAction *>(checked)->trigger();
        else
            window().SetCOMPort(qint16(port));
        QStringList on;
        for (QAction *a : window().mnuToolsComms->menu()->actions()) {
            if (a->isChecked())
                on << a->objectName();
        }
        QCOMPARE(on, QStringList { checked });
        QCOMPARE(int(m_startUp->intCOMPort), port >= 1 && port <= 4 ? port : 2);
    }

    // Steps: "load n" as the decoding of data sets the code and applies it, "choose n" as
    // the Units menu entry of code n. The calls are those of the last step.
    void unitsFollowTheDataAndTheMenu_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("unit"); // empty: nothing refreshed
        QTest::newRow("flow data") << QStringList { "load 1" } << "Xoo...."
                                   << "Flow (l/s)" << 1.0 << "l/s";
        QTest::newRow("m3/h") << QStringList { "load 1", "choose 2" } << "oXo...."
                              << "Flow (m3/h)" << 3.6 << "m3/h";
        QTest::newRow("m3/h again keeps its mark")
            << QStringList { "load 1", "choose 2", "choose 2" } << "oXo...."
            << "Flow (m3/h)" << 3.6 << "m3/h";
        QTest::newRow("pressure file after m3/h")
            << QStringList { "load 1", "choose 2", "load 4" } << "...Xooo"
            << "Press (Bar)" << 1.0 << "Bar";
        QTest::newRow("feet head") << QStringList { "load 4", "choose 7" } << "...oooX"
                                   << "Press (ft Hd)" << 33.44 << "ft Hd";
        QTest::newRow("code 0 only disables the entries")
            << QStringList { "load 5", "load 0" } << "......."
            << "Press (PSI)" << 14.5 << "";
    }

    void unitsFollowTheDataAndTheMenu()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, entries);
        QFETCH(QString, caption);
        QFETCH(double, factor);
        QFETCH(QString, unit);
        qint16 code = 0;
        for (const QString &step : steps) {
            m_calls.clear();
            code = qint16(step.section(u' ', 1).toInt());
            if (step.startsWith(QLatin1String("load"))) {
                window().intUnits() = code;
                window().SetUnits(window().intUnits());
            } else {
                window().mnuToolsUnitsEntries[size_t(code - 1)]->trigger();
            }
        }
        QCOMPARE(unitEntries(), entries);
        QCOMPARE(int(window().intUnits()), int(code));
        QCOMPARE(window().lblFlow->text(), caption);
        QCOMPARE(window().dblFlowScaleFactor(), factor);
        // The statistics take the unit, the graph returns to its full view (from any zoom)
        // and the statistics are worked out again.
        const QStringList refreshed { "units " + unit, "reset", "setup" };
        QCOMPARE(m_calls, unit.isEmpty() ? QStringList() : refreshed);
    }

    void statsOpenOnlyWithData()
    {
        window().mnuViewStats->trigger();
        QVERIFY(!m_calls.contains(QStringLiteral("showStats")));
        m_file->readImageFile(QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat"));
        m_file->processRecords(window().intUnits());
        QVERIFY(m_file->series().lngNumSamples > 0);
        window().mnuViewStats->trigger();
        QCOMPARE(m_calls.count(QStringLiteral("showStats")), 1);
    }

    void layoutFollowsTheBars_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<bool>("statusBar");
        QTest::newRow("both bars") << true << true;
        QTest::newRow("toolbar hidden") << false << true;
        QTest::newRow("status bar hidden") << true << false;
        QTest::newRow("both hidden") << false << false;
    }

    // Hiding the toolbar moves the plot's top up by the toolbar's height, hiding the status
    // bar moves its bottom down by the status bar's height; shown again, all is as it was.
    void layoutFollowsTheBars()
    {
        QFETCH(bool, toolbar);
        QFETCH(bool, statusBar);
        const double dpi = window().clientArea()->logicalDpiX();
        const QSize client(MainWindowLayout::twipsToPixels(9525, dpi),
                           MainWindowLayout::twipsToPixels(6150, dpi));
        showWithClient(client);
        const int toolbarHeight = window().tbrToolbar->sizeHint().height();
        const int statusHeight = window().staStatus->sizeHint().height();
        QCOMPARE(window().tbrToolbar->geometry(), QRect(0, 0, client.width(), toolbarHeight));
        QCOMPARE(window().staStatus->geometry(),
                 QRect(0, client.height() - statusHeight, client.width(), statusHeight));
        const QRect shown = window().Picture1->geometry();
        const auto toggle = [&] {
            if (!toolbar)
                window().mnuViewToolbar->trigger();
            if (!statusBar)
                window().mnuViewStatusBar->trigger();
        };
        toggle();
        QCOMPARE(window().tbrToolbar->isHidden(), !toolbar);
        QCOMPARE(window().staStatus->isHidden(), !statusBar);
        const QRect plot = window().Picture1->geometry();
        QVERIFY(qAbs(shown.top() - (toolbar ? 0 : toolbarHeight) - plot.top()) <= 1);
        QVERIFY(qAbs(shown.bottom() + (statusBar ? 0 : statusHeight) - plot.bottom()) <= 1);
        QCOMPARE(plot.left(), shown.left());
        QCOMPARE(plot.width(), shown.width());
        if (!toolbar && !statusBar) {
            QCOMPARE(plot, expectedPixels(QRect(1000, 455, 8070, 5040)));
            QCOMPARE(window().hsbTime->geometry(), expectedPixels(QRect(1255, 100, 7560, 255)));
            QCOMPARE(window().vsbFlow->geometry(), expectedPixels(QRect(9170, 710, 255, 4530)));
        }
        toggle();
        QCOMPARE(window().Picture1->geometry(), shown);
    }

    void resizeRedrawsButNotWhenMinimised()
    {
        int draws = 0;
        window().hooks.drawGraph = [&draws] { ++draws; };
        showWithClient(QSize(640, 480));
        QVERIFY(draws > 0);
        const QRect before = window().Picture1->geometry();
        window().setWindowState(Qt::WindowMinimized);
        QVERIFY(window().isMinimized());
        draws = 0;
        window().Form_Resize();
        QCOMPARE(draws, 0);
        QCOMPARE(window().Picture1->geometry(), before);
        window().setWindowState(Qt::WindowNoState);
        QVERIFY(draws > 0);
    }

    void smallWindowStaysUsable()
    {
        showWithClient(QSize(700, 500));
        window().resize(20, 20);
        QCoreApplication::processEvents();
        const QSize minimum = window().clientArea()->minimumSize();
        QVERIFY(minimum.width() > 0 && minimum.height() > 0);
        QVERIFY(window().clientArea()->width() >= minimum.width());
        QVERIFY(window().clientArea()->height() >= minimum.height());
        QVERIFY(window().hsbTime->width() > 0);
        QVERIFY(window().vsbFlow->height() > 0);
        QVERIFY(window().vsbFlow->x() >= window().Picture1->geometry().right());
    }

    void replacingThePlotKeepsItsPlace()
    {
        showWithClient(QSize(640, 480));
        const QRect place = window().Picture1->geometry();
        auto *graph = new QWidget;
        window().setPicture1(graph);
        QCOMPARE(window().Picture1, graph);
        QCOMPARE(graph->parentWidget(), window().clientArea());
        QCOMPARE(graph->geometry(), place);
        window().resize(window().size() + QSize(30, 30));
        QTRY_VERIFY(graph->width() > place.width());
    }
};

QTEST_MAIN(tst_frmNeru)
#include "tst_frmNeru.moc"
