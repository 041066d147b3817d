#include "SettingsStore.h"
#include "StartUpSettings.h"

#include "StartUpStore.h"

#include <QtTest>

// The two persistent settings, read from and written back to their stored values.
class tst_StartUpSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { StartUpStore::clear(); }

    void portFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("spaces around") << " 3 " << 3;
        QTest::newRow("half rounds to even, up") << "3.5" << 4;
        QTest::newRow("half rounds to even, down") << "2.5" << 2;
        QTest::newRow("too large for 16 bits") << "99999" << 2;
    }
    void portFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(int(StartUpSettings::portFromText(text)), port);
    }

    void defaultDirEndsInOneSeparator_data()
    {
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<QString>("currentDir");
        QTest::addColumn<QString>("defaultFolder");
        auto row = [](const char *name, const char *stored, const char *current, const char *dir) {
            QTest::newRow(name) << QString::fromLatin1(stored) << QString::fromLatin1(current)
                                << QString::fromLatin1(dir);
        };
        row("root gets no second separator", nullptr, "/", "/");
        row("directory without separator", "/data", "/start", "/data/");
        // An empty one would put the district files at the root of the file system.
        row("empty directory", "", "/start", "/start/");
    }
    void defaultDirEndsInOneSeparator()
    {
        QFETCH(QString, stored);
        QFETCH(QString, currentDir);
        QFETCH(QString, defaultFolder);
        if (!stored.isNull())
            QVERIFY(StartUpStore::store(StartUpSettings::directoryKey(), stored));
        StartUpSettings startUp;
        startUp.readSettings(SettingsStore(), currentDir);
        QCOMPARE(startUp.defaultFolder, defaultFolder);
    }

    // A port outside 1 to 4 (rawdata.bin) lasts one run; the run's folder is stored.
    void portOutsideOneToFourIsNotStored()
    {
        QVERIFY(StartUpStore::store(StartUpSettings::portKey(), QStringLiteral("3")));
        StartUpSettings startUp;
        startUp.loggerPort = 7;
        startUp.defaultFolder = QStringLiteral("/run/");
        SettingsStore store;
        QVERIFY(startUp.writeSettings(store));
        QCOMPARE(StartUpStore::stored(StartUpSettings::portKey()), QStringLiteral("3"));
        QCOMPARE(StartUpStore::stored(StartUpSettings::directoryKey()), QStringLiteral("/run/"));
    }
};

QTEST_GUILESS_MAIN(tst_StartUpSettings)
#include "tst_StartUpSettings.moc"
