#include "data/FileProcessing.h"
#include "shell/General.h"
#include "shell/MainWindowLayout.h"
#include "shell/SettingsStore.h"
#include "shell/StartUpSettings.h"
#include "shell/StringTable.h"
#include "shell/frmNeru.h"
#include "shell/ErrorReport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
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
    QTemporaryDir m_logDir;
    std::unique_ptr<ErrorReport> m_log;
    std::unique_ptr<General> m_general;
    std::unique_ptr<StartUpSettings> m_startUp;
    std::unique_ptr<FileProcessing> m_file;
    std::unique_ptr<frmNeru> m_window;
    QStringList m_calls;

    frmNeru &window() { return *m_window; }

    static QStringList names(const QList<QAction *> &actions)
    {
        QStringList out;
        for (QAction *a : actions)
            out << a->objectName();
        return out;
    }

    static QStringList captions(const QList<QAction *> &actions)
    {
        QStringList out;
        for (QAction *a : actions)
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
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

    static QString appName() { return SettingsStore::applicationName(); }

private slots:
    void init()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("neru"), appName())
            .clear();
        m_calls.clear();
        m_log = std::make_unique<ErrorReport>(m_logDir.filePath(QStringLiteral("events.log")));
        m_general = std::make_unique<General>(m_strings);
        m_startUp = std::make_unique<StartUpSettings>();
        m_startUp->strDefaultDir = QStringLiteral("/srv/logs/");
        m_file = std::make_unique<FileProcessing>(*m_log);
        m_window = std::make_unique<frmNeru>(m_strings, *m_general, *m_startUp, *m_file,
                                             *m_log);
        m_window->hooks.ResetForm = [this] { m_calls << QStringLiteral("ResetForm"); };
        m_window->hooks.setStatsUnits = [this](const QString &unit) {
            m_calls << QStringLiteral("units ") + unit;
        };
        m_window->hooks.statsSetup = [this] { m_calls << QStringLiteral("setup"); };
        m_window->hooks.showStats = [this] { m_calls << QStringLiteral("showStats"); };
        m_window->setCommand(frmNeru::Command::ViewReset,
                             [this] { m_calls << QStringLiteral("reset"); });
        m_window->Form_Load();
    }

    void cleanup() { m_window.reset(); }

    void menuBarInOrder()
    {
        QCOMPARE(names(window().menuBar()->actions()),
                 QStringList({"mnuFile", "mnuEdit", "mnuView", "mnuTools", "mnuHelp"}));
        QCOMPARE(captions(window().menuBar()->actions()),
                 QStringList({"&File", "&Edit", "&View", "&Tools", "&Help"}));
    }

    void menusInOrder_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("File") << "mnuFile"
                              << QStringList{"mnuFileOpen", "mnuFileSep2", "mnuFileExport",
                                             "mnuFileSep3", "mnuFilePrint", "mnuFileSep4",
                                             "mnuFileExit"}
                              << QStringList{"&Open...", "-", "&Export...", "-", "&Print", "-",
                                             "E&xit"};
        QTest::newRow("File > Print") << "mnuFilePrint"
                                      << QStringList{"mnuFilePrintGraph", "mnuFilePrintTable"}
                                      << QStringList{"&Graph", "&Table"};
        QTest::newRow("Edit") << "mnuEdit"
                              << QStringList{"mnuEditCopyGraph", "mnuEditCopyText"}
                              << QStringList{"Copy &Graph", "Copy &Text"};
        QTest::newRow("View") << "mnuView"
                              << QStringList{"mnuViewReset", "mnuViewStats", "mnuViewToolbar",
                                             "mnuViewStatusBar"}
                              << QStringList{"&Reset", "&Stats", "&Toolbar", "Status &Bar"};
        QTest::newRow("Tools") << "mnuTools" << QStringList{"mnuToolsComms", "mnuToolsUnits"}
                               << QStringList{"&Comms", "&Units"};
        QTest::newRow("Tools > Comms")
            << "mnuToolsComms"
            << QStringList{"mnuToolsCommsInterrogate", "mnuToolsCommsProgramRTC",
                           "mnuToolsCommsReprogramNERU", "mnuToolsCommsCOM1",
                           "mnuToolsCommsCOM2", "mnuToolsCommsCOM3", "mnuToolsCommsCOM4",
                           "mnuToolsCommsTest"}
            << QStringList{"&Interrogate NERU", "&Program NERU RTC", "&Reprogram NERU",
                           "COM&1", "COM&2", "COM&3", "COM&4", "&Test"};
        QTest::newRow("Tools > Units")
            << "mnuToolsUnits"
            << QStringList{"mnuToolsUnitsLitres", "mnuToolsUnitsMetres3", "mnuToolsUnitsGals",
                           "mnuToolsUnitsBar", "mnuToolsUnitsPSI", "mnuToolsUnitsMetre",
                           "mnuToolsUnitsFeet"}
            << QStringList{"&l/s", "&m3/h", "&gals/h", "&Bar", "&PSI", "Me&tre Head",
                           "&Feet Head"};
        QTest::newRow("Help") << "mnuHelp"
                              << QStringList{"mnuHelpContents", "mnuHelpSearch", "mnuHelpSep1",
                                             "mnuHelpAbout"}
                              << QStringList{"&Contents...", "&Search...", "-", "&About..."};
    }

    void menusInOrder()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, texts);
        auto *entry = window().findChild<QAction *>(menu);
        QVERIFY(entry);
        QVERIFY(entry->menu());
        QCOMPARE(names(entry->menu()->actions()), entries);
        QCOMPARE(captions(entry->menu()->actions()), texts);
    }

    void everyTaggedCaptionComesFromTheTable()
    {
        int tagged = 0;
        for (QAction *a : window().findChildren<QAction *>()) {
            bool ok = false;
            const int tag = a->property(General::kTagProperty).toString().toInt(&ok);
            if (!ok || tag <= 0)
                continue;
            ++tagged;
            if (General::typeName(*a) == QLatin1String("Button")) {
                QCOMPARE(a->text(), QString());
                QCOMPARE(a->toolTip(), m_strings.text(tag + 1));
            } else {
                QCOMPARE(a->text(), m_strings.text(tag));
            }
        }
        // 5 menus, 3 submenus, 28 entries and 7 toolbar buttons.
        QCOMPARE(tagged, 43);
    }

    void checkMarksAndStatesAtStart()
    {
        QVERIFY(window().mnuViewToolbar->isChecked());
        QVERIFY(window().mnuViewStatusBar->isChecked());
        QVERIFY(window().mnuToolsCommsCOM2->isChecked());
        QVERIFY(!window().mnuToolsCommsTest->isVisible());
        for (QAction *unit : window().mnuToolsUnitsEntries) {
            QVERIFY(!unit->isChecked());
            QVERIFY(!unit->isEnabled());
        }
        QCOMPARE(window().dblFlowScaleFactor(), 1.0);
        QCOMPARE(int(window().intUnits()), 0);
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Flow (l/s)"));
        QCOMPARE(window().windowTitle(), QStringLiteral("NERU Program: Unnamed"));
        QCOMPARE(m_calls, QStringList{"ResetForm"});
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
        const QList<QAction *> actions = window().tbrToolbar->actions();
        QStringList keys;
        QStringList tags;
        for (QAction *a : actions) {
            keys << (a->isSeparator() ? QStringLiteral("-") : a->property("key").toString());
            tags << a->property(General::kTagProperty).toString();
            if (!a->isSeparator()) {
                QVERIFY(!a->icon().isNull());
                QVERIFY(a->text().isEmpty());
            }
        }
        QCOMPARE(keys, QStringList({"Open", "Print", "-", "Copy", "CopyText", "-", "Interrogate",
                                    "ProgramRTC", "ReprogramNERU"}));
        QCOMPARE(tags, QStringList({"21000", "21010", "", "21020", "21030", "", "21040", "21050",
                                    "21060"}));
        QCOMPARE(button(QStringLiteral("Interrogate"))->toolTip(),
                 QStringLiteral("Interrogate NERU"));
        QCOMPARE(button(QStringLiteral("CopyText"))->toolTip(), QStringLiteral("Copy Text"));
    }

    void toolbarButtonRunsItsMenuCommand_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("command");
        QTest::newRow("Open") << "Open" << int(frmNeru::Command::FileOpen);
        QTest::newRow("Print prints the graph") << "Print" << int(frmNeru::Command::FilePrintGraph);
        QTest::newRow("Copy copies the graph") << "Copy" << int(frmNeru::Command::EditCopyGraph);
        QTest::newRow("CopyText") << "CopyText" << int(frmNeru::Command::EditCopyText);
        QTest::newRow("Interrogate") << "Interrogate"
                                     << int(frmNeru::Command::ToolsCommsInterrogate);
        QTest::newRow("ProgramRTC") << "ProgramRTC" << int(frmNeru::Command::ToolsCommsProgramRTC);
        QTest::newRow("ReprogramNERU") << "ReprogramNERU"
                                       << int(frmNeru::Command::ToolsCommsReprogramNERU);
    }

    void toolbarButtonRunsItsMenuCommand()
    {
        QFETCH(QString, key);
        QFETCH(int, command);
        QList<int> ran;
        for (int c = 0; c <= int(frmNeru::Command::ToolsCommsReprogramNERU); ++c)
            window().setCommand(frmNeru::Command(c), [&ran, c] { ran << c; });
        // Hidden and shown again, the toolbar keeps working.
        window().mnuViewToolbar->trigger();
        window().mnuViewToolbar->trigger();
        QVERIFY(window().mnuViewToolbar->isChecked());
        button(key)->trigger();
        QCOMPARE(ran, QList<int>{command});
    }

    void unknownToolbarKeyDoesNothing()
    {
        QList<int> ran;
        for (int c = 0; c <= int(frmNeru::Command::ToolsCommsReprogramNERU); ++c)
            window().setCommand(frmNeru::Command(c), [&ran, c] { ran << c; });
        QAction other;
        other.setProperty("key", QStringLiteral("open")); // keys are case-sensitive
        window().tbrToolbar_ButtonClick(&other);
        window().tbrToolbar_ButtonClick(nullptr);
        QVERIFY(ran.isEmpty());
    }

    void setCOMPortChecksOneEntry_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("checked");
        QTest::newRow("1") << 1 << "mnuToolsCommsCOM1";
        QTest::newRow("2") << 2 << "mnuToolsCommsCOM2";
        QTest::newRow("3") << 3 << "mnuToolsCommsCOM3";
        QTest::newRow("4") << 4 << "mnuToolsCommsCOM4";
        QTest::newRow("0 is the file mode") << 0 << "mnuToolsCommsTest";
        QTest::newRow("5") << 5 << "mnuToolsCommsTest";
        QTest::newRow("negative") << -2 << "mnuToolsCommsTest";
    }

    void setCOMPortChecksOneEntry()
    {
        QFETCH(int, port);
        QFETCH(QString, checked);
        window().SetCOMPort(qint16(port));
        QStringList on;
        for (QAction *a : window().mnuToolsComms->menu()->actions()) {
            if (a->isChecked())
                on << a->objectName();
        }
        QCOMPARE(on, QStringList{checked});
    }

    void choosingAPortMovesTheCheckMark()
    {
        window().mnuToolsCommsCOM3->trigger();
        QCOMPARE(int(m_startUp->intCOMPort), 3);
        QVERIFY(window().mnuToolsCommsCOM3->isChecked());
        QVERIFY(!window().mnuToolsCommsCOM2->isChecked());
        // Choosing the checked entry again keeps it checked.
        window().mnuToolsCommsCOM3->trigger();
        QVERIFY(window().mnuToolsCommsCOM3->isChecked());
        QCOMPARE(int(m_startUp->intCOMPort), 3);
    }

    void flowDataOffersFlowUnits()
    {
        window().intUnits() = 1; // as the decoding of a flow district sets it
        window().SetUnits(window().intUnits());
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Flow (l/s)"));
        QCOMPARE(m_calls, QStringList({"ResetForm", "units l/s", "reset", "setup"}));
        const auto &units = window().mnuToolsUnitsEntries;
        QVERIFY(units[0]->isChecked());
        for (size_t i = 0; i < units.size(); ++i)
            QCOMPARE(units[i]->isEnabled(), i < 3);

        m_calls.clear();
        units[1]->trigger();
        QCOMPARE(int(window().intUnits()), 2);
        QCOMPARE(window().dblFlowScaleFactor(), 3.6);
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Flow (m3/h)"));
        QCOMPARE(m_calls, QStringList({"units m3/h", "reset", "setup"}));
        QVERIFY(units[1]->isChecked());
        QVERIFY(!units[0]->isChecked());

        // Choosing the checked unit again keeps its check mark.
        units[1]->trigger();
        QVERIFY(units[1]->isChecked());
    }

    void pressureFileAfterFlowSwitchesToBar()
    {
        window().intUnits() = 1;
        window().SetUnits(1);
        window().mnuToolsUnitsEntries[1]->trigger();
        window().intUnits() = 4;
        window().SetUnits(window().intUnits());
        const auto &units = window().mnuToolsUnitsEntries;
        for (size_t i = 0; i < units.size(); ++i) {
            QCOMPARE(units[i]->isChecked(), i == 3);
            QCOMPARE(units[i]->isEnabled(), i >= 3);
        }
        QCOMPARE(window().dblFlowScaleFactor(), 1.0);
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Press (Bar)"));
        units[6]->trigger();
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Press (ft Hd)"));
        QCOMPARE(window().dblFlowScaleFactor(), 33.44);
    }

    void codeZeroOnlyDisablesTheEntries()
    {
        window().SetUnits(5);
        m_calls.clear();
        window().SetUnits(0);
        QCOMPARE(window().lblFlow->text(), QStringLiteral("Press (PSI)"));
        QCOMPARE(window().dblFlowScaleFactor(), 14.5);
        QVERIFY(m_calls.isEmpty());
        for (QAction *unit : window().mnuToolsUnitsEntries)
            QVERIFY(!unit->isEnabled() && !unit->isChecked());
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

    void layoutWithBothBarsHidden()
    {
        window().mnuViewToolbar->trigger();
        window().mnuViewStatusBar->trigger();
        QVERIFY(window().tbrToolbar->isHidden());
        QVERIFY(window().staStatus->isHidden());
        const double dpi = window().clientArea()->logicalDpiX();
        showWithClient(QSize(MainWindowLayout::twipsToPixels(9525, dpi),
                             MainWindowLayout::twipsToPixels(6150, dpi)));
        QCOMPARE(window().Picture1->geometry(), expectedPixels(QRect(1000, 455, 8070, 5040)));
        if (qFuzzyCompare(dpi, 96.0))
            QCOMPARE(window().Picture1->geometry(), QRect(67, 30, 538, 336));
    }

    void layoutFollowsTheBars()
    {
        const double dpi = window().clientArea()->logicalDpiX();
        showWithClient(QSize(700, 500));
        const int toolbar = window().tbrToolbar->sizeHint().height();
        const int status = window().staStatus->sizeHint().height();
        MainWindowLayout::Input in;
        in.clientWidth = MainWindowLayout::pixelsToTwips(700, dpi);
        in.clientHeight = MainWindowLayout::pixelsToTwips(500, dpi);
        in.toolbarHeight = MainWindowLayout::pixelsToTwips(toolbar, dpi);
        in.statusBarHeight = MainWindowLayout::pixelsToTwips(status, dpi);
        const auto expect = [&](bool t, bool s) {
            in.toolbarChecked = t;
            in.statusBarChecked = s;
            return MainWindowLayout::setControls(in);
        };
        QCOMPARE(window().Picture1->geometry(), expectedPixels(expect(true, true).Picture1));
        QCOMPARE(window().vsbFlow->geometry(), expectedPixels(expect(true, true).vsbFlow));
        QCOMPARE(window().hsbTime->geometry(), expectedPixels(expect(true, true).hsbTime));
        QCOMPARE(window().tbrToolbar->geometry(), QRect(0, 0, 700, toolbar));
        QCOMPARE(window().staStatus->geometry(), QRect(0, 500 - status, 700, status));
        const QRect both = window().Picture1->geometry();

        window().mnuViewToolbar->trigger();
        QVERIFY(!window().mnuViewToolbar->isChecked());
        QVERIFY(window().tbrToolbar->isHidden());
        QCOMPARE(window().Picture1->geometry(), expectedPixels(expect(false, true).Picture1));
        QVERIFY(window().Picture1->y() < both.y());
        QVERIFY(qAbs(window().Picture1->geometry().bottom() - both.bottom()) <= 1);

        window().mnuViewToolbar->trigger();
        window().mnuViewStatusBar->trigger();
        QVERIFY(window().staStatus->isHidden());
        QCOMPARE(window().Picture1->geometry(), expectedPixels(expect(true, false).Picture1));
        QCOMPARE(window().Picture1->y(), both.y());
        QVERIFY(window().Picture1->height() > both.height());

        window().mnuViewStatusBar->trigger();
        QVERIFY(!window().staStatus->isHidden());
        QCOMPARE(window().Picture1->geometry(), both);
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

    void closingSavesTheSettings()
    {
        bool unloaded = false;
        window().hooks.unloaded = [&unloaded] { unloaded = true; };
        window().mnuToolsCommsCOM4->trigger();
        window().show();
        window().mnuFileExit->trigger();
        QVERIFY(unloaded);
        QVERIFY(!window().isVisible());
        SettingsStore store(appName());
        QCOMPARE(store.read("StartUp", "COMPort", "absent"), QStringLiteral("4"));
        QCOMPARE(store.read("StartUp", "DefaultDir", "absent"), QStringLiteral("/srv/logs/"));
    }

    void fileModePortIsNotSaved()
    {
        window().mnuToolsCommsTest_Click();
        QVERIFY(window().mnuToolsCommsTest->isChecked());
        window().close();
        SettingsStore store(appName());
        QCOMPARE(store.read("StartUp", "COMPort", "absent"), QStringLiteral("absent"));
        QCOMPARE(store.read("StartUp", "DefaultDir", "absent"), QStringLiteral("/srv/logs/"));
    }

    void aboutAsksForTheSplash()
    {
        int abouts = 0;
        window().hooks.showAbout = [&abouts] { ++abouts; };
        window().mnuHelpAbout->trigger();
        QCOMPARE(abouts, 1);
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
