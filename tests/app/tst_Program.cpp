#include "HelpWindow.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowGraph.h"
#include "NightFlowDialog.h"
#include "PlotController.h"
#include "PlotWidget.h"
#include "Program.h"
#include "SplashWindow.h"
#include "StatisticsDialog.h"

#include "ScriptedPrompts.h"
#include "StartUpStore.h"
#include "TempLog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kSample = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

const QString kPortMessage = u"Note that COM2 is selected by default. \nUse the Comms option on "
                             "the Tools \nmenu if you need to change it"_s;

} // namespace

// The program as the user starts and works it: splash, settings kept between runs, Help,
// and the graph of a district with the commands wired to it.
class tst_Program : public QObject
{
    Q_OBJECT

    ScriptedPrompts m_prompts;
    bool m_timerRan = false; // the splash timer ran while a message was up
    int m_quits = 0;
    std::unique_ptr<Program> m_program;

    // Starts the program and, unless `wait`, hands over at once as the splash timer would.
    bool run(const QString &dir = u"/start/here"_s, const QString &file = {}, bool wait = false)
    {
        m_program.reset();
        m_prompts = ScriptedPrompts();
        m_prompts.onPrompt
            = [this] { m_timerRan |= m_program->splash().handOverTimer->isActive(); };
        m_program = std::make_unique<Program>(&m_prompts, [this] { ++m_quits; });
        m_program->start(dir, file);
        return wait || handOver();
    }
    bool handOver()
    {
        if (!QTest::qWaitFor([this] { return m_program->splash().handOverTimer->isActive(); }))
            return false;
        m_program->splash().handOver();
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
        m_timerRan = false;
    }
    void cleanup() { m_program.reset(); }

    // On a clean machine COM2 is named and checked; the splash stays 2 seconds after the
    // message. The port and the run's folder are written at close and read at the next start.
    void settingsAreKeptBetweenRuns()
    {
        QVERIFY(run(u"/start/here"_s, {}, true));
        SplashWindow &splash = m_program->splash();
        QVERIFY(splash.isVisible());
        QTRY_COMPARE(m_prompts.messages, QStringList { kPortMessage });
        QCOMPARE(m_prompts.titles, QStringList { "Initial COM port setting" });
        QVERIFY(!m_timerRan && splash.handOverTimer->isActive() && !m_program->mainWindow());
        QTRY_VERIFY_WITH_TIMEOUT(m_program->mainWindow() && main().isVisible(),
                                 SplashWindow::kSplashMilliseconds + 3000);
        QTRY_VERIFY(!splash.isVisible());
        QVERIFY(actions().port(2)->isChecked());
        // Chosen twice, an entry keeps its mark; one entry only is checked.
        actions().port(4)->trigger();
        actions().port(4)->trigger();
        QVERIFY(actions().port(4)->isChecked() && !actions().port(2)->isChecked());
        actions().exit()->trigger();
        QCOMPARE(m_quits, 1);
        QCOMPARE(m_prompts.messages.size(), 1); // Exit asks nothing
        QCOMPARE(StartUpStore::stored(u"COMPort"_s), u"4"_s);
        QCOMPARE(StartUpStore::stored(u"DefaultDir"_s), u"/start/here/"_s);
        QVERIFY(run(u"/elsewhere"_s));
        QCOMPARE(m_prompts.messages,
                 QStringList { QString(kPortMessage).replace(u"COM2"_s, u"COM4"_s) });
        QVERIFY(actions().port(4)->isChecked());
        QCOMPARE(m_program->model().startUp().defaultFolder, u"/start/here/"_s);
    }

    // Size, place and maximised state come back at the next start.
    void windowComesBackAsItWasLeft()
    {
        QVERIFY(run());
        main().setGeometry(QRect(30, 40, 700, 500));
        actions().exit()->trigger();
        QVERIFY(run());
        QCOMPARE(main().geometry(), QRect(30, 40, 700, 500));
        main().showMaximized();
        main().close();
        QVERIFY(run());
        QVERIFY(main().isMaximized());
    }

    // Dropped files open as File > Open opens them, only the first of several, and not
    // while a Comms command runs. The files opened go first in File > Recent Files, which
    // drops those gone, opens the one chosen and is kept in the settings.
    void droppedAndRecentFilesOpen()
    {
        QTemporaryDir dir;
        const QString flow = dir.filePath(u"flow.dat"_s);
        const QString pressure = dir.filePath(u"pressure.dat"_s);
        QVERIFY(QFile::copy(kSample, flow));
        QVERIFY(QFile::copy(QStringLiteral(NERU_SOURCE_DIR "/samples/pressure.dat"), pressure));
        QVERIFY(run());
        auto drop = [this](const QStringList &files) {
            QMimeData data;
            QList<QUrl> urls;
            for (const QString &file : files)
                urls << QUrl::fromLocalFile(file);
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&main(), &enter);
            QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&main(), &dropped);
            return enter.isAccepted() && dropped.isAccepted();
        };
        QVERIFY(drop({ flow, pressure }));
        QTRY_COMPARE(main().windowTitle(), u"NERU Program: "_s + flow);
        QCOMPARE(main().statusText(),
                 u"2 files were dropped; only the first, flow.dat, was tried."_s);
        QVERIFY(drop({ pressure }));
        QTRY_COMPARE(main().windowTitle(), u"NERU Program: "_s + pressure);
        QCOMPARE(m_program->model().recentFiles(), QStringList({ pressure, flow }));
        QVERIFY(QFile::remove(pressure));

        auto *recent = main().findChild<QMenu *>(u"mnuRecentFiles"_s);
        recent->popup(QPoint());
        QStringList entries;
        for (QAction *entry : recent->actions())
            entries << (entry->isSeparator() ? u"-"_s : entry->text());
        QCOMPARE(entries, QStringList({ u"&1 "_s + flow, u"-"_s, u"&Clear List"_s }));
        recent->actions().first()->trigger();
        recent->hide();
        QCOMPARE(main().windowTitle(), u"NERU Program: "_s + flow);
        QCOMPARE(SettingsStore().read(u"RecentFiles"_s, u"File1"_s, {}), flow);
        QCOMPARE(SettingsStore().read(u"RecentFiles"_s, u"File2"_s, u"absent"_s), u"absent"_s);

        actions().updateEnabled(true);
        QVERIFY(!drop({ kSample }));
        QCOMPARE(main().windowTitle(), u"NERU Program: "_s + flow);
    }

    // A file named at the start is opened once, after the main window is up. Help > About
    // shows the splash without the message; closing the main window then ends the program.
    void fileNamedAtStartIsShownOnceTheWindowIsUp()
    {
        QVERIFY(run(u"/start"_s, QDir::current().relativeFilePath(kSample), true));
        QSignalSpy changed(&m_program->model(), &NeruModel::districtChanged);
        QVERIFY(handOver());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(main().windowTitle(), u"NERU Program: "_s + QFileInfo(kSample).absoluteFilePath());
        QVERIFY(main().findChild<PlotWidget *>());
        QVERIFY(main().statusText().contains(u"Flow: "_s));
        SplashWindow &splash = m_program->splash();
        actions().about()->trigger();
        QVERIFY(splash.isVisible());
        QVERIFY(handOver());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_prompts.messages.size(), 1);
        actions().about()->trigger();
        QVERIFY(splash.handOverTimer->isActive());
        main().close();
        QCOMPARE(m_quits, 1);
        QVERIFY(!splash.isVisible() && !splash.handOverTimer->isActive());
    }

    // Help > Contents lists the guide's headings and scrolls to the one clicked; Help >
    // Search finds a word, wraps round to the first place, and says when a word is absent.
    void helpShowsTheGuide()
    {
        QVERIFY(run());
        HelpWindow &help = *m_program->help();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(&main(), Qt::Key_F1);
        QVERIFY(help.isVisible());
        QTRY_VERIFY(help.tvwContents->hasFocus());
        QStringList expected;
        for (const QString &line :
             QString::fromUtf8(TempLog::readAll(NERU_SOURCE_DIR "/docs/guide.md")).split(u'\n'))
            if (line.startsWith(u"## "_s) || line.startsWith(u"### "_s))
                expected << line.trimmed();
        QVERIFY(expected.size() > 5);
        QStringList listed;
        QTreeWidgetItem *deep = nullptr; // a part far down the guide
        for (QTreeWidgetItemIterator it(help.tvwContents); *it; ++it) {
            listed << ((*it)->parent() ? u"### "_s : u"## "_s) + (*it)->text(0);
            if ((*it)->parent() && listed.size() <= expected.size() * 2 / 3)
                deep = *it;
        }
        QCOMPARE(listed, expected);
        QTextBrowser &guide = *help.guideView;
        help.tvwContents->scrollToItem(deep);
        QTest::mouseClick(help.tvwContents->viewport(), Qt::LeftButton, {},
                          help.tvwContents->visualItemRect(deep).center());
        QCOMPARE(guide.textCursor().block().text(), deep->text(0));
        QVERIFY(guide.verticalScrollBar()->value() > 0);
        QVERIFY(guide.cursorRect().top() >= 0
                && guide.cursorRect().bottom() < guide.viewport()->height() / 4);

        actions().helpSearch()->trigger();
        QTRY_VERIFY(help.findEdit->hasFocus());
        const QString word = u"dialout"_s;
        QTest::keyClicks(help.findEdit, word);
        QTest::keyClick(help.findEdit, Qt::Key_Return);
        QCOMPARE(guide.textCursor().selectedText(), word);
        QCOMPARE(help.findLabel->text(), QString());
        const int first = guide.textCursor().position();
        const qsizetype places = guide.toPlainText().count(word, Qt::CaseInsensitive);
        QVERIFY(places > 1);
        for (qsizetype i = 0; i < places; ++i)
            QTest::keyClick(help.findEdit, Qt::Key_Return);
        QCOMPARE(guide.textCursor().position(), first);
        // Asked for again, the last word is selected for retyping.
        actions().helpSearch()->trigger();
        QCOMPARE(help.findEdit->selectedText(), word);
        QTest::keyClicks(help.findEdit, u"qwxzv"_s);
        QTest::keyClick(help.findEdit, Qt::Key_Return);
        QCOMPARE(help.findLabel->text(), u"Not found"_s);
        QCOMPARE(guide.textCursor().position(), first);
    }

    // File > Open asks in the folder of the last file; a refused file leaves the district
    // and its statistics on show. Without readings View > Stats and Night Flow show nothing.
    void openRefusedFileChangesNothingShown()
    {
        QTemporaryDir dir;
        const QString shown = dir.filePath(u"flow.dat"_s);
        const QString refused = dir.filePath(u"old/old.dat"_s);
        QVERIFY(QFile::copy(kSample, shown) && QDir(dir.path()).mkdir(u"old"_s));
        QVERIFY(TempLog::writeAll(refused, QByteArray(300, '3')));
        QVERIFY(run(dir.path()));
        QSignalSpy statsClosed(m_program->stats(), &QDialog::finished);
        QTimer::singleShot(0, m_program->stats(), &QDialog::accept);
        actions().statistics()->trigger();
        actions().nightFlow()->trigger();
        QCOMPARE(statsClosed.count(), 0);
        QVERIFY(!m_program->nightFlow()->isVisible());
        actions().open()->trigger(); // cancelled
        QCOMPARE(main().windowTitle(), u"NERU Program: Unnamed"_s);
        m_prompts.files = QStringList { shown, refused };
        actions().open()->trigger();
        actions().open()->trigger();
        QCOMPARE(m_prompts.fileDialogs,
                 QStringList(3,
                             dir.path()
                                 + u"/|Download Files(*.dat);;Kept "
                                   "downloads(download-*.bin);;All files (*)"_s));
        QVERIFY(
            m_prompts.messages.last().startsWith(refused + u": This program cannot communicate"_s));
        QCOMPARE(main().windowTitle(), u"NERU Program: "_s + shown);
        QCOMPARE(m_program->stats()->windowTitle(), u"Statistics for district '10452'"_s);
        actions().nightFlow()->trigger();
        QVERIFY(m_program->nightFlow()->isVisible());
    }

    // A unit chosen returns to the full view, redrawn with its factor; a wider window redraws
    // the curve wider and keeps the view.
    void unitReturnsToTheFullViewAndResizeRedraws()
    {
        QVERIFY(run(u"/start"_s, kSample));
        main().findChild<QToolButton *>(u"cmdTimeZoomIn"_s)->click();
        main().findChild<QScrollBar *>(u"hsbTime"_s)->triggerAction(QScrollBar::SliderPageStepAdd);
        QVERIFY(state().viewStart > state().fullStart);
        actions().unit(2)->trigger();
        QCOMPARE(state().viewStart, state().fullStart);
        QCOMPARE(main().findChild<QLabel *>(u"lblFlowMax"_s)->text(),
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
