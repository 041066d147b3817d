#include "ChoosePortDialog.h"
#include "DownloadWindow.h"
#include "ErrorReport.h"
#include "KeptDownloads.h"
#include "LoggerSettingsDialog.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowGraph.h"
#include "PlotController.h"
#include "Program.h"
#include "SaveDistrictDialog.h"
#include "SettingsStore.h"
#include "SplashWindow.h"
#include "StatisticsDialog.h"

#include "DistrictBytes.h"
#include "ScriptedPrompts.h"
#include "StartUpStore.h"
#include "TempLog.h"
#include "sim/LoggerSimulator.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kCommunicationError = u"An error has occurred communicating with the NERU unit\n"
                                    "Check the COM port and cable and then try again"_s;

QByteArray twoDistricts() // in two blocks
{
    return district(u"00012"_s, 20) + district(u"00034"_s, 20);
}

// The one kept download, or nothing when there is not exactly one.
QString keptDownload()
{
    const QStringList kept = QDir(KeptDownloads::defaultFolder()).entryList(QDir::Files);
    return kept.size() == 1 ? KeptDownloads::defaultFolder() + kept.first() : QString();
}

} // namespace

// The Comms commands worked in the windows against the logger simulator on a pseudo-terminal;
// only messages and file dialogs are answered by script.
class tst_ProgramComms : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir; // defaultFolder
    std::unique_ptr<LoggerSimulator> m_logger;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Program> m_program;
    QList<std::function<void()>> m_steps; // one each time a dialog shows
    int m_dialogsShown = 0;
    int m_quits = 0;

    // The program with COM1 on the simulator, started in m_dir, its port message forgotten.
    bool start(const LoggerSimulator::Options &options, const char *stored = "1")
    {
        m_logger = std::make_unique<LoggerSimulator>(options);
        if (!m_logger->start())
            return false;
        StartUpStore::clear();
        StartUpStore::store(u"COMPort"_s, QLatin1String(stored));
        SettingsStore settings;
        settings.write(u"Ports"_s, u"COM1"_s, m_logger->devicePath());
        if (!settings.sync())
            return false;
        QDir(KeptDownloads::defaultFolder()).removeRecursively();
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_program = std::make_unique<Program>(m_prompts.get(), [this] { ++m_quits; });
        m_program->start(m_dir->path());
        if (!QTest::qWaitFor([this] { return m_program->splash().handOverTimer->isActive(); }))
            return false;
        m_program->splash().handOver();
        m_program->saveDistrict()->installEventFilter(this);
        m_program->reprogram()->installEventFilter(this);
        m_prompts->messages.clear();
        return main().isVisible();
    }

    MainWindow &main() { return *m_program->mainWindow(); }
    MainWindowActions &actions() { return main().actions(); }
    DownloadWindow &downloading() { return *m_program->downloading(); }
    SaveDistrictDialog &saveDistrict() { return *m_program->saveDistrict(); }

    // Runs a Comms command from its menu entry (or none); true once it has ended.
    bool ran(QAction *command)
    {
        if (command)
            command->trigger();
        return QTest::qWaitFor([this] { return !m_program->model().isBusy(); }, 30000);
    }

    QWidget *toolbarButton(QAction *command)
    {
        return main().findChild<QToolBar *>()->widgetForAction(command);
    }

    qsizetype framesOf(char command)
    {
        const QList<QByteArray> frames = m_logger->frames();
        return std::count_if(frames.begin(), frames.end(), [command](const QByteArray &frame) {
            return frame.startsWith(command);
        });
    }

    // Runs `action` once the download window shows block `block`.
    void atBlock(int block, std::function<void()> action)
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, poll, block, action] {
            if (downloading().isVisible() && downloading().progressBar->value() == block) {
                poll->deleteLater();
                poll->stop();
                action();
            }
        });
        poll->start(5);
    }

    std::function<void()> saveAs(const QString &name)
    {
        return [this, name] {
            QLineEdit *box = saveDistrict().fileNameEdit;
            box->selectAll();
            QTest::keyClicks(box, name);
            QTest::mouseClick(saveDistrict().okButton, Qt::LeftButton);
        };
    }

    // Each dialog shown (Save District, Reprogram) takes the next step, which closes it.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            QMetaObject::invokeMethod(
                this,
                [this, dialog = static_cast<QDialog *>(watched)] {
                    ++m_dialogsShown;
                    if (!m_steps.isEmpty())
                        m_steps.takeFirst()();
                    if (dialog->isVisible() && !QTest::currentTestFailed())
                        QTest::qFail("a dialog is still open after its step", __FILE__, __LINE__);
                    if (dialog->isVisible())
                        dialog->done(QDialog::Rejected);
                },
                Qt::QueuedConnection);
        return false;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_steps.clear();
        m_dialogsShown = 0;
        m_quits = 0;
    }
    void cleanup() { m_program.reset(); }

    // During a download zoom works, conflicting commands are disabled and messages show at
    // once. The download is kept (or told unkept) before the districts are saved, last shown.
    void interrogationSavesEveryDistrictAndShowsTheLast_data()
    {
        QTest::addColumn<bool>("keepFails");
        QTest::newRow("kept") << false;
        QTest::newRow("cannot be kept") << true;
    }
    void interrogationSavesEveryDistrictAndShowsTheLast()
    {
        QFETCH(bool, keepFails);
        LoggerSimulator::Options options;
        options.memory = twoDistricts();
        QVERIFY(start(options));
        const QString shown = m_dir->filePath(u"flow.dat"_s);
        QVERIFY(QFile::copy(QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat"), shown));
        m_program->model().openDataFile(shown);
        if (keepFails)
            m_program->model().setKeptDownloads(KeptDownloads(shown + u"/downloads"_s));
        QStringList during;
        bool downloadWentOn = false;
        m_prompts->onPrompt = [&] {
            if (!during.isEmpty() && !downloadWentOn) {
                // As a message box left open a while: the block on its way still comes.
                const int sent = m_logger->blocksSent();
                downloadWentOn = QTest::qWaitFor([&] { return m_logger->blocksSent() > sent; });
            }
        };
        atBlock(1, [&] {
            const MainWindowActions &a = actions();
            for (QAction *entry : { a.interrogate(), a.loggerSettings(), a.port(3), a.open(),
                                    a.statistics(), a.resetView(), a.exit() })
                during << entry->text() + (entry->isEnabled() ? u"+"_s : u"-"_s);
            during << downloading().windowTitle() << downloading().cancelButton->text()
                   << QString::number(downloading().progressBar->maximum());
            // As at the deepest zoom of a long district.
            m_program->graph()->controller().model().state().timeScroll.pageStep = 1;
            main().findChild<QToolButton *>(u"cmdTimeZoomIn"_s)->click();
        });
        QString keptBeforeDialog;
        m_steps << [&] {
            keptBeforeDialog = keptDownload();
            saveAs(u"first"_s)();
        } << saveAs(u"second"_s);
        QVERIFY(ran(actions().interrogate()));

        QCOMPARE(during.join(u'|'),
                 u"&Interrogate NERU-|&Reprogram NERU-|COM&3-|&Open...-|&Stats-|&Reset+|E&xit+|"
                 "Waiting for data|Cancel|"_s
                     + QString::number(options.memory.size() / 128 + 1));
        QVERIFY(downloadWentOn);
        QCOMPARE(m_prompts->messages.first(), u"The magnification limit has been reached"_s);
        QCOMPARE(m_prompts->messages.size(), keepFails ? 2 : 1);
        if (keepFails) {
            QVERIFY(m_prompts->messages.last().startsWith(u"The download could not be kept in "_s
                                                          + shown + u"/downloads/download-"_s));
        } else {
            QVERIFY(!keptBeforeDialog.isEmpty());
            QCOMPARE(TempLog::readAll(keptBeforeDialog), options.memory);
            QVERIFY(TempLog::readAll(ErrorReport::defaultLogPath())
                        .contains(keptBeforeDialog.toUtf8()));
        }
        QCOMPARE(m_dialogsShown, 2);
        QCOMPARE(m_program->model().downloadKeptSinceStart(), !keepFails);
        QVERIFY(QFileInfo::exists(m_dir->filePath(u"first.dat"_s)));
        QCOMPARE(main().windowTitle(), u"NERU Program: "_s + m_dir->filePath(u"second.dat"_s));
        QCOMPARE(m_program->stats()->windowTitle(), u"Statistics for district '00034'"_s);
        QVERIFY(!downloading().isVisible());
        QVERIFY(actions().interrogate()->isEnabled() && actions().open()->isEnabled()
                && actions().port(3)->isEnabled());
    }

    // A download stopped between blocks asks for no more, keeps the blocks as a partial
    // download in the log and status bar and shows no dialog; after a Cancel the next is whole.
    void stopBetweenBlocks_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::newRow("Cancel") << u"cancel"_s;
        QTest::newRow("main window closed") << u"close"_s;
        QTest::newRow("logger stops answering") << u"silence"_s;
    }
    void stopBetweenBlocks()
    {
        QFETCH(QString, stop);
        LoggerSimulator::Options options;
        options.memory = twoDistricts() + twoDistricts() + twoDistricts();
        options.faults.stopAfterBlocks = stop == u"silence"_s ? 2 : -1;
        QVERIFY(start(options));
        if (stop != u"silence"_s)
            atBlock(1, [&] {
                if (stop == u"close"_s)
                    main().close();
                else
                    QTest::mouseClick(downloading().cancelButton, Qt::LeftButton);
            });
        QVERIFY(ran(actions().interrogate()));
        QCOMPARE(framesOf(0x0E), 2);
        QCOMPARE(m_dialogsShown, 0);
        const QString partial = keptDownload();
        QVERIFY(partial.endsWith(u"-partial.bin"_s));
        QCOMPARE(TempLog::readAll(partial), options.memory.left(256));
        QVERIFY(TempLog::readAll(ErrorReport::defaultLogPath()).contains(partial.toUtf8()));
        QCOMPARE(main().statusText(), u"Partial download kept in "_s + partial);
        QCOMPARE(m_prompts->messages.join(QString()).startsWith(kCommunicationError),
                 stop == u"silence"_s);
        QCOMPARE(m_prompts->messages.size(), stop == u"silence"_s ? 1 : 0);
        QVERIFY(!downloading().isVisible() && actions().interrogate()->isEnabled());
        QCOMPARE(main().windowTitle(), u"NERU Program: Unnamed"_s);
        QTRY_COMPARE(m_quits, stop == u"close"_s ? 1 : 0);
        QCOMPARE(main().isVisible(), stop != u"close"_s);
        if (stop != u"cancel"_s)
            return;
        for (int d = 1; d <= 6; ++d)
            m_steps << saveAs(u"d"_s + QString::number(d));
        QVERIFY(ran(actions().interrogate()));
        QCOMPARE(framesOf(0x0E), 2 + options.memory.size() / 128 + 1);
        QCOMPARE(m_dialogsShown, 6);
    }

    // Reprogram NERU opens no dialog for a silent logger, else shows what was read; Enter is
    // Cancel. Clear Memory asks first (Enter is No); a logger then silent is told, dialog gone.
    void reprogramWhenTheLoggerStopsAnswering()
    {
        LoggerSimulator::Options options;
        options.clock = QDateTime(QDate(2001, 9, 3), QTime(14, 5, 9));
        options.serialNumber = "AB1234";
        options.identification = 142;
        options.version = "V2.01";
        options.faults.silent = true;
        QVERIFY(start(options));
        QVERIFY(ran(actions().loggerSettings()));
        QCOMPARE(m_dialogsShown, 0);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages.takeFirst().startsWith(kCommunicationError + u"\n\n"_s
                                                           + m_logger->devicePath()));

        m_logger->setFaults({});
        LoggerSettingsDialog &dialog = *m_program->reprogram();
        QString shown;
        m_steps << [&] {
            shown = dialog.windowTitle();
            for (QLabel *value :
                 { dialog.serialNumberValue, dialog.calibrationValue, dialog.identificationValue,
                   dialog.versionValue, dialog.clockValue })
                shown += u'|' + value->text();
            QTest::keyClick(&dialog, Qt::Key_Return);
        } << [&] {
            m_logger->setFaults({ true });
            QTest::mouseClick(dialog.clearButton, Qt::LeftButton);
            QCOMPARE(m_prompts->questions,
                     QStringList { u"Erase everything the logger holds? This cannot be undone.\n"
                                   "Nothing has been downloaded from a logger since Neru "
                                   "started."_s });
            QVERIFY(dialog.isVisible());
            m_prompts->answers << UserPrompts::Answer::Yes;
            QTest::mouseClick(dialog.clearButton, Qt::LeftButton);
            QVERIFY(!dialog.cancelButton->isEnabled());
            // The dialog goes once the logger has failed to answer.
            QVERIFY(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 10000));
        };
        QVERIFY(ran(actions().loggerSettings()));
        QVERIFY2(shown.startsWith(u"Reprogram NERU|AB1234|06/09/2001|142|V2.01|03/09/2001 14:05:"_s)
                     && shown.size() == 62,
                 qPrintable(shown));
        QVERIFY(!dialog.isVisible() && m_prompts->messages.isEmpty());
        QVERIFY(ran(actions().loggerSettings()));
        QVERIFY(m_dialogsShown == 2 && !dialog.isVisible());
        QVERIFY(m_prompts->messages.size() == 1
                && m_prompts->messages.first().startsWith(kCommunicationError));
        QCOMPARE(framesOf(0x0F), 0);
        QCOMPARE(framesOf(0x12), 2);
    }

    // A port chosen is stored at once; its device, named in the settings file by hand while
    // the program runs, is shown on hover and takes the next exchange.
    void com3TakesTheNextExchange()
    {
        QVERIFY(start(LoggerSimulator::Options(), "4"));
        QVERIFY(actions().port(4)->isChecked());
        actions().port(4)->hover();
        QCOMPARE(actions().port(4)->statusTip(), u"COM4 opens /dev/ttyS3"_s);
        actions().port(3)->trigger();
        QVERIFY(actions().port(3)->isChecked() && !actions().port(4)->isChecked());
        const QString ini = SettingsStore().fileName();
        QByteArray text = TempLog::readAll(ini);
        QVERIFY2(text.contains("COMPort=3"), text.constData());
        QVERIFY(TempLog::writeAll(
            ini,
            text.replace("[Ports]\n", "[Ports]\nCOM3=" + m_logger->devicePath().toUtf8() + '\n')));
        actions().port(3)->hover();
        QCOMPARE(actions().port(3)->statusTip(), u"COM3 opens "_s + m_logger->devicePath());
        QTest::mouseClick(toolbarButton(actions().setLoggerClock()), Qt::LeftButton);
        QVERIFY(ran(nullptr));
        // The frame needs no reply, so the simulator may read it after the exchange has ended.
        QTRY_COMPARE(framesOf(0x02), 1);
        QVERIFY(m_prompts->messages.value(0).startsWith(u"Date/Time has been set to "_s));
    }

    // Choose Port with no port detected says why in place of the list. Refreshed, it lists
    // the simulator's terminal; that row, COM3 and OK name it for COM3 in [Ports] and choose
    // COM3, whose next exchange reaches it (COM2, proposed as the port in use, opens no logger).
    void choosePortNamesTheDeviceAndTakesIt()
    {
        QVERIFY(start(LoggerSimulator::Options(), "2"));
        QList<DetectedPorts::Port> listed;
        m_program->setPortLister([&listed] { return listed; });
        actions().choosePort()->trigger();
        auto *dialog = main().findChild<ChoosePortDialog *>();
        QVERIFY(dialog && dialog->noPortText->isVisible() && !dialog->portList->isVisible());
        QCOMPARE(dialog->noPortText->text(),
                 u"No serial port was found on this computer.\nA USB serial adapter shows up "
                 "once it is plugged in; to open it you must be in the dialout group (sudo "
                 "usermod -aG dialout $USER, then log out and in)."_s);
        QPushButton *ok = dialog->buttons->button(QDialogButtonBox::Ok);
        QCOMPARE(dialog->portBox->currentText(), u"COM2"_s);
        listed << DetectedPorts::Port { m_logger->devicePath(), u"pseudo-terminal"_s, {}, {}, {} };
        QTest::mouseClick(dialog->refreshButton, Qt::LeftButton);
        QVERIFY(dialog->portList->isVisible() && !dialog->noPortText->isVisible());
        QVERIFY(!ok->isEnabled());
        QTreeWidgetItem *row = dialog->portList->topLevelItem(0);
        QCOMPARE(row->text(1), u"pseudo-terminal"_s);
        QTest::mouseClick(dialog->portList->viewport(), Qt::LeftButton, {},
                          dialog->portList->visualItemRect(row).center());
        QTest::keyClick(dialog->portBox, Qt::Key_Down);
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(TempLog::readAll(SettingsStore().fileName())
                    .contains("\nCOM3=" + m_logger->devicePath().toUtf8() + '\n'));
        QVERIFY(actions().port(3)->isChecked());
        QVERIFY(ran(actions().setLoggerClock()));
        QTRY_COMPARE(framesOf(0x02), 1);
        QVERIFY(m_prompts->messages.value(0).startsWith(u"Date/Time has been set to "_s));
    }

    // A download opened by File > Open, known by its bytes, is cut as a fresh one; the kept
    // downloads' folder is offered. The last district skipped, the window names no file.
    void keptDownloadOpensThroughFileOpen()
    {
        QVERIFY(start(LoggerSimulator::Options()));
        const QString kept = m_dir->filePath(u"logger.dump"_s);
        QVERIFY(TempLog::writeAll(kept, twoDistricts()));
        m_prompts->files << kept;
        m_steps << saveAs(u"one"_s) << [this] {
            m_prompts->answers << UserPrompts::Answer::Yes;
            saveDistrict().close();
        };
        actions().open()->trigger();
        QCOMPARE(m_prompts->offeredPlaces, QStringList { KeptDownloads::defaultFolder() });
        QCOMPARE(m_dialogsShown, 2);
        QVERIFY(QFileInfo::exists(m_dir->filePath(u"one.dat"_s)));
        // The district files go in File > Recent Files, the download does not.
        QCOMPARE(m_program->model().recentFiles(), QStringList { m_dir->filePath(u"one.dat"_s) });
        QCOMPARE(main().windowTitle(), u"NERU Program: Unnamed"_s);
        QCOMPARE(m_program->model().startUp().defaultFolder, m_dir->path() + u'/');
        QCOMPARE(m_logger->frames().size(), 0);
    }
};

QTEST_MAIN(tst_ProgramComms)
#include "tst_ProgramComms.moc"
