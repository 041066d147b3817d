#include "GraphExportDialog.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowGraph.h"
#include "MainWindowLayout.h"
#include "NeruModel.h"
#include "PlotController.h"
#include "PlotFixture.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

// The main window over its model: menus, toolbar, enabled commands, units, ports, layout.
class tst_MainWindow : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    TempLog m_log;
    ScriptedPrompts m_prompts;
    std::unique_ptr<NeruModel> m_model;
    std::unique_ptr<MainWindow> m_window;

    MainWindow &window() { return *m_window; }
    MainWindowActions &actions() { return m_window->actions(); }
    template<typename Widget> Widget *widget(const char *name)
    {
        return m_window->findChild<Widget *>(QLatin1String(name));
    }

    // Each entry's caption ("-" a separator, a submenu's indented) and its first shortcut;
    // with `off`, the disabled.
    static void describe(const QList<QAction *> &actions, QStringList &out, bool off = false,
                         int depth = 0)
    {
        for (QAction *a : actions) {
            if (!off)
                out << QString(depth, u' ') + (a->isSeparator() ? QStringLiteral("-") : a->text())
                        + (a->shortcut().isEmpty() ? QString() : u' ' + a->shortcut().toString());
            else if (!a->isEnabled() && !a->menu())
                out << a->text();
            if (a->menu())
                describe(a->menu()->actions(), out, off, depth + 1);
        }
    }
    QString menusOff()
    {
        QStringList off;
        describe(window().menuBar()->actions(), off, true);
        return off.join(u'|');
    }

private slots:
    void init()
    {
        m_model = std::make_unique<NeruModel>(m_strings, m_log.report, m_prompts);
        m_window = std::make_unique<MainWindow>(m_strings, *m_model);
        m_window->initialise();
    }

    void cleanup() { m_window.reset(); }

    void menusInOrder()
    {
        QStringList menus;
        describe(window().menuBar()->actions(), menus);
        QCOMPARE(menus.join(u'|') + u'|',
                 QStringLiteral("&File| &Open... Ctrl+O| -| &Export... Ctrl+E| Export &As...|"
                                " Export &Graph...| -| &Print|  &Graph Ctrl+P|"
                                "  &Table Ctrl+Shift+P| -| Recent &Files| -| E&xit Ctrl+Q|&Edit|"
                                " Copy &Graph Ctrl+C| Copy &Text Ctrl+Shift+C|&View| &Reset|"
                                " &Stats|"
                                " &Night Flow...| &Toolbar| Status &Bar| Night S&hading| &Grid|"
                                " Fit &Values|&Tools|"
                                " &Comms|"
                                "  &Interrogate NERU Ctrl+I|"
                                "  &Program NERU RTC|  &Reprogram NERU|  COM&1|  COM&2|  COM&3|"
                                "  COM&4|  &Test|  Choose P&ort...| &Units|  &l/s|  &m3/h|"
                                "  &gals/h|  &Bar|  &PSI|"
                                "  Me&tre Head|  &Feet Head|&Help| &Contents... F1| &Search...| -|"
                                " &About...|"));
        // Toolbar buttons are menu entries shown as a picture with a tooltip.
        QStringList buttons;
        auto *toolbar = widget<QToolBar>("tbrToolbar");
        for (QAction *a : toolbar->actions()) {
            auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(a));
            QVERIFY(a->isSeparator()
                    || (button && button->toolButtonStyle() == Qt::ToolButtonIconOnly
                        && !a->icon().isNull() && !a->isIconVisibleInMenu()));
            buttons << (a->isSeparator() ? QStringLiteral("-") : a->toolTip() + u'=' + a->text());
        }
        QCOMPARE(
            buttons.join(u'|'),
            QStringLiteral("Open=&Open...|Print=&Graph|-|Copy=Copy &Graph|"
                           "Copy Text=Copy &Text|-|Night Flow=&Night Flow...|-|"
                           "Interrogate NERU=&Interrogate NERU|"
                           "Program NERU RTC=&Program NERU RTC|Reprogram NERU=&Reprogram NERU"));
    }

    // View > Night Shading, Grid and Fit Values are stored at once, read back by the next
    // run's model and followed by the plot; a choice stored before the window opens is the
    // plot's from the start. The shading covers the sample's five nights (23/11 09:00 to
    // 28/11 09:00) in the full view.
    void viewChecksAreKept()
    {
        // Whatever an earlier run left.
        m_model->setNightShading(false);
        m_model->setGrid(true);
        m_model->setFitValues(false);
        MainWindowGraph graph(window(), *m_model, m_strings, m_log.report, m_prompts);
        const PlotModel &plot = graph.controller().model();
        QVERIFY(actions().grid()->isChecked() && plot.grid());
        QVERIFY(!actions().fitValues()->isChecked() && !plot.fitValues());
        m_model->openDataFile(QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat"));
        const ElementArray<PlotBand> &shades = plot.elements().nightShades;
        const auto stored = [](const char *key) {
            return SettingsStore().read(QStringLiteral("View"), QLatin1String(key), {});
        };
        for (const bool on : { true, false }) {
            actions().nightShading()->trigger();
            actions().grid()->trigger();
            actions().fitValues()->trigger();
            const NeruModel next(m_strings, m_log.report, m_prompts);
            QCOMPARE(stored("NightShading") + stored("Grid") + stored("FitValues"),
                     on ? QStringLiteral("101") : QStringLiteral("010"));
            QCOMPARE(next.nightShading(), on);
            QCOMPARE(next.grid(), !on);
            QCOMPARE(next.fitValues(), on);
            QCOMPARE(shades.count() == 5 && shades[0].visible && shades[4].visible, on);
            QCOMPARE(plot.grid(), !on);
            QCOMPARE(plot.fitValues(), on);
        }
    }

    // File > Export Graph proposes <data file>-graph.png in the file's folder; the name
    // chosen picks the format, whose default size the dialog's boxes show. Typed sizes and
    // OK write an SVG of that size that parses; a PDF that cannot be written is told with
    // its name and the reason.
    void exportGraphWritesTheChosenFile()
    {
        MainWindowGraph graph(window(), *m_model, m_strings, m_log.report, m_prompts);
        QTemporaryDir dir;
        const QString flow = dir.filePath(QStringLiteral("flow.dat"));
        QVERIFY(QFile::copy(QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat"), flow));
        m_model->openDataFile(flow);
        const qsizetype told = m_prompts.messages.size();
        const QString svg = dir.filePath(QStringLiteral("figure.svg"));
        m_prompts.files = QStringList { svg };
        graph.exportGraph();
        QCOMPARE(m_prompts.fileDialogs.constLast(),
                 dir.filePath(QStringLiteral("flow-graph.png"))
                     + QStringLiteral("|PNG picture (*.png);;SVG drawing (*.svg);;PDF document "
                                      "(*.pdf)"));
        auto *dialog = window().findChild<GraphExportDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->figureSize(), QSizeF(1600, 900));
        for (QDoubleSpinBox *box : { dialog->widthBox, dialog->heightBox }) {
            box->selectAll();
            QTest::keyClicks(box, box == dialog->widthBox ? "1200" : "675");
        }
        QTest::mouseClick(dialog->buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QXmlStreamReader reader(TempLog::readAll(svg));
        QVERIFY(reader.readNextStartElement());
        QCOMPARE(reader.attributes().value(QStringLiteral("viewBox")),
                 QStringLiteral("0 0 1200 675"));
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(m_prompts.messages.size(), told);

        QTRY_VERIFY(!window().findChild<GraphExportDialog *>()); // closed with OK
        const QString pdf = dir.filePath(QStringLiteral("no/figure.pdf"));
        m_prompts.files = QStringList { pdf };
        graph.exportGraph();
        dialog = window().findChild<GraphExportDialog *>();
        QVERIFY(dialog);
        QCOMPARE(dialog->figureSize(), QSizeF(297, 210));
        QTest::mouseClick(dialog->buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(m_prompts.messages.mid(told),
                 QStringList { pdf + QStringLiteral(": No such file or directory") });
    }

    // With no data no unit can be chosen and Test is hidden; while a Comms command runs,
    // what would start an exchange, open a dialog or change the district waits.
    void commandsThatCanBeUsed()
    {
        QCOMPARE(window().windowTitle(), QStringLiteral("NERU Program: Unnamed"));
        QVERIFY(actions().port(2)->isChecked() && !actions().port(0)->isVisible());
        QCOMPARE(menusOff(),
                 QStringLiteral("&Test|&l/s|&m3/h|&gals/h|&Bar|&PSI|Me&tre Head|&Feet Head"));
        m_model->setUnitCode(1);
        window().actions().updateEnabled(true);
        QCOMPARE(menusOff(),
                 QStringLiteral("&Open...|&Export...|Export &As...|Export &Graph...|&Graph|"
                                "&Table|&Stats|&Night Flow...|&Interrogate NERU|"
                                "&Program NERU RTC|&Reprogram NERU|COM&1|COM&2|COM&3|COM&4|&Test|"
                                "Choose P&ort...|&Bar|&PSI|Me&tre Head|&Feet Head"));
        window().actions().updateEnabled(false);
        QCOMPARE(menusOff(), QStringLiteral("&Test|&Bar|&PSI|Me&tre Head|&Feet Head"));
    }

    // Codes applied in turn; Units entries (X checked, o enabled, . neither), caption, factor.
    void unitsFollowTheModel_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("m3/h") << QStringLiteral("1,2|oXo....|Flow (m3/h)|3.6");
        QTest::newRow("kgal/h") << QStringLiteral("1,3|ooX....|Flow (kgal/h)|0.792");
        QTest::newRow("pressure data after m3/h") << QStringLiteral("1,2,4|...Xooo|Press (Bar)|1");
        QTest::newRow("code 0 only disables the entries")
            << QStringLiteral("5,0|.......|Press (PSI)|1");
    }

    void unitsFollowTheModel()
    {
        QFETCH(QString, row);
        const QStringList expected = row.split(u'|');
        for (const QString &code : expected[0].split(u','))
            m_model->setUnitCode(qint16(code.toInt()));
        QString shown;
        for (QAction *e : actions().units()->actions())
            shown += e->isChecked() ? u'X' : (e->isEnabled() ? u'o' : u'.');
        QCOMPARE(shown, expected[1]);
        QCOMPARE(widget<QLabel>("lblFlow")->text(), expected[2]);
        QCOMPARE(m_model->unitFactor(), expected[3].toDouble());
    }

    // In the default window the long captions show whole, left of the time bar's controls;
    // the bar keeps its right end and the plot its place.
    void longCaptionShowsWhole()
    {
        window().show(); // at its default size
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QWidget *plot = widget<QWidget>("Picture1");
        const QScrollBar *timeBar = widget<QScrollBar>("hsbTime");
        const QRect plotShown = plot->geometry();
        const int barEnd = timeBar->geometry().right();
        for (const qint16 code : { 2, 3, 6, 7 }) {
            m_model->setUnitCode(code);
            const QLabel *label = widget<QLabel>("lblFlow");
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->text()));
            const int labelEnd = label->x() + label->width(); // on one row: no overlap
            QVERIFY(widget<QToolButton>("cmdTimeZoomOut")->x() >= labelEnd
                    && timeBar->x() >= labelEnd);
            QCOMPARE(timeBar->geometry().right(), barEnd);
            QCOMPARE(plot->geometry(), plotShown);
        }
    }

    // On the design's client area (9525 x 6150 twips, toolbar 360, status bar 405) the plot
    // keeps its place; with both bars hidden it and its scroll bars take their strips, and
    // give them back.
    void layoutFollowsTheBars()
    {
        const auto r = MainWindowLayout::place({ 9525, 6150, 360, 405, true, true });
        QCOMPARE(r.plot, QRect(1000, 815, 8070, 4275));
        QCOMPARE(r.timeScrollBar, QRect(1255, 460, 7560, 255));
        QCOMPARE(r.valueScrollBar, QRect(9170, 1070, 255, 3765));
        const QWidget *client = window().centralWidget();
        const QWidget *plot = widget<QWidget>("Picture1");
        const QScrollBar *timeBar = widget<QScrollBar>("hsbTime");
        const QScrollBar *valueBar = widget<QScrollBar>("vsbFlow");
        const auto *toolbar = widget<QToolBar>("tbrToolbar");
        const auto *statusBar = widget<QStatusBar>("staStatus");
        const double dpi = client->logicalDpiX();
        auto pixels = [dpi](const QRect &twips) { return MainWindowLayout::toPixels(twips, dpi); };
        const QSize designSize = pixels(QRect(0, 0, 9525, 6150)).size();
        window().show();
        window().resize(designSize + window().size() - client->size());
        QTRY_COMPARE(client->size(), designSize);
        const QRect shown = plot->geometry();
        QCOMPARE(statusBar->geometry().bottom(), client->height() - 1);
        actions().showToolbar()->trigger();
        actions().showStatusBar()->trigger();
        QVERIFY(toolbar->isHidden() && statusBar->isHidden());
        QCOMPARE(plot->geometry(), pixels(QRect(1000, 455, 8070, 5040)));
        QCOMPARE(timeBar->geometry(), pixels(QRect(1255, 100, 7560, 255)));
        QCOMPARE(valueBar->geometry(), pixels(QRect(9170, 710, 255, 4530)));
        actions().showToolbar()->trigger();
        actions().showStatusBar()->trigger();
        QCOMPARE(plot->geometry(), shown);
        // The window shrinks no further than leaves room for the scroll bars.
        window().resize(20, 20);
        QTRY_COMPARE(client->size(), client->minimumSize());
        QVERIFY(timeBar->width() > 0);
        QVERIFY(valueBar->height() > 0);
        QVERIFY(valueBar->x() >= plot->geometry().right());
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
