#include "DistrictBytes.h"
#include "FileSizeLimit.h"
#include "General.h"
#include "MessageBoxPrompts.h"
#include "NeruModel.h"
#include "SaveDistrictDialog.h"
#include "SaveDistrictDialogPrompt.h"
#include "ScriptedPrompts.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const RecordEncoder::Time kTime { 2026, 5, 1, 10, 0, 0 };

// 35 bytes: a district record and two readings.
QByteArray first()
{
    return district(u"00012"_s) + RecordEncoder::simple(kTime, 1) + RecordEncoder::simple(kTime, 2);
}

void type(QLineEdit *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    // Key by key, each carrying its character (keyClicks would send Latin-1 only).
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

// Cutting a download into files through the Save District dialog, worked as the user does.
class tst_SaveDistrictDialog : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    const General m_general { m_strings };
    std::unique_ptr<QTemporaryDir> m_home; // an entry of the drive list
    std::unique_ptr<TempLog> m_log;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<NeruModel> m_model;
    std::unique_ptr<SaveDistrictDialog> m_dialog;
    QList<std::function<void()>> m_steps; // one each time the dialog shows
    QString m_dir; // defaultFolder before the cut: a folder in the home folder

    SaveDistrictDialog &dialog() { return *m_dialog; }
    const QFileSystemModel *folders()
    {
        return static_cast<const QFileSystemModel *>(dialog().folderView->model());
    }
    QString path(const QModelIndex &index) { return folders()->filePath(index); }
    QString boxes()
    {
        return QStringList { dialog().fileNameEdit->text(), dialog().districtEdit->text(),
                             dialog().titleEdit->text(), dialog().comments1Edit->text(),
                             dialog().comments2Edit->text() }
            .join(u'|');
    }
    void pressOK() { QTest::mouseClick(dialog().okButton, Qt::LeftButton); }
    void clickFolder(const QString &folder)
    {
        const QModelIndex index = folders()->index(folder);
        dialog().folderView->scrollTo(index);
        QTRY_VERIFY(!dialog().folderView->visualRect(index).isEmpty()); // its folder has loaded
        QTest::mouseClick(dialog().folderView->viewport(), Qt::LeftButton, {},
                          dialog().folderView->visualRect(index).center());
    }

    // Cuts the download as Interrogate does.
    void cut(const QByteArray &download)
    {
        SaveDistrictDialogPrompt prompt(dialog(), *m_prompts);
        m_model->saveDownload(download, prompt);
        QVERIFY2(m_steps.isEmpty(), "the dialog showed fewer times than scripted");
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_dialog.get() && event->type() == QEvent::Show)
            QMetaObject::invokeMethod(this, &tst_SaveDistrictDialog::nextStep,
                                      Qt::QueuedConnection);
        return false;
    }
    void nextStep()
    {
        if (!m_steps.isEmpty())
            m_steps.takeFirst()();
        // A step that failed or forgot to close the dialog must not leave the cut waiting.
        if (dialog().isVisible()) {
            if (!QTest::currentTestFailed())
                QTest::qFail("the dialog is still open after its step", __FILE__, __LINE__);
            dialog().done(QDialog::Rejected);
        }
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("HOME", QFile::encodeName(m_home->path()));
        m_log = std::make_unique<TempLog>();
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_model = std::make_unique<NeruModel>(m_strings, m_log->report, *m_prompts);
        m_dialog = std::make_unique<SaveDistrictDialog>(m_strings, m_general, *m_prompts);
        m_dialog->installEventFilter(this);
        m_dir = m_home->filePath(u"a/"_s);
        QDir().mkpath(m_home->filePath(u"a/b"_s));
        m_model->startUp().defaultFolder = m_dir;
    }

    // Each district's number is proposed as name and district; the dialog opens at the last
    // save's folder and saves where picked, texts cut to their limits; a number met twice
    // gets a second file; the model shows the last district from its file.
    void cutsEachDistrictIntoItsFile()
    {
        const QByteArray second = district(u"00012"_s)
            + RecordEncoder::fitting(u"00001"_s, kTime, 3) + RecordEncoder::simple(kTime, 4);
        const QString title(61, u't');
        const QString comment(60, u'c');
        m_steps << [&] {
            QCOMPARE(boxes(), u"00012|00012|||"_s);
            QCOMPARE(dialog().driveBox->currentText(), m_home->path());
            QCOMPARE(path(dialog().folderView->currentIndex()) + u'/', m_dir);
            QStringList captions;
            for (const QLabel *label : dialog().findChildren<QLabel *>())
                captions << label->text();
            QCOMPARE(captions.join(u'|') + u'|' + dialog().okButton->text(),
                     u"Filename|District|Title|Comments1|Comments2|OK"_s);
            type(dialog().districtEdit, u"ABCDEFGH"_s);
            type(dialog().titleEdit, title);
            type(dialog().comments1Edit, comment);
            type(dialog().comments2Edit, comment + u'x');
            pressOK();
        } << [&] {
            QCOMPARE(boxes(), u"00012-2|00012|||"_s);
            clickFolder(m_dir + u'b');
            pressOK();
        };
        cut(first() + second);
        QCOMPARE(TempLog::readAll(m_dir + u"00012.dat"_s),
                 RecordEncoder::header(u"ABCDEFGH"_s, title.left(60), comment, comment) + first());
        const QString last = m_dir + u"b/00012-2.dat"_s;
        QCOMPARE(TempLog::readAll(last), RecordEncoder::header(u"00012"_s) + second);
        QCOMPARE(m_model->file().image().path(), last);
    }

    // OK keeps the dialog and its texts while the name is no file name, a text is not
    // Windows-1252, or the user refuses to overwrite; texts are stored in Windows-1252.
    void okKeepsTheDialogUntilTheFileMayBeWritten()
    {
        const QString existing = m_dir + u"00012.dat"_s;
        QVERIFY(TempLog::writeAll(existing, "old"));
        const QString noName = u"Type a file name for this district, without \"/\"."_s;
        const QString refused = u"The character \"日\" cannot be stored in a district file; "
                                "type the text without it."_s;
        m_steps << [&] {
            type(dialog().titleEdit, u"Café – dash"_s);
            for (const QString &name : { QString(), u"a/b"_s }) {
                type(dialog().fileNameEdit, name);
                pressOK();
            }
            type(dialog().fileNameEdit, u"00012"_s);
            type(dialog().comments2Edit, u"日本"_s);
            pressOK();
            QCOMPARE(boxes(), u"00012|00012|Café – dash||日本"_s);
            type(dialog().comments2Edit, QString());
            pressOK();
            QCOMPARE(m_prompts->messages, QStringList({ noName, noName, refused }));
            QCOMPARE(
                m_prompts->questions,
                QStringList { existing + u" already exists.\nDo you want to overwrite it?"_s });
            QVERIFY(dialog().isVisible());
            QCOMPARE(boxes(), u"00012|00012|Café – dash||"_s);
            QCOMPARE(TempLog::readAll(existing), "old");
            m_prompts->answers << UserPrompts::Answer::Yes;
            pressOK();
        };
        cut(first());
        QCOMPARE(TempLog::readAll(existing),
                 RecordEncoder::header(u"00012"_s, u"Café – dash"_s) + first());
        QCOMPARE(TempLog::readAll(existing).mid(25, 60),
                 QByteArray("Caf\xe9 \x96 dash") + QByteArray(49, ' '));
        QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList { u"00012.dat"_s });
    }

    // A real message box answers Enter with the question's default.
    void enterGivesTheDefaultAnswer()
    {
        MessageBoxPrompts boxes;
        for (const auto answer : { UserPrompts::Answer::No, UserPrompts::Answer::Yes }) {
            QTimer::singleShot(0, this, [] {
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
            });
            QCOMPARE(boxes.question(u"Overwrite?"_s, u"Neru"_s, answer), answer);
        }
    }

    // Esc and the window frame ask before a district goes unsaved; Enter keeps it.
    void closingAsksToSkip_data()
    {
        QTest::addColumn<bool>("byEsc");
        QTest::addColumn<bool>("skip");
        QTest::newRow("Esc, Yes skips") << true << true;
        QTest::newRow("Esc, Enter stays") << true << false;
        QTest::newRow("frame, Yes skips") << false << true;
    }
    void closingAsksToSkip()
    {
        QFETCH(bool, byEsc);
        QFETCH(bool, skip);
        if (skip)
            m_prompts->answers << UserPrompts::Answer::Yes;
        m_steps << [&] {
            if (byEsc)
                QTest::keyClick(&dialog(), Qt::Key_Escape);
            else
                dialog().close();
            QCOMPARE(
                m_prompts->questions,
                QStringList { u"Skip this district? Its readings will not be saved in a file."_s });
            if (dialog().isVisible() && !skip)
                pressOK();
        };
        cut(first());
        const QString file = m_dir + u"00012.dat"_s;
        QCOMPARE(QFileInfo::exists(file), !skip);
        QCOMPARE(m_model->file().image().path(), skip ? QString() : file);
    }

    // An unwritten file is told and the district asked again with the user's texts; a
    // drive picked roots the tree there and OK saves into that root.
    void unwrittenDistrictIsAskedAgain()
    {
        std::optional<FileSizeLimit> full;
        m_steps << [&] {
            type(dialog().fileNameEdit, u"my file"_s);
            type(dialog().titleEdit, u"Kept"_s);
            full.emplace(100);
            pressOK();
        } << [&] {
            full.reset();
            QCOMPARE(m_prompts->messages,
                     QStringList { m_dir
                                   + u"my file.dat: File too large\n"
                                     "Choose another folder or name for this district."_s });
            QCOMPARE(boxes(), u"my file|00012|Kept||"_s);
            // "/" and home lead whatever the machine mounts, and none comes twice.
            QComboBox *drives = dialog().driveBox;
            QStringList entries;
            for (int i = 0; i < drives->count(); ++i)
                entries << drives->itemText(i);
            QCOMPARE(entries.removeDuplicates(), 0);
            QTest::keyClick(drives, Qt::Key_Home);
            QCOMPARE(path(dialog().folderView->rootIndex()), u"/"_s);
            QTest::keyClick(drives, Qt::Key_Down);
            QCOMPARE(path(dialog().folderView->rootIndex()), m_home->path());
            QVERIFY(!dialog().folderView->currentIndex().isValid());
            pressOK();
        };
        cut(first());
        QCOMPARE(TempLog::readAll(m_home->filePath(u"my file.dat"_s)),
                 RecordEncoder::header(u"00012"_s, u"Kept"_s) + first());
        QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList());
        QCOMPARE(m_model->startUp().defaultFolder, m_home->path() + u'/');
    }
};

QTEST_MAIN(tst_SaveDistrictDialog)
#include "tst_SaveDistrictDialog.moc"
