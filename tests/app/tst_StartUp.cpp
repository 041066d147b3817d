#include "PictureBox.h"
#include "Program.h"
#include "ProgramVersion.h"
#include "frmNeru.h"
#include "frmSplash.h"

#include "StartUpStore.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Answers the program's messages and remembers what the splash looked like then.
class RecordingPrompts : public UserPrompts
{
public:
    struct Message
    {
        QString text;
        QString title;
        bool timerRunning;
    };

    void message(const QString &text, const QString &title) override
    {
        messages.append({ text, title, timer && timer->isActive() });
    }

    Answer question(const QString &, const QString &) override { return Answer::No; }

    QList<Message> messages;
    QTimer *timer = nullptr;
};

} // namespace

// Start-up through the splash window, the port message, the hand-over to the main
// window, Help > About and the settings kept between runs.
class tst_StartUp : public QObject
{
    Q_OBJECT

    RecordingPrompts m_prompts;
    int m_quits = 0;
    std::unique_ptr<Program> m_program;

    // Starts a run of the program; `created` sees the main window before its Form_Load.
    Program &run(const QString &dir = QStringLiteral("/start/here"),
                 const QString &file = QString(), std::function<void(frmNeru &)> created = nullptr)
    {
        m_program = std::make_unique<Program>(&m_prompts, [this] { ++m_quits; });
        m_prompts.timer = m_program->splash().tmrSplash;
        m_program->mainWindowCreated = std::move(created);
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
        return m_program->mainWindow() && m_program->mainWindow()->isVisible()
            && !m_program->splash().isVisible();
    }

    static QString portMessage(const QString &port)
    {
        return QStringLiteral("Note that COM") + port
            + QStringLiteral(" is selected by default. \nUse the Comms option on the Tools "
                             "\nmenu if you need to change it");
    }

private slots:
    void init()
    {
        StartUpStore::clear();
        m_prompts.messages.clear();
        m_quits = 0;
    }

    void cleanup()
    {
        m_prompts.timer = nullptr;
        m_program.reset();
    }

    void firstStartOnACleanMachine()
    {
        Program &program = run();
        frmSplash &splash = program.splash();
        QVERIFY(splash.isVisible());
        QVERIFY(!program.mainWindow());
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, portMessage(QStringLiteral("2")));
        QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Initial COM port setting"));
        // The 2 seconds start when the message has been closed.
        QVERIFY(!m_prompts.messages[0].timerRunning);
        QVERIFY(splash.tmrSplash->isActive());
        QCOMPARE(splash.tmrSplash->interval(), 2000);
        QVERIFY(!program.mainWindow());

        QTRY_VERIFY_WITH_TIMEOUT(program.mainWindow() && program.mainWindow()->isVisible(),
                                 frmSplash::kSplashMilliseconds + 3000);
        QTRY_VERIFY(!splash.isVisible());
        frmNeru &main = *program.mainWindow();
        QCOMPARE(main.windowTitle(), QStringLiteral("NERU Program: Unnamed"));
        QVERIFY(main.mnuToolsCommsCOM2->isChecked());
        QCOMPARE(program.startUp().strDefaultDir, QStringLiteral("/start/here/"));
        QCOMPARE(program.startUp().strAppName, QStringLiteral("Dorvel Environmental - Neru"));

        main.mnuFileExit->trigger();
        QCOMPARE(m_quits, 1);
        QCOMPARE(StartUpStore::stored(QStringLiteral("COMPort")), QStringLiteral("2"));
        QCOMPARE(StartUpStore::stored(QStringLiteral("DefaultDir")),
                 QStringLiteral("/start/here/"));
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    void splashLabels()
    {
        Program &program = run();
        frmSplash &splash = program.splash();
        QCOMPARE(splash.lblProductName->text(), QStringLiteral("Neru"));
        QCOMPARE(splash.lblCompanyProduct->text(), QStringLiteral("Dorvel Environmental"));
        QCOMPARE(splash.lblCompany->text(), QStringLiteral("Dorvel Environmental"));
        QCOMPARE(splash.lblVersion->text(), frmSplash::versionCaption(programVersion()));
        QCOMPARE(splash.lblCopyright->text(), program.strings().text(10030));
        QCOMPARE(splash.lblWarning->text(), program.strings().text(10050));
        QVERIFY(!splash.lblWarning->text().isEmpty());
        QCOMPARE(splash.picLogo->pixmap().size(), QSize(120, 137));
        QCOMPARE(splash.lblProductName->font().family(), QStringLiteral("Arial"));
    }

    void versionCaption_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("caption");
        QTest::newRow("plain") << "5.0.3"
                               << "Version 5.0.3";
        QTest::newRow("leading zeros dropped") << "5.00.0003"
                                               << "Version 5.0.3";
        QTest::newRow("project") << "0.1.0"
                                 << "Version 0.1.0";
        QTest::newRow("two digits") << "10.20.30"
                                    << "Version 10.20.30";
    }

    void versionCaption()
    {
        QFETCH(QString, version);
        QFETCH(QString, caption);
        QCOMPARE(frmSplash::versionCaption(version), caption);
    }

    void storedPortIsNamedCheckedAndKept_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("storedAfterExit");
        QTest::newRow("COM1") << "1"
                              << "1"
                              << "mnuToolsCommsCOM1"
                              << "1";
        // Never written back: the text stays as it was until the user chooses COM1 to COM4.
        QTest::newRow("outside 1 to 4") << "09"
                                        << "9"
                                        << "mnuToolsCommsTest"
                                        << "09";
        QTest::newRow("zero") << "0"
                              << "0"
                              << "mnuToolsCommsTest"
                              << "0";
        QTest::newRow("not a number") << "two"
                                      << "2"
                                      << "mnuToolsCommsCOM2"
                                      << "2";
    }

    void storedPortIsNamedCheckedAndKept()
    {
        QFETCH(QString, stored);
        QFETCH(QString, named);
        QFETCH(QString, checked);
        QFETCH(QString, storedAfterExit);
        QVERIFY(StartUpStore::store(QStringLiteral("COMPort"), stored));
        Program &program = run();
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, portMessage(named));
        QVERIFY(handOver());
        auto *entry = program.mainWindow()->findChild<QAction *>(checked);
        QVERIFY(entry);
        QVERIFY(entry->isChecked());
        QVERIFY(!program.mainWindow()->mnuToolsCommsTest->isVisible());
        program.mainWindow()->close();
        QCOMPARE(StartUpStore::stored(QStringLiteral("COMPort")), storedAfterExit);
        QCOMPARE(StartUpStore::stored(QStringLiteral("DefaultDir")),
                 QStringLiteral("/start/here/"));
    }

    void chosenPortIsUsedAtTheNextStart()
    {
        {
            Program &program = run();
            QVERIFY(handOver());
            program.mainWindow()->mnuToolsCommsCOM4->trigger();
            program.mainWindow()->mnuFileExit->trigger();
        }
        m_prompts.messages.clear();
        Program &next = run(QStringLiteral("/elsewhere"));
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, portMessage(QStringLiteral("4")));
        QVERIFY(handOver());
        QVERIFY(next.mainWindow()->mnuToolsCommsCOM4->isChecked());
        // The stored directory wins over the start directory.
        QCOMPARE(next.startUp().strDefaultDir, QStringLiteral("/start/here/"));
    }

    void aboutShowsTheSplashWithoutTheMessage()
    {
        Program &program = run();
        QVERIFY(handOver());
        frmNeru &main = *program.mainWindow();
        frmSplash &splash = program.splash();
        // A port chosen in this run survives About.
        main.mnuToolsCommsCOM3->trigger();
        QVERIFY(StartUpStore::store(QStringLiteral("COMPort"), QStringLiteral("1")));

        for (int about = 0; about < 2; ++about) {
            main.mnuHelpAbout->trigger();
            QVERIFY(splash.isVisible());
            QTRY_VERIFY(splash.tmrSplash->isActive());
            splash.tmrSplash_Timer();
            QVERIFY(!splash.isVisible());
            QVERIFY(main.isVisible());
        }
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(int(program.startUp().intCOMPort), 3);
        QVERIFY(main.mnuToolsCommsCOM3->isChecked());
    }

    void fileNamedAtStartIsOpenedOnceTheWindowIsUp()
    {
        QStringList opened;
        bool loadedBeforeOpen = false;
        run(QStringLiteral("/start"), QStringLiteral("/data/flow.dat"), [&](frmNeru &main) {
            main.hooks.openDataFile = [&opened, &loadedBeforeOpen, &main](const QString &path) {
                loadedBeforeOpen = main.isVisible()
                    && main.windowTitle() == QStringLiteral("NERU Program: Unnamed");
                opened << path;
            };
        });
        QVERIFY(opened.isEmpty());
        QVERIFY(handOver());
        QCOMPARE(opened, QStringList { "/data/flow.dat" });
        QVERIFY(loadedBeforeOpen);
        // About hands over again without opening the file a second time.
        m_program->mainWindow()->mnuHelpAbout->trigger();
        m_program->splash().tmrSplash_Timer();
        QCOMPARE(opened.size(), 1);
    }

    void closingTheMainWindowEndsTheProgramDuringAbout()
    {
        Program &program = run();
        QVERIFY(handOver());
        program.mainWindow()->mnuHelpAbout->trigger();
        QVERIFY(program.splash().isVisible());
        program.mainWindow()->close();
        QCOMPARE(m_quits, 1);
        QVERIFY(!program.splash().isVisible());
        QVERIFY(!program.splash().tmrSplash->isActive());
    }
};

QTEST_MAIN(tst_StartUp)
#include "tst_StartUp.moc"
