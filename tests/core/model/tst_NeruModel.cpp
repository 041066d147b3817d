#include "DistrictBytes.h"
#include "FileSizeLimit.h"
#include "NeruModel.h"
#include "PlotFixture.h"
#include "SaveDistrictPrompt.h"
#include "records/RecordEncoder.h"

#include <QtTest>

#include <memory>

const QString kFlow = QStringLiteral(NERU_SOURCE_DIR "/samples/flow.dat");

// The open district and what the model tells the user and the windows of it.
class tst_NeruModel : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    std::unique_ptr<TempLog> m_log;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<NeruModel> m_model;
    QStringList m_signals;

private slots:
    void init()
    {
        m_log = std::make_unique<TempLog>();
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_model = std::make_unique<NeruModel>(m_strings, m_log->report, *m_prompts);
        m_signals.clear();
        connect(m_model.get(), &NeruModel::districtChanged, this,
                [this] { m_signals << QStringLiteral("district"); });
        connect(m_model.get(), &NeruModel::unitsChanged, this, [this](const Units::Change &c) {
            m_signals << QStringLiteral("units ") + c.unitText;
        });
    }

    // File > Open over a flow district: a refused file is told (and logged if unreadable) and
    // the district on show stays; an opened one sets the folder and sums up unread readings.
    void openDataFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // of the file; null: no file
        QTest::addColumn<QString>("signalled");
        QTest::addColumn<QString>("message"); // %1: the file's absolute path, %2: the log's
        QTest::addColumn<QString>("logged"); // the end of the last entry
        auto row = [](const char *name, const QByteArray &bytes, const char *signalled,
                      const QString &message, const char *logged) {
            QTest::newRow(name) << bytes << QString::fromUtf8(signalled) << message
                                << (*logged ? QString::fromUtf8(logged) : QString());
        };
        row("version 4 is decoded", TempLog::readAll(NERU_SOURCE_DIR "/samples/pressure.dat"),
            "district|units Bar", {}, "");
        row("header one byte short is refused", RecordEncoder::header("1").left(246), "",
            "%1: the file is shorter than its 247-byte header (246 bytes)", "");
        // Values too large in a fitting at 272 and a reading at 287, a record cut short at 297.
        const RecordEncoder::Time t { 2026, 1, 1, 0, 15, 0 };
        row("damaged file is shown and told",
            RecordEncoder::header("1") + district("00001", 1)
                + RecordEncoder::fitting("00002", t, 0x8000) + RecordEncoder::simple(t, 0x9000)
                + RecordEncoder::simple(t, 600).left(4),
            "district|units l/s",
            "%1 holds readings that could not be read:\n"
            "2 records whose values overflowed, the first at byte 272\n"
            "1 record cut short by the end of the file, at byte 297\n"
            "The graph shows the readings that could be read. Details are in %2.",
            "(file %1, offset 297)");
        row("missing file is logged and told", QByteArray(), "", "%1: No such file or directory",
            "00123.dat: No such file or directory in mnuFileOpen_Click(frmNeru)");
        row("empty file is logged and told", "", "", "%1: the file is empty",
            "00123.dat: the file is empty in mnuFileOpen_Click(frmNeru)");
    }

    void openDataFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, signalled);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        m_model->openDataFile(kFlow);
        const QByteArray flow = m_model->file().image().bytes();
        m_signals.clear();
        const QString path = m_log->dir.filePath(QStringLiteral("00123.dat"));
        QVERIFY(bytes.isNull() || TempLog::writeAll(path, bytes));

        m_model->openDataFile(QDir::current().relativeFilePath(path));
        QCOMPARE(m_signals.join(u'|'), signalled);
        QCOMPARE(m_prompts->messages,
                 message.isEmpty()
                     ? QStringList()
                     : QStringList { message.replace(QStringLiteral("%1"), path)
                                         .replace(QStringLiteral("%2"), m_log->report.logPath()) });
        QVERIFY(m_log->messages().join(QString()).trimmed().endsWith(
            logged.replace(QStringLiteral("%1"), path)));
        QCOMPARE(m_log->messages().isEmpty(), logged.isEmpty());
        const bool refused = signalled.isEmpty();
        QCOMPARE(m_model->file().image().path(), refused ? kFlow : path);
        QCOMPARE(m_model->file().image().bytes() == flow, refused);
        QCOMPARE(m_model->unit(),
                 refused || signalled.endsWith(u"l/s") ? DisplayUnit::LitresPerSecond
                                                       : DisplayUnit::Bar);
        QCOMPARE(m_model->startUp().defaultFolder,
                 (refused ? QFileInfo(kFlow).path() : m_log->dir.path()) + u'/');
    }

    // File > Export writes neru.csv in the display unit to the last file's folder and says
    // where; a failed one names the file and why and keeps the old one whole.
    void exportWritesTheTableInTheDisplayUnit()
    {
        const QString dir = m_log->dir.path() + u'/';
        const QString csv = dir + QStringLiteral("neru.csv");
        const QString path = dir + QStringLiteral("flow.dat");
        QVERIFY(QFile::copy(kFlow, path));
        m_model->openDataFile(path);
        m_model->exportCsv();
        // The first reading, 53.76 m3/h and 0.24 m3/h, in l/s.
        QVERIFY(
            TempLog::readAll(csv).startsWith("00101,23/11/2026,09:00:00,14.93   ,0.07    \r\n"));
        m_model->setUnitCode(2);
        m_model->exportCsv();
        const QByteArray written = TempLog::readAll(csv);
        QVERIFY(written.startsWith("00101,23/11/2026,09:00:00,53.76   ,0.24    \r\n"));
        {
            FileSizeLimit limit(100);
            m_model->exportCsv();
        }
        QCOMPARE(TempLog::readAll(csv), written);
        QCOMPARE(m_prompts->messages,
                 QStringList({ m_strings.text(40260) + dir, m_strings.text(40260) + dir,
                               csv + QStringLiteral(": File too large") }));
    }

    // A download without a district asks nothing and shows nothing; a district whose save was
    // skipped cannot save its texts, and the user is told.
    void unsavedDownloadsShowNothingNewOrKeepTheirTexts()
    {
        struct Declined : SaveDistrictPrompt
        {
            bool askDistrict(Texts &, QString &) override { return ++asked, false; }
            bool districtNotWritten(const QString &, const QString &) override { return false; }
            int asked = 0;
        } prompt;
        m_model->saveDownload(RecordEncoder::simple({}, 5), prompt);
        QCOMPARE(prompt.asked, 0);
        QVERIFY(m_signals.isEmpty());
        m_model->saveDownload(district(QStringLiteral("00001"), 1), prompt);
        QCOMPARE(prompt.asked, 1);
        QVERIFY(!m_model->saveHeaderTexts(QStringLiteral("Lost"), QString(), QString()));
        QCOMPARE(m_prompts->messages,
                 QStringList({ QStringLiteral("The download holds no district, so there is "
                                              "nothing to save or show."),
                               QStringLiteral("This district was not saved in a file, so its "
                                              "texts cannot be saved.") }));
        QCOMPARE(m_model->file().image().text(DistrictImage::Field::Title), QString());
    }
};

QTEST_GUILESS_MAIN(tst_NeruModel)
#include "tst_NeruModel.moc"
