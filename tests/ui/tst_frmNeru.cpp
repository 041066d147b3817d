#include "General.h"
#include "PlotFixture.h"
#include "MainWindowLayout.h"
#include "NeruModel.h"
#include "frmNeru.h"

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
#include <vector>

// The main window over its model: menus, toolbar, the commands it hands on as signals,
// the unit and port entries, and its layout in twips with the view toggles.
class tst_frmNeru : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    const General m_general { m_strings };
    TempLog m_log;
    ScriptedPrompts m_prompts;
    std::unique_ptr<NeruModel> m_model;
    std::unique_ptr<frmNeru> m_window;
    std::vector<std::unique_ptr<QSignalSpy>> m_spies; // one a signal of the window

    frmNeru &window() { return *m_window; }
    QAction *action(const QString &name) { return window().findChild<QAction *>(name); }

    // The window's signals emitted since the last forget(), once per emission.
    QStringList fired() const
    {
        QStringList out;
        for (const auto &spy : m_spies) {
            for (qsizetype i = 0; i < spy->count(); ++i)
                out << QString::fromLatin1(spy->signal()).section(u'(', 0, 0);
        }
        return out;
    }
    void forget()
    {
        for (const auto &spy : m_spies)
            spy->clear();
    }

    // "objectName caption" of each entry ("-" for a separator's), a submenu's indented.
    static void describe(const QList<QAction *> &actions, QStringList &out, int depth = 0)
    {
        for (QAction *a : actions) {
            out << QString(depth, u' ') + a->objectName() + u' '
                    + (a->isSeparator() ? QStringLiteral("-") : a->text());
            if (a->menu())
                describe(a->menu()->actions(), out, depth + 1);
        }
    }

private slots:
    void init()
    {
        m_model = std::make_unique<NeruModel>(m_strings, m_log.report, m_prompts);
        m_window = std::make_unique<frmNeru>(m_strings, m_general, *m_model);
        m_window->Form_Load();
        m_spies.clear();
        const QMetaObject &meta = frmNeru::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                m_spies.push_back(std::make_unique<QSignalSpy>(m_window.get(), meta.method(i)));
        }
    }

    void cleanup() { m_window.reset(); }

    void menusInOrder()
    {
        QStringList menus;
        describe(window().menuBar()->actions(), menus);
        // In menu order; a submenu's entries are indented by one space more.
        QCOMPARE(
            menus.join(u'|') + u'|',
            QStringLiteral(
                "mnuFile &File| mnuFileOpen &Open...| mnuFileSep2 -| mnuFileExport &Export...|"
                " mnuFileSep3 -| mnuFilePrint &Print|"
                "  mnuFilePrintGraph &Graph|  mnuFilePrintTable &Table|"
                " mnuFileSep4 -| mnuFileExit E&xit|"
                "mnuEdit &Edit| mnuEditCopyGraph Copy &Graph| mnuEditCopyText Copy &Text|"
                "mnuView &View| mnuViewReset &Reset| mnuViewStats &Stats|"
                " mnuViewToolbar &Toolbar| mnuViewStatusBar Status &Bar|"
                "mnuTools &Tools| mnuToolsComms &Comms|"
                "  mnuToolsCommsInterrogate &Interrogate NERU|"
                "  mnuToolsCommsProgramRTC &Program NERU RTC|"
                "  mnuToolsCommsReprogramNERU &Reprogram NERU|  mnuToolsCommsCOM1 COM&1|"
                "  mnuToolsCommsCOM2 COM&2|  mnuToolsCommsCOM3 COM&3|"
                "  mnuToolsCommsCOM4 COM&4|  mnuToolsCommsTest &Test|"
                " mnuToolsUnits &Units|  mnuToolsUnitsLitres &l/s|  mnuToolsUnitsMetres3 &m3/h|"
                "  mnuToolsUnitsGals &gals/h|  mnuToolsUnitsBar &Bar|  mnuToolsUnitsPSI &PSI|"
                "  mnuToolsUnitsMetre Me&tre Head|  mnuToolsUnitsFeet &Feet Head|"
                "mnuHelp &Help| mnuHelpContents &Contents...| mnuHelpSearch &Search...|"
                " mnuHelpSep1 -| mnuHelpAbout &About...|"));
    }

    // No file and no data yet: a command stays disabled, with its button, until the
    // program enables it, no unit can be chosen, and View > Stats shows nothing.
    void stateAtStart()
    {
        QCOMPARE(window().windowTitle(), QStringLiteral("NERU Program: Unnamed"));
        QVERIFY(!window().mnuToolsCommsTest->isVisible());
        for (const char *off : { "mnuFileOpen", "mnuFileExport", "mnuFilePrintTable",
                                 "mnuViewReset", "mnuToolsCommsReprogramNERU", "mnuHelpContents",
                                 "tbrToolbarOpen", "tbrToolbarCopy" })
            QVERIFY2(!action(QLatin1String(off))->isEnabled(), off);
        QVERIFY(window().mnuViewStats->isEnabled() && window().mnuHelpAbout->isEnabled());
        for (QAction *unit : window().mnuToolsUnitsEntries)
            QVERIFY(!unit->isEnabled() && !unit->isChecked());
        window().mnuViewStats->trigger();
        QCOMPARE(fired(), QStringList());
        m_model->openDataFile(QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat"));
        forget();
        window().mnuViewStats->trigger();
        QCOMPARE(fired(), QStringList { "statsRequested" });
    }

    // Key, menu entry, signal.
    void toolbarButtonRunsItsMenuCommand_data()
    {
        QTest::addColumn<QString>("data");
        QTest::newRow("Open") << QStringLiteral("Open mnuFileOpen openRequested");
        QTest::newRow("Print") << QStringLiteral("Print mnuFilePrintGraph printGraphRequested");
        QTest::newRow("Copy") << QStringLiteral("Copy mnuEditCopyGraph copyGraphRequested");
        QTest::newRow("CopyText") << QStringLiteral("CopyText mnuEditCopyText copyTextRequested");
        QTest::newRow("Interrogate")
            << QStringLiteral("Interrogate mnuToolsCommsInterrogate interrogateRequested");
        QTest::newRow("ProgramRTC")
            << QStringLiteral("ProgramRTC mnuToolsCommsProgramRTC programRTCRequested");
        QTest::newRow("ReprogramNERU")
            << QStringLiteral("ReprogramNERU mnuToolsCommsReprogramNERU reprogramNERURequested");
    }

    void toolbarButtonRunsItsMenuCommand()
    {
        QFETCH(QString, data);
        const QStringList row = data.split(u' ');
        for (QAction *a : window().findChildren<QAction *>()) {
            if (a->objectName().startsWith(QLatin1String("mnu")))
                window().setCommandEnabled(a, true);
        }
        // The buttons follow their entries; hidden and shown again, the toolbar still works.
        window().mnuViewToolbar->trigger();
        window().mnuViewToolbar->trigger();
        forget();
        QAction *button = action(QStringLiteral("tbrToolbar") + row[0]);
        QVERIFY(!button->icon().isNull() && button->text().isEmpty()); // a picture, no caption
        button->trigger();
        QCOMPARE(fired(), QStringList { row[2] });
        action(row[1])->trigger();
        QCOMPARE(fired(), (QStringList { row[2], row[2] }));
    }

    // Steps: "model n" applies code n as a load of data does, "choose n" is the Units
    // entry of code n. Then the entries (X checked, o enabled, . neither), the caption, the
    // returns to the full view of the last step and the factor in force.
    void unitsFollowTheModelAndTheMenu_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("m3/h again keeps its mark")
            << QStringLiteral("model 1,choose 2,choose 2|oXo....|Flow (m3/h)|1|3.6");
        QTest::newRow("kgal/h") << QStringLiteral("model 1,choose 3|ooX....|Flow (kgal/h)|1|0.792");
        QTest::newRow("pressure data after m3/h")
            << QStringLiteral("model 1,choose 2,model 4|...Xooo|Press (Bar)|1|1");
        QTest::newRow("code 0 only disables the entries")
            << QStringLiteral("model 5,model 0|.......|Press (PSI)|0|1");
    }

    void unitsFollowTheModelAndTheMenu()
    {
        QFETCH(QString, row);
        const QStringList expected = row.split(u'|');
        for (const QString &step : expected[0].split(u',')) {
            forget();
            const auto code = qint16(step.section(u' ', 1).toInt());
            if (step.startsWith(QLatin1String("model")))
                m_model->SetUnits(code);
            else
                window().mnuToolsUnitsEntries[size_t(code - 1)]->trigger();
        }
        QString shown;
        for (QAction *e : window().mnuToolsUnitsEntries)
            shown += e->isChecked() ? u'X' : (e->isEnabled() ? u'o' : u'.');
        QCOMPARE(shown, expected[1]);
        QCOMPARE(window().lblFlow->text(), expected[2]);
        QCOMPARE(fired(), QStringList(expected[3].toInt(), QStringLiteral("viewResetRequested")));
        QCOMPARE(m_model->dblFlowScaleFactor(), expected[4].toDouble());
    }

    // The layout in twips on the design's client area (9525 x 6150), toolbar (360) and
    // status bar (405).
    void controlsAroundThePlot()
    {
        const auto r = MainWindowLayout::setControls(
            MainWindowLayout::Input { 9525, 6150, 360, 405, true, true });
        QCOMPARE(r.Picture1, QRect(1000, 815, 8070, 4275));
        QCOMPARE(r.hsbTime, QRect(1255, 460, 7560, 255));
        QCOMPARE(r.cmdTimeZoomOut, QRect(1000, 460, 255, 255));
        QCOMPARE(r.cmdTimeZoomIn, QRect(8815, 460, 255, 255)); // right edge on the plot's
        QCOMPARE(r.lblFlow, QRect(0, 460, 975, 255));
        QCOMPARE(r.vsbFlow, QRect(9170, 1070, 255, 3765));
        QCOMPARE(r.cmdFlowZoomIn, QRect(9170, 815, 255, 255));
        QCOMPARE(r.cmdFlowZoomOut, QRect(9170, 4835, 255, 255));
        // Axes, ticks and labels.
        QCOMPARE(r.linFlowAxis, QLine(900, 815, 900, 5090));
        QCOMPARE(r.linFlowMid, QLine(900, 2953, 800, 2953)); // 2137.5 to the even
        QCOMPARE(r.linFlowMin, QLine(900, 5080, 800, 5080));
        // 35 left of the client edge, centred on its tick: 255 / 2 = 127.5 gives 128.
        QCOMPARE(r.lblFlowMax, QRect(-35, 687, 735, 255));
        QCOMPARE(r.lblFlowMin, QRect(-35, 4952, 735, 255));
        QCOMPARE(r.linTimeAxis, QLine(1000, 5190, 9070, 5190));
        QCOMPARE(r.linTimeMin, QLine(1000, 5190, 1000, 5290));
        QCOMPARE(r.linTimeMid, QLine(5035, 5190, 5035, 5290));
        QCOMPARE(r.linTimeMax, QLine(9070, 5190, 9070, 5290));
        QCOMPARE(r.lblTimeMin, QRect(600, 5290, 1080, 555));
        QCOMPARE(r.lblTimeMid, QRect(4495, 5290, 1080, 555));
        QCOMPARE(r.lblTimeMax, QRect(8390, 5290, 1080, 555));
        // Twips and pixels, rounded to the nearest, a tie to the even.
        QCOMPARE(MainWindowLayout::twipsToPixels(9525, 144.0), 952);
        QCOMPARE(MainWindowLayout::twipsToPixels(-35, 96.0), -2);
        QCOMPARE(MainWindowLayout::pixelsToTwips(27, 96.0), 405);
        QCOMPARE(MainWindowLayout::pixelsToTwips(1, 192.0), 8);
        QCOMPARE(MainWindowLayout::pixelsToTwips(10, 0.0), 0);
        QCOMPARE(MainWindowLayout::widthToTwips(1, 1000.0), 2); // 1.44 up
        // A caption 300 wider than its box: scroll bar 300 right, least width 300 more.
        const MainWindowLayout::Input wide { 9525, 6150, 360, 405, true, true, 1275 };
        QCOMPARE(MainWindowLayout::setControls(wide).hsbTime, QRect(1555, 460, 7260, 255));
        QCOMPARE(MainWindowLayout::minimumClientSize(wide), QSize(2775, 2895));
        // Empty, narrower than 1965, lower than 1620 plus the bars: no control gets a
        // negative size, and the controls keep their order around the plot.
        for (const QSize client : { QSize(0, 0), QSize(1500, 6150), QSize(9525, 1800) }) {
            const auto r = MainWindowLayout::setControls(
                MainWindowLayout::Input { client.width(), client.height(), 360, 405, true, true });
            for (const QRect &rect : { r.Picture1, r.hsbTime, r.cmdTimeZoomOut, r.cmdTimeZoomIn,
                                       r.vsbFlow, r.cmdFlowZoomIn, r.cmdFlowZoomOut })
                QVERIFY(rect.width() >= 0 && rect.height() >= 0);
            QVERIFY(r.vsbFlow.x() >= r.Picture1.x() + r.Picture1.width());
            QVERIFY(r.cmdFlowZoomOut.y() >= r.vsbFlow.y());
        }
    }

    // In the default window the long captions (m3/h, kgal/h, m Hd, ft Hd) show whole: the
    // box holds the text, the time zoom-out button and scroll bar start right of it, the
    // scroll bar keeps its right end and the plot stays.
    void longCaptionShowsWhole()
    {
        window().show(); // at its default size
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QRect plot = window().Picture1->geometry();
        const int barEnd = window().hsbTime->geometry().right();
        for (const qint16 code : { 2, 3, 6, 7 }) {
            m_model->SetUnits(code);
            const QLabel *label = window().lblFlow;
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->text()));
            const int labelEnd = label->x() + label->width(); // on one row: no overlap
            QVERIFY(window().cmdTimeZoomOut->x() >= labelEnd && window().hsbTime->x() >= labelEnd);
            QCOMPARE(window().hsbTime->geometry().right(), barEnd);
            QCOMPARE(window().Picture1->geometry(), plot);
        }
    }

    // With both bars hidden the plot and its scroll bars take their strips; shown again, all
    // is as it was.
    void layoutFollowsTheBars()
    {
        const double dpi = window().clientArea()->logicalDpiX();
        auto pixels = [dpi](const QRect &twips) { return MainWindowLayout::toPixels(twips, dpi); };
        const QSize client = pixels(QRect(0, 0, 9525, 6150)).size();
        window().show();
        window().resize(client + window().size() - window().clientArea()->size());
        QTRY_COMPARE(window().clientArea()->size(), client);
        const QRect shown = window().Picture1->geometry();
        QCOMPARE(window().staStatus->geometry().bottom(), window().clientArea()->height() - 1);
        window().mnuViewToolbar->trigger();
        window().mnuViewStatusBar->trigger();
        QVERIFY(window().tbrToolbar->isHidden() && window().staStatus->isHidden());
        QCOMPARE(window().Picture1->geometry(), pixels(QRect(1000, 455, 8070, 5040)));
        QCOMPARE(window().hsbTime->geometry(), pixels(QRect(1255, 100, 7560, 255)));
        QCOMPARE(window().vsbFlow->geometry(), pixels(QRect(9170, 710, 255, 4530)));
        window().mnuViewToolbar->trigger();
        window().mnuViewStatusBar->trigger();
        QCOMPARE(window().Picture1->geometry(), shown);
        // The window shrinks no further than leaves room for the scroll bars.
        window().resize(20, 20);
        QTRY_COMPARE(window().clientArea()->size(), window().clientArea()->minimumSize());
        QVERIFY(window().hsbTime->width() > 0);
        QVERIFY(window().vsbFlow->height() > 0);
        QVERIFY(window().vsbFlow->x() >= window().Picture1->geometry().right());
    }
};

QTEST_MAIN(tst_frmNeru)
#include "tst_frmNeru.moc"
