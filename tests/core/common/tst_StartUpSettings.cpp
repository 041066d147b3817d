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
        QTest::newRow("outside 1 to 4 is kept") << "7" << 7;
        QTest::newRow("spaces around") << " 3 " << 3;
        QTest::newRow("half rounds to even, up") << "3.5" << 4;
        QTest::newRow("half rounds to even, down") << "2.5" << 2;
        QTest::newRow("not a number") << "COM3" << 2;
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
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("currentDir");
        QTest::addColumn<int>("intCOMPort");
        QTest::addColumn<QString>("strDefaultDir");
        // nullptr: not in the store.
        auto row = [](const char *name, const char *port, const char *dir, const char *current,
                      int intCOMPort, const char *strDefaultDir) {
            QTest::newRow(name) << QString::fromLatin1(port) << QString::fromLatin1(dir)
                                << QString::fromLatin1(current) << intCOMPort
                                << QString::fromLatin1(strDefaultDir);
        };
        row("clean machine", nullptr, nullptr, "/home/u", 2, "/home/u/");
        row("root gets no second separator", nullptr, nullptr, "/", 2, "/");
        row("COM4", "4", "/data/", "/start", 4, "/data/");
        row("directory without separator", "1", "/data", "/start", 1, "/data/");
        row("empty directory", "1", "", "/start", 1, "/start/");
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
        // As the next run finds it: an ini file in the user's configuration folder.
        const QSettings file(qEnvironmentVariable("XDG_CONFIG_HOME")
                                 + QStringLiteral("/neru/Dorvel Environmental - Neru.ini"),
                             QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("StartUp/COMPort")).toString(), storedPort);
        QCOMPARE(file.value(QStringLiteral("StartUp/DefaultDir")).toString(),
                 QStringLiteral("/run/dir/"));
    }
};

QTEST_GUILESS_MAIN(tst_StartUpSettings)
#include "tst_StartUpSettings.moc"
