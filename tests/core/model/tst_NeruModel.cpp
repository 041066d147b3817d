#include "GraphFixture.h"
#include "NeruModel.h"
#include "RecordingMessages.h"
#include "RecordingProgress.h"

#include <QtTest>

#include <memory>

namespace {

const QString kFlow = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

} // namespace

// The open district and the display unit, and what the model tells the windows of them.
class tst_NeruModel : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    std::unique_ptr<TempLog> m_log;
    std::unique_ptr<RecordingPrompt> m_prompts;
    std::unique_ptr<NeruModel> m_model;
    QStringList m_signals;

private slots:
    void init()
    {
        m_log = std::make_unique<TempLog>();
        m_prompts = std::make_unique<RecordingPrompt>();
        m_model = std::make_unique<NeruModel>(m_strings, m_log->report, *m_prompts);
        m_signals.clear();
        connect(m_model.get(), &NeruModel::districtChanged, this,
                [this] { m_signals << QStringLiteral("district"); });
        connect(m_model.get(), &NeruModel::unitsChanged, this, [this](const Units::Change &c) {
            m_signals << QStringLiteral("units ") + c.unitText;
        });
    }

    // With a flow district open, the row's file is opened as File > Open does.
    void openDataFile_data()
    {
        QTest::addColumn<QString>("source"); // copied in; "old": an older version; "": none
        QTest::addColumn<QString>("signalled");
        QTest::addColumn<QString>("message"); // %1: the file's absolute path
        QTest::addColumn<QString>("logged");
        QTest::newRow("version 4 is decoded")
            << QStringLiteral(NERU_SOURCE_DIR "/samples/pressure.dat")
            << QStringLiteral("district|units Bar") << QString() << QString();
        QTest::newRow("older version is refused")
            << QStringLiteral("old") << QString() << m_strings.text(40250) << QString();
        QTest::newRow("header cut short is refused")
            << QStringLiteral("short") << QString()
            << QStringLiteral("%1: the file is shorter than its 247-byte header (100 bytes)")
            << QString();
        QTest::newRow("missing file is logged")
            << QString() << QString() << QString()
            << QStringLiteral("00123.dat: No such file or directory in mnuFileOpen_Click(frmNeru)");
    }

    void openDataFile()
    {
        QFETCH(QString, source);
        QFETCH(QString, signalled);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        m_model->openDataFile(kFlow);
        const qint32 flowSamples = m_model->file().series().lngNumSamples;
        m_signals.clear();
        const QString path = m_log->dir.filePath(QStringLiteral("00123.dat"));
        QFile file(path);
        if (source == QLatin1String("old") || source == QLatin1String("short"))
            QVERIFY(file.open(QIODevice::WriteOnly)
                    && file.write(QByteArray(source == QLatin1String("old") ? 300 : 100,
                                             source == QLatin1String("old") ? '3' : '4'))
                        > 0);
        else if (!source.isEmpty())
            QVERIFY(QFile::copy(source, path));
        file.close();

        m_model->openDataFile(QDir::current().relativeFilePath(path));
        QCOMPARE(m_signals.join(u'|'), signalled);
        QCOMPARE(m_prompts->messages,
                 message.isEmpty() ? QStringList() : QStringList { message.arg(path) });
        QCOMPARE(m_log->messages().join(QString()).trimmed().endsWith(logged), true);
        QCOMPARE(m_log->messages().size(), logged.isEmpty() ? 0 : 1);
        QCOMPARE(m_model->startUp().strDefaultDir, m_log->dir.path() + u'/');
        // Refused, nothing changes: the file, the series and its unit stay as they were.
        QCOMPARE(m_model->file().strDataFile(), signalled.isEmpty() ? kFlow : path);
        QCOMPARE(int(m_model->intUnits()), signalled.isEmpty() ? 1 : 4);
        if (signalled.isEmpty()) {
            QCOMPARE(m_model->file().series().lngNumSamples, flowSamples);
            QCOMPARE(m_model->file().RawImage().at(0), '4');
        }
    }

    // The link talks on the port chosen in the Comms menu, before and after it is made.
    void linkFollowsThePort()
    {
        RecordingMessages messages;
        RecordingProgress progress;
        m_model->setCOMPort(3);
        QVERIFY(!m_model->link());
        m_model->attachLink(messages, progress);
        QVERIFY(m_model->link());
        QCOMPARE(int(m_model->link()->comm().intCOMPort), 3);
        m_model->setCOMPort(0);
        QCOMPARE(int(m_model->link()->comm().intCOMPort), 0);
    }

    void unitSignalsAndSetsTheFactor()
    {
        m_model->openDataFile(kFlow);
        m_model->SetUnits(2);
        QCOMPARE(m_signals, (QStringList { "district", "units l/s", "units m3/h" }));
        QCOMPARE(int(m_model->intUnits()), 2);
        QCOMPARE(m_model->dblFlowScaleFactor(), 3.6);
        // A new main window starts from no unit, no file and the factor 1.
        m_model->resetForNewWindow();
        QCOMPARE(m_signals.last(), QStringLiteral("units "));
        QCOMPARE(int(m_model->intUnits()), 0);
        QCOMPARE(m_model->dblFlowScaleFactor(), 1.0);
        QVERIFY(m_model->file().strDataFile().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_NeruModel)
#include "tst_NeruModel.moc"
