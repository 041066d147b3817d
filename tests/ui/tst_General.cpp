#include "General.h"
#include "PictureBox.h"
#include "StringTable.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
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
        QTest::newRow("30060") << QStringLiteral("30060") << QStringLiteral("Maximum");
        QTest::newRow("no tag") << QString() << QStringLiteral("design");
        QTest::newRow("negative") << QStringLiteral("-20000") << QStringLiteral("design");
        QTest::newRow("not a number") << QStringLiteral("Maximum") << QStringLiteral("design");
        QTest::newRow("not in the table") << QStringLiteral("12345") << QStringLiteral("design");
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

    // A button takes its caption, a text box its text from tag + 2, a toolbar button only
    // its tooltip from tag + 1, even when it is not the window's child. A missing bitmap
    // is skipped.
    void eachKindTakesItsOwnTexts()
    {
        QWidget window;
        auto *button = new QPushButton(QStringLiteral("design"), &window);
        General::setTag(*button, 30110);
        auto *box = new QLineEdit(QStringLiteral("design"), &window);
        General::setTag(*box, 30108); // "OK" is 30110
        QObject owner;
        auto *tool = new QAction(&owner);
        General::setTag(*tool, 21040);
        (new QToolBar(&window))->addAction(tool);
        auto *logo = new PictureBox(&window);
        General::setTag(*logo, 100);
        auto *missing = new PictureBox(&window);
        General::setTag(*missing, 101);
        General(m_strings).localiseForm(window);
        QCOMPARE(button->text(), QStringLiteral("OK"));
        QCOMPARE(box->text(), QStringLiteral("OK"));
        QCOMPARE(tool->text(), QString());
        QCOMPARE(tool->toolTip(), QStringLiteral("Interrogate NERU"));
        QVERIFY(!logo->pixmap().toImage().hasAlphaChannel()); // 24 bits per pixel
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
