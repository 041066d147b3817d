#include "General.h"
#include "PictureBox.h"
#include "StringTable.h"

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
        QTest::newRow("30060 Maximum") << "30060"
                                       << "Maximum";
        QTest::newRow("10040 company") << "10040"
                                       << "Dorvel Environmental";
        QTest::newRow("no tag") << QString() << "design";
        QTest::newRow("empty tag") << ""
                                   << "design";
        QTest::newRow("tag 0") << "0"
                               << "design";
        QTest::newRow("negative tag") << "-20000"
                                      << "design";
        QTest::newRow("tag not a number") << "Maximum"
                                          << "design";
        QTest::newRow("id not in the table") << "12345"
                                             << "design";
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
        QObject owner;
        auto *toolbar = new QToolBar(&window);
        auto *child = new QAction(toolbar);
        General::setTag(*child, 21040);
        auto *elsewhere = new QAction(&owner); // a button need not be the window's child
        General::setTag(*elsewhere, 21000);
        toolbar->addActions({ child, elsewhere });
        QCOMPARE(General::typeName(*child), QStringLiteral("Button"));
        General(m_strings).localiseForm(window);
        QCOMPARE(child->text(), QString());
        QCOMPARE(child->toolTip(), QStringLiteral("Interrogate NERU"));
        QCOMPARE(elsewhere->toolTip(), QStringLiteral("Open"));
    }

    // A menu and its entry take a caption only; a button its caption; a text box its text
    // from tag + 2.
    void eachKindTakesItsOwnTexts()
    {
        QWidget window;
        auto *bar = new QMenuBar(&window);
        QMenu *menu = bar->addMenu(QStringLiteral("design"));
        General::setTag(*menu->menuAction(), 20000);
        auto *entry = new QAction(QStringLiteral("design"), &window);
        entry->setToolTip(QStringLiteral("design tip"));
        General::setTag(*entry, 20010);
        menu->addAction(entry);
        auto *button = new QPushButton(QStringLiteral("design"), &window);
        General::setTag(*button, 30110);
        auto *box = new QLineEdit(QStringLiteral("design"), &window);
        General::setTag(*box, 30108); // "OK" is 30110
        General(m_strings).localiseForm(window);
        QCOMPARE(General::typeName(*entry), QStringLiteral("Menu"));
        QCOMPARE(menu->title(), QStringLiteral("&File"));
        QCOMPARE(entry->text(), QStringLiteral("&Open..."));
        QCOMPARE(entry->toolTip(), QStringLiteral("design tip"));
        QCOMPARE(General::typeName(*button), QStringLiteral("CommandButton"));
        QCOMPARE(button->text(), QStringLiteral("OK"));
        QCOMPARE(General::typeName(*box), QStringLiteral("TextBox"));
        QCOMPARE(box->text(), QStringLiteral("OK"));
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
        const QImage picture = logo->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(120, 137));
        QVERIFY(!picture.hasAlphaChannel()); // 24 bits per pixel
        QVERIFY(logo->text().isEmpty());
        QVERIFY(missing->pixmap().isNull());
    }

    // Not the window itself, not the controls of a window it owns, but its controls at
    // any depth.
    void onlyTheWindowsOwnControls()
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Reading"));
        window.setProperty(General::kTagProperty, QStringLiteral("30700"));
        QLabel *inner = label(new QDialog(&window), QStringLiteral("30060"));
        QLabel *deep = label(nullptr, QStringLiteral("30080"));
        auto *frame = new QWidget(&window);
        (new QVBoxLayout(frame))->addWidget(deep);
        General(m_strings).localiseForm(window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Reading"));
        QCOMPARE(inner->text(), QStringLiteral("design"));
        QCOMPARE(deep->text(), QStringLiteral("Reference"));
    }
};

QTEST_MAIN(tst_General)
#include "tst_General.moc"
