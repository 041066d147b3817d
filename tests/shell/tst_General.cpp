#include "shell/General.h"
#include "shell/PictureBox.h"
#include "shell/StringTable.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

// The tag rule: controls take caption, tooltip and text from the string table by the id
// in their tag, picture boxes their bitmap; anything missing is skipped.
class tst_General : public QObject
{
    Q_OBJECT

    StringTable m_strings;

    static QLabel *label(QWidget *parent, const QString &tag)
    {
        auto *l = new QLabel(QStringLiteral("design"), parent);
        l->setToolTip(QStringLiteral("design tip"));
        if (!tag.isNull())
            l->setProperty(General::kTagProperty, tag);
        return l;
    }

private slots:
    void labelTakesCaptionButKeepsItsTooltip_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("caption");
        QTest::newRow("30060 Maximum") << "30060" << "Maximum";
        QTest::newRow("10040 company") << "10040" << "Dorvel Environmental";
        QTest::newRow("no tag") << QString() << "design";
        QTest::newRow("empty tag") << "" << "design";
        QTest::newRow("tag 0") << "0" << "design";
        QTest::newRow("negative tag") << "-20000" << "design";
        QTest::newRow("tag not a number") << "Maximum" << "design";
        QTest::newRow("id not in the table") << "12345" << "design";
    }

    void labelTakesCaptionButKeepsItsTooltip()
    {
        QFETCH(QString, tag);
        QFETCH(QString, caption);
        QWidget window;
        QLabel *l = label(&window, tag);
        General(m_strings).localiseForm(window);
        QCOMPARE(l->text(), caption);
        QCOMPARE(l->toolTip(), QStringLiteral("design tip"));
    }

    void toolbarButtonGetsOnlyItsTooltip()
    {
        QWidget window;
        auto *toolbar = new QToolBar(&window);
        auto *button = new QAction(toolbar);
        button->setProperty(General::kTagProperty, QStringLiteral("21040"));
        toolbar->addAction(button);
        QCOMPARE(General::typeName(*button), QStringLiteral("Button"));
        General(m_strings).localiseForm(window);
        QCOMPARE(button->text(), QString());
        QCOMPARE(button->toolTip(), QStringLiteral("Interrogate NERU"));
    }

    void toolbarButtonsOwnedElsewhereAreReached()
    {
        QWidget window;
        QObject owner; // the buttons are not children of the window
        auto *toolbar = new QToolBar(&window);
        auto *button = new QAction(&owner);
        General::setTag(*button, 21000);
        toolbar->addAction(button);
        General(m_strings).localiseForm(window);
        QCOMPARE(button->toolTip(), QStringLiteral("Open"));
    }

    void menuEntriesGetCaptionsOnly()
    {
        QWidget window;
        auto *bar = new QMenuBar(&window);
        QMenu *menu = bar->addMenu(QStringLiteral("design"));
        General::setTag(*menu->menuAction(), 20000);
        auto *entry = new QAction(QStringLiteral("design"), &window);
        entry->setToolTip(QStringLiteral("design tip"));
        General::setTag(*entry, 20010);
        menu->addAction(entry);
        QCOMPARE(General::typeName(*entry), QStringLiteral("Menu"));
        General(m_strings).localiseForm(window);
        QCOMPARE(menu->title(), QStringLiteral("&File"));
        QCOMPARE(entry->text(), QStringLiteral("&Open..."));
        QCOMPARE(entry->toolTip(), QStringLiteral("design tip"));
    }

    void buttonAndTextBox()
    {
        QWidget window;
        auto *button = new QPushButton(QStringLiteral("design"), &window);
        General::setTag(*button, 30110);
        // A text box takes its text from tag + 2 ("OK" is 30110).
        auto *box = new QLineEdit(QStringLiteral("design"), &window);
        General::setTag(*box, 30108);
        General(m_strings).localiseForm(window);
        QCOMPARE(button->text(), QStringLiteral("OK"));
        QCOMPARE(General::typeName(*button), QStringLiteral("CommandButton"));
        QCOMPARE(box->text(), QStringLiteral("OK"));
        QCOMPARE(General::typeName(*box), QStringLiteral("TextBox"));
    }

    void pictureBoxGetsItsBitmap()
    {
        QWidget window;
        auto *logo = new PictureBox(&window);
        General::setTag(*logo, 100);
        auto *missing = new PictureBox(&window);
        General::setTag(*missing, 101);
        QCOMPARE(General::typeName(*logo), QStringLiteral("PictureBox"));
        General(m_strings).localiseForm(window);
        QCOMPARE(logo->pixmap().size(), QSize(120, 137));
        QVERIFY(missing->pixmap().isNull());
        QVERIFY(logo->text().isEmpty());
    }

    void logoIsTwentyFourBitsPerPixel()
    {
        const QImage logo = General::loadBitmap(100).toImage();
        QCOMPARE(logo.size(), QSize(120, 137));
        QVERIFY(!logo.hasAlphaChannel());
        QVERIFY(General::loadBitmap(0).isNull());
    }

    void windowsOwnTagChangesNothing()
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Reading"));
        window.setProperty(General::kTagProperty, QStringLiteral("30700"));
        General(m_strings).localiseForm(window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Reading"));
    }

    void controlsOfAnotherWindowAreLeftToIt()
    {
        QWidget window;
        auto *dialog = new QDialog(&window);
        QLabel *inner = label(dialog, QStringLiteral("30060"));
        QLabel *outer = label(&window, QStringLiteral("30070"));
        General(m_strings).localiseForm(window);
        QCOMPARE(outer->text(), QStringLiteral("Minimum"));
        QCOMPARE(inner->text(), QStringLiteral("design"));
    }

    void nestedControlsAreReached()
    {
        QWidget window;
        auto *frame = new QWidget(&window);
        auto *layout = new QVBoxLayout(frame);
        QLabel *deep = label(nullptr, QStringLiteral("30080"));
        layout->addWidget(deep);
        General(m_strings).localiseForm(window);
        QCOMPARE(deep->text(), QStringLiteral("Reference"));
    }
};

QTEST_MAIN(tst_General)
#include "tst_General.moc"
