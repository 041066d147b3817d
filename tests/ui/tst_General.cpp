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

    static QLabel *label(QWidget *parent, const char *tag)
    {
        auto *l = new QLabel(QStringLiteral("design"), parent);
        l->setToolTip(QStringLiteral("design tip"));
        l->setProperty(General::kTagProperty, QLatin1String(tag));
        return l;
    }

private slots:
    // Labels and buttons take a caption, text boxes text from tag + 2, toolbar buttons a
    // tooltip from tag + 1, at any depth but not in an owned window nor the window itself;
    // picture boxes their bitmap.
    void eachControlTakesItsOwnTexts()
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Reading"));
        window.setProperty(General::kTagProperty, QStringLiteral("30700"));
        QLabel *maximum = label(&window, "30060");
        QLabel *notANumber = label(&window, "Maximum");
        QLabel *notInTheTable = label(&window, "12345");
        QLabel *inner = label(new QDialog(&window), "30060");
        QLabel *deep = label(nullptr, "30080");
        auto *frame = new QWidget(&window);
        (new QVBoxLayout(frame))->addWidget(deep);
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
        General(StringTable()).localiseForm(window);
        const QStringList shown { maximum->text(),       maximum->toolTip(),   notANumber->text(),
                                  notInTheTable->text(), window.windowTitle(), inner->text(),
                                  deep->text(),          button->text(),       box->text(),
                                  tool->text(),          tool->toolTip() };
        QCOMPARE(shown.join(u'|'),
                 QStringLiteral("Maximum|design tip|design|design|Reading|design|Reference|OK|OK|"
                                "|Interrogate NERU"));
        QVERIFY(!logo->pixmap().isNull());
        QVERIFY(!logo->pixmap().toImage().hasAlphaChannel()); // 24 bits per pixel
        QVERIFY(missing->pixmap().isNull());
    }
};

QTEST_MAIN(tst_General)
#include "tst_General.moc"
