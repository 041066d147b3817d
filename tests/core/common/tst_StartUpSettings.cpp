#include "SettingsStore.h"
#include "StartUpSettings.h"

#include "StartUpStore.h"

#include <QSettings>
#include <QtTest>

// The two persistent settings: what is read on a clean machine and from odd stored
// values, and what the main window's closing writes back.
class tst_StartUpSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { StartUpStore::clear(); }

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

    void readSettings_data()
    {
        // A null text is a value that is not in the store.
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("currentDir");
        QTest::addColumn<int>("intCOMPort");
        QTest::addColumn<QString>("strDefaultDir");
        QTest::newRow("clean machine")
            << QString() << QString() << "/home/user/logs" << 2 << "/home/user/logs/";
        QTest::newRow("root gets no second separator") << QString() << QString() << "/" << 2 << "/";
        QTest::newRow("COM4") << "4"
                              << "/data/"
                              << "/start" << 4 << "/data/";
        QTest::newRow("port outside 1 to 4") << "9"
                                             << "/data/"
                                             << "/start" << 9 << "/data/";
        QTest::newRow("port not a number") << "x"
                                           << "/data/"
                                           << "/start" << 2 << "/data/";
        QTest::newRow("directory without separator") << "1"
                                                     << "/data"
                                                     << "/start" << 1 << "/data/";
        QTest::newRow("empty directory") << "1"
                                         << ""
                                         << "/start" << 1 << "/start/";
    }

    void readSettings()
    {
        QFETCH(QString, port);
        QFETCH(QString, dir);
        QFETCH(QString, currentDir);
        QFETCH(int, intCOMPort);
        QFETCH(QString, strDefaultDir);
        if (!port.isNull())
            QVERIFY(StartUpStore::store(StartUpSettings::portKey(), port));
        if (!dir.isNull())
            QVERIFY(StartUpStore::store(StartUpSettings::directoryKey(), dir));
        StartUpSettings startUp;
        startUp.readSettings(SettingsStore(), currentDir);
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
        QVERIFY(StartUpStore::store(StartUpSettings::portKey(), QStringLiteral("3")));
        StartUpSettings startUp;
        startUp.intCOMPort = qint16(port);
        startUp.strDefaultDir = QStringLiteral("/run/dir/");
        SettingsStore settings;
        QVERIFY(startUp.writeSettings(settings));
        QCOMPARE(StartUpStore::stored(StartUpSettings::portKey()), storedPort);
        QCOMPARE(StartUpStore::stored(StartUpSettings::directoryKey()),
                 QStringLiteral("/run/dir/"));
    }

    void storeIsAnIniFileInTheUsersConfigurationFolder()
    {
        StartUpSettings startUp;
        startUp.readSettings(SettingsStore(), QStringLiteral("/home/u"));
        SettingsStore settings;
        QVERIFY(startUp.writeSettings(settings));
        const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
        QVERIFY2(!config.isEmpty(), "the test runs with its own configuration folder");
        QSettings file(config + QStringLiteral("/neru/Dorvel Environmental - Neru.ini"),
                       QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("StartUp/COMPort")).toString(), QStringLiteral("2"));
        QCOMPARE(file.value(QStringLiteral("StartUp/DefaultDir")).toString(),
                 QStringLiteral("/home/u/"));
    }
};

QTEST_GUILESS_MAIN(tst_StartUpSettings)
#include "tst_StartUpSettings.moc"
