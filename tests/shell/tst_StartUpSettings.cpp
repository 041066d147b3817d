#include "shell/SettingsStore.h"
#include "shell/StartUpSettings.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

// The two persistent settings: what is read on a clean machine and from odd stored
// values, and what the main window's closing writes back.
class tst_StartUpSettings : public QObject
{
    Q_OBJECT

private:
    static QString appName()
    {
        return StartUpSettings::appName(QStringLiteral("Dorvel Environmental"));
    }

    static void store(const QString &key, const QString &value)
    {
        SettingsStore settings(appName());
        settings.write(StartUpSettings::section(), key, value);
        QVERIFY(settings.sync());
    }

    static QString stored(const QString &key)
    {
        return SettingsStore(appName()).read(StartUpSettings::section(), key,
                                             QStringLiteral("<absent>"));
    }

private slots:
    void init()
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("neru"),
                           appName());
        settings.clear();
        settings.sync();
    }

    void applicationNameIsCompanyDashTitle()
    {
        QCOMPARE(appName(), QStringLiteral("Dorvel Environmental - Neru"));
        QCOMPARE(appName(), SettingsStore::applicationName());
    }

    void storeLivesInTheUsersConfigurationFolder()
    {
        const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
        QVERIFY2(!config.isEmpty(), "the test runs with its own configuration folder");
        QCOMPARE(SettingsStore(appName()).fileName(),
                 config + QStringLiteral("/neru/Dorvel Environmental - Neru.ini"));
    }

    void portFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("4") << "4" << 4;
        QTest::newRow("outside 1 to 4 is kept") << "7" << 7;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("spaces around") << " 3 " << 3;
        QTest::newRow("half rounds to even, up") << "3.5" << 4;
        QTest::newRow("half rounds to even, down") << "2.5" << 2;
        QTest::newRow("not a number") << "abc" << 2;
        QTest::newRow("port name") << "COM3" << 2;
        QTest::newRow("empty") << "" << 2;
        QTest::newRow("too large for 16 bits") << "99999" << 2;
        QTest::newRow("largest 16-bit") << "32767" << 32767;
    }

    void portFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(int(StartUpSettings::portFromText(text)), port);
    }

    void cleanMachineGivesCOM2AndTheCurrentDirectory()
    {
        StartUpSettings startUp;
        startUp.readSettings(SettingsStore(appName()), QStringLiteral("/home/user/logs"));
        QCOMPARE(int(startUp.intCOMPort), 2);
        QCOMPARE(startUp.strDefaultDir, QStringLiteral("/home/user/logs/"));
    }

    void rootDirectoryGetsNoSecondSeparator()
    {
        StartUpSettings startUp;
        startUp.readSettings(SettingsStore(appName()), QStringLiteral("/"));
        QCOMPARE(startUp.strDefaultDir, QStringLiteral("/"));
    }

    void storedValuesAreRead_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<int>("intCOMPort");
        QTest::addColumn<QString>("strDefaultDir");
        QTest::newRow("COM4") << "4" << "/data/" << 4 << "/data/";
        QTest::newRow("port outside 1 to 4") << "9" << "/data/" << 9 << "/data/";
        QTest::newRow("port not a number") << "x" << "/data/" << 2 << "/data/";
        QTest::newRow("directory without separator") << "1" << "/data" << 1 << "/data/";
        QTest::newRow("empty directory") << "1" << "" << 1 << "/start/";
    }

    void storedValuesAreRead()
    {
        QFETCH(QString, port);
        QFETCH(QString, dir);
        QFETCH(int, intCOMPort);
        QFETCH(QString, strDefaultDir);
        store(StartUpSettings::portKey(), port);
        store(StartUpSettings::directoryKey(), dir);
        StartUpSettings startUp;
        startUp.readSettings(SettingsStore(appName()), QStringLiteral("/start"));
        QCOMPARE(int(startUp.intCOMPort), intCOMPort);
        QCOMPARE(startUp.strDefaultDir, strDefaultDir);
    }

    void writeStoresPortOnlyWhenOneToFour_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("storedPort");
        QTest::newRow("COM1") << 1 << "1";
        QTest::newRow("COM4") << 4 << "4";
        QTest::newRow("file mode 0 keeps the old value") << 0 << "3";
        QTest::newRow("5 keeps the old value") << 5 << "3";
        QTest::newRow("negative keeps the old value") << -1 << "3";
    }

    void writeStoresPortOnlyWhenOneToFour()
    {
        QFETCH(int, port);
        QFETCH(QString, storedPort);
        store(StartUpSettings::portKey(), QStringLiteral("3"));
        StartUpSettings startUp;
        startUp.intCOMPort = qint16(port);
        startUp.strDefaultDir = QStringLiteral("/run/dir/");
        SettingsStore settings(appName());
        QVERIFY(startUp.writeSettings(settings));
        QCOMPARE(stored(StartUpSettings::portKey()), storedPort);
        QCOMPARE(stored(StartUpSettings::directoryKey()), QStringLiteral("/run/dir/"));
    }

    void firstStartThenExitStoresTheDefaults()
    {
        StartUpSettings first;
        first.readSettings(SettingsStore(appName()), QStringLiteral("/home/u"));
        QCOMPARE(stored(StartUpSettings::portKey()), QStringLiteral("<absent>"));
        SettingsStore settings(appName());
        QVERIFY(first.writeSettings(settings));
        QCOMPARE(stored(StartUpSettings::portKey()), QStringLiteral("2"));
        QCOMPARE(stored(StartUpSettings::directoryKey()), QStringLiteral("/home/u/"));

        // What the next start reads from the file itself.
        QSettings file(SettingsStore(appName()).fileName(), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("StartUp/COMPort")).toString(), QStringLiteral("2"));
        QCOMPARE(file.value(QStringLiteral("StartUp/DefaultDir")).toString(),
                 QStringLiteral("/home/u/"));
    }

    void chosenPortSurvivesARestart()
    {
        StartUpSettings run;
        run.readSettings(SettingsStore(appName()), QStringLiteral("/a"));
        run.intCOMPort = 4;
        SettingsStore settings(appName());
        QVERIFY(run.writeSettings(settings));
        StartUpSettings next;
        next.readSettings(SettingsStore(appName()), QStringLiteral("/b"));
        QCOMPARE(int(next.intCOMPort), 4);
        QCOMPARE(next.strDefaultDir, QStringLiteral("/a/"));
    }
};

QTEST_GUILESS_MAIN(tst_StartUpSettings)
#include "tst_StartUpSettings.moc"
