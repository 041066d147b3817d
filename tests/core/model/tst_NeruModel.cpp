#include "NeruModel.h"
#include "StringTable.h"
#include "TempLog.h"
#include "UserPrompts.h"

#include <QtTest>

#include <memory>

namespace {

const QString kFlow = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");
const QString kPressure = QStringLiteral(NERU_SOURCE_DIR "/samples/pressure.dat");

class RecordingPrompts : public UserPrompts
{
public:
    void message(const QString &text, const QString &title) override
    {
        messages << title + QStringLiteral(": ") + text;
    }
    Answer question(const QString &, const QString &) override { return Answer::No; }
    QStringList messages;
};

} // namespace

// The open district and the display unit, and what the model tells the windows of them.
class tst_NeruModel : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    std::unique_ptr<TempLog> m_log;
    RecordingPrompts m_prompts;
    std::unique_ptr<NeruModel> m_model;
    QStringList m_signals;

private slots:
    void init()
    {
        m_log = std::make_unique<TempLog>();
        m_prompts.messages.clear();
        m_model = std::make_unique<NeruModel>(m_strings, m_log->report, m_prompts);
        m_signals.clear();
        connect(m_model.get(), &NeruModel::districtChanged, this,
                [this] { m_signals << QStringLiteral("district"); });
        connect(m_model.get(), &NeruModel::unitsChanged, this, [this](const Units::Change &c) {
            m_signals << QStringLiteral("units ") + c.unitText;
        });
    }

    // A flow district is open; then the row's file is opened as File > Open does.
    void openDataFile_data()
    {
        QTest::addColumn<QString>("source"); // copied into the folder; empty: no file
        QTest::addColumn<QStringList>("signalled");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("logged");
        QTest::newRow("version 4 is decoded")
            << kPressure << QStringList { "district", "units Bar" } << QStringList() << "";
        QTest::newRow("older version is refused")
            << "old" << QStringList()
            << QStringList { "Neru: This program cannot communicate "
                             "with NERU software or files before "
                             "version 4.0" }
            << "";
        QTest::newRow("missing file is logged")
            << "" << QStringList() << QStringList() << "in mnuFileOpen_Click(frmNeru)";
    }

    void openDataFile()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, signalled);
        QFETCH(QStringList, messages);
        QFETCH(QString, logged);
        m_model->openDataFile(kFlow);
        const qint32 flowSamples = m_model->file().series().lngNumSamples;
        QVERIFY(flowSamples > 100);
        m_signals.clear();

        const QString path = m_log->dir.filePath(QStringLiteral("00123.dat"));
        if (source == QLatin1String("old")) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(300, '3'));
        } else if (!source.isEmpty()) {
            QVERIFY(QFile::copy(source, path));
        }
        m_model->openDataFile(QDir::current().relativeFilePath(path));

        QCOMPARE(m_signals, signalled);
        QCOMPARE(m_prompts.messages, messages);
        const QStringList entries = m_log->messages();
        QCOMPARE(entries.size(), logged.isEmpty() ? 0 : 1);
        if (!logged.isEmpty())
            QVERIFY(entries[0].trimmed().endsWith(logged));
        QCOMPARE(m_model->startUp().strDefaultDir, m_log->dir.path() + u'/');
        // Named once read, even when refused: a file that could not be read leaves the
        // image tied to the file it came from.
        QCOMPARE(m_model->file().strDataFile(), source.isEmpty() ? kFlow : path);
        const bool decoded = !signalled.isEmpty();
        QCOMPARE(int(m_model->intUnits()), decoded ? 4 : 1);
        if (!decoded)
            QCOMPARE(m_model->file().series().lngNumSamples, flowSamples);
    }

    void unitSignalsAndSetsTheFactor()
    {
        m_model->openDataFile(kFlow);
        m_signals.clear();
        m_model->SetUnits(2);
        QCOMPARE(m_signals, QStringList { "units m3/h" });
        QCOMPARE(int(m_model->intUnits()), 2);
        QCOMPARE(m_model->dblFlowScaleFactor(), 3.6);
        // A new main window starts from no unit, no file and the factor 1.
        m_model->resetForNewWindow();
        QCOMPARE(m_signals, (QStringList { "units m3/h", "units " }));
        QCOMPARE(int(m_model->intUnits()), 0);
        QCOMPARE(m_model->dblFlowScaleFactor(), 1.0);
        QVERIFY(m_model->file().strDataFile().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_NeruModel)
#include "tst_NeruModel.moc"
