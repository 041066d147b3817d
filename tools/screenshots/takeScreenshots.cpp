// Takes the pictures of the windows shown in the documentation: the splash window, the
// main window (also with its Tools > Comms menu open), the statistics dialog, the night-flow
// dialog, the Save District dialog, the download window over the main window, the
// logger-settings dialog, the Choose Port dialog, the help window, and the first page of
// the printed graph and table. Given a download file, the main window shows it with the
// cursor placed and the dialogs show its district.
// Usage: neru-screenshots <folder> [file.dat]  (run under a display, e.g. xvfb-run -a; the
// printouts need poppler's pdftoppm)
#include "ApplicationName.h"
#include "ChoosePortDialog.h"
#include "DateTime.h"
#include "DownloadWindow.h"
#include "HelpWindow.h"
#include "LoggerResult.h"
#include "LoggerSettingsDialog.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "NightFlowDialog.h"
#include "PlotWidget.h"
#include "Program.h"
#include "ReportCommands.h"
#include "SaveDistrictDialog.h"
#include "SplashWindow.h"
#include "StatisticsDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QTimer>

#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 10; ++i) {
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The main window with a menu and its submenu drawn where they open.
QPixmap withMenus(MainWindow &main, QMenu &menu, QAction &subEntry)
{
    const QPoint menuAt = main.menuBar()->mapToGlobal(
        main.menuBar()->actionGeometry(menu.menuAction()).bottomLeft());
    menu.popup(menuAt);
    settle();
    menu.setActiveAction(&subEntry);
    QMenu &sub = *subEntry.menu();
    sub.popup(menu.mapToGlobal(menu.actionGeometry(&subEntry).topRight()));
    settle();

    QPixmap picture = main.grab();
    QPainter painter(&picture);
    const QPoint origin = main.mapToGlobal(QPoint(0, 0));
    painter.drawPixmap(menu.pos() - origin, menu.grab());
    painter.drawPixmap(sub.pos() - origin, sub.grab());
    painter.end();
    sub.hide();
    menu.hide();
    return picture;
}

// The menu that holds `entry`.
QMenu *menuHolding(const QAction &entry)
{
    for (QObject *owner : entry.associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(owner))
            return menu;
    }
    qFatal("an entry is in no menu");
}

// A click on the plot at `fraction` of its width, as the user places the cursor (with
// Shift: cursor B).
void placeCursor(MainWindow &main, double fraction,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    auto *plot = main.findChild<PlotWidget *>();
    const QPointF at(plot->width() * fraction, plot->height() / 2.0);
    const QPointF global = plot->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QCoreApplication::sendEvent(plot, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QCoreApplication::sendEvent(plot, &release);
}

// The graph with View > Grid and Fit Values on, zoomed by two wheel notches about the
// middle, and the two cursors placed two hours apart around the night; the view is put
// back afterwards.
QPixmap gridWithTwoCursors(MainWindow &main)
{
    const MainWindowActions &actions = main.actions();
    const QSize size = main.size();
    main.resize(900, 560); // room for the two cursors' read-out
    settle();
    actions.grid()->setChecked(true);
    actions.fitValues()->setChecked(true);
    auto *plot = main.findChild<PlotWidget *>();
    const QPointF middle(plot->width() * 0.55, plot->height() / 2.0);
    QWheelEvent wheel(middle, plot->mapToGlobal(middle), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot, &wheel);
    placeCursor(main, 0.42);
    placeCursor(main, 0.58, Qt::ShiftModifier);
    settle();
    QPixmap picture = main.grab();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(plot, &escape);
    actions.grid()->setChecked(false);
    actions.fitValues()->setChecked(false);
    actions.resetView()->trigger();
    main.resize(size);
    settle();
    return picture;
}

// The download window over the main window, as a download shows them: the Comms commands
// held back and the eighth of 21 blocks on its way.
QPixmap downloadInProgress(MainWindow &main, DownloadWindow &download)
{
    main.actions().updateEnabled(true);
    download.showProgress(7, 21);
    settle();
    QPixmap picture = main.grab();
    QPainter painter(&picture);
    const QPoint at = download.mapToGlobal(QPoint(0, 0)) - main.mapToGlobal(QPoint(0, 0));
    painter.drawPixmap(at, download.grab());
    // Without a window manager there is no frame: an outline keeps the window apart.
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(QRect(at, download.size()).adjusted(-1, -1, 0, 0));
    painter.end();
    download.hide();
    main.actions().updateEnabled(false);
    return picture;
}

// The logger-settings dialog with what a logger in service answers.
QPixmap loggerSettings(Program &program)
{
    LoggerResult settings;
    settings.serialNumber = QStringLiteral("004217");
    settings.calibration = DateTime::dateSerial(2026, 3, 12);
    settings.identification = 142;
    settings.version = QStringLiteral("V4.12");
    settings.clock = DateTime::fromParts(2026, 11, 30, 10, 42, 17);
    LoggerSettingsDialog &dialog = *program.reprogram();
    dialog.show();
    dialog.showSettings(settings);
    settle();
    QPixmap picture = dialog.grab();
    dialog.hide();
    return picture;
}

// Tools > Comms > Choose Port with one USB adapter detected, its row chosen.
QPixmap choosePort(Program &program)
{
    program.setPortLister([] {
        return QList<DetectedPorts::Port> {
            { QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"),
              QStringLiteral("FTDI"), QStringLiteral("A10K5XYZ"),
              QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K5XYZ-if00-port0") }
        };
    });
    program.mainWindow()->actions().choosePort()->trigger();
    auto *dialog = program.mainWindow()->findChild<ChoosePortDialog *>();
    if (!dialog)
        return QPixmap();
    dialog->portList->topLevelItem(0)->setSelected(true);
    settle();
    QPixmap picture = dialog->grab();
    dialog->reject();
    return picture;
}

// Prints through `command` into a PDF as an A4 printer would, and writes its first page
// as `name`.png.
bool printout(Program &program, QAction &command, const QString &folder, const QString &name)
{
    const QString pdf = folder + u'/' + name + QStringLiteral(".pdf");
    program.reports()->printer().setPrinterLookup([pdf] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(6.0, 4.0, 6.0, 4.0), QPageLayout::Millimeter));
        return printer;
    });
    command.trigger();
    const bool ok
        = QProcess::execute(QStringLiteral("pdftoppm"),
                            { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                              QStringLiteral("-singlefile"), QStringLiteral("-f"),
                              QStringLiteral("1"), pdf, folder + u'/' + name })
        == 0;
    QFile::remove(pdf);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationName::systemName());
    app.setQuitOnLastWindowClosed(false);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: neru-screenshots <folder> [file.dat]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    // The port message over the splash window, as the screen shows them, then closed as
    // the user would.
    bool ok = true;
    QTimer::singleShot(1000, [&ok, &folder] {
        QWidget *box = QApplication::activeModalWidget();
        QScreen *screen = QGuiApplication::primaryScreen();
        if (!box || !screen) {
            ok = false;
            return;
        }
        QRect area;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                area |= window->frameGeometry();
        }
        area.adjust(-8, -8, 8, 8);
        ok = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                 .save(folder + QStringLiteral("/start-up-message.png"));
        box->close();
    });
    Program program(nullptr, [] {});
    program.start(QDir::homePath(), argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    settle();
    ok = program.splash().grab().save(folder + QStringLiteral("/splash.png")) && ok;

    program.splash().handOver();
    MainWindow &main = *program.mainWindow();
    settle();
    if (argc == 3) {
        placeCursor(main, 0.62);
        settle();
    }
    ok = main.grab().save(folder + QStringLiteral("/main-window.png")) && ok;
    const MainWindowActions &actions = main.actions();
    ok = printout(program, *actions.printGraph(), folder, QStringLiteral("print-graph")) && ok;
    ok = printout(program, *actions.printTable(), folder, QStringLiteral("print-table")) && ok;
    if (argc == 3) {
        ok = gridWithTwoCursors(main).save(folder + QStringLiteral("/graph-grid-two-cursors.png"))
            && ok;
        placeCursor(main, 0.62);
    }
    QMenu &comms = *menuHolding(*actions.interrogate());
    ok = withMenus(main, *menuHolding(*comms.menuAction()), *comms.menuAction())
             .save(folder + QStringLiteral("/main-window-comms-menu.png"))
        && ok;

    StatisticsDialog &stats = *program.stats();
    stats.show();
    settle();
    ok = stats.grab().save(folder + QStringLiteral("/statistics.png")) && ok;
    stats.hide();

    // View > Night Flow over the sample's days.
    actions.nightFlow()->trigger();
    settle();
    ok = program.nightFlow()->grab().save(folder + QStringLiteral("/night-flow.png")) && ok;
    program.nightFlow()->hide();

    // The dialog as the cut of a download shows it for the sample's district.
    SaveDistrictDialog &save = *program.saveDistrict();
    const QString district = program.model().file().image().text(DistrictImage::Field::District);
    save.fileNameEdit->setText(district.isEmpty() ? QStringLiteral("10452") : district);
    save.districtEdit->setText(save.fileNameEdit->text());
    save.titleEdit->setText(QStringLiteral("High Street inlet"));
    save.setDefaultDir(argc == 3 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absolutePath() + u'/'
                                 : QDir::homePath() + u'/');
    save.show();
    settle();
    settle();
    ok = save.grab().save(folder + QStringLiteral("/save-district.png")) && ok;
    save.hide();

    ok = downloadInProgress(main, *program.downloading())
             .save(folder + QStringLiteral("/download-window.png"))
        && ok;
    ok = loggerSettings(program).save(folder + QStringLiteral("/logger-settings.png")) && ok;
    ok = choosePort(program).save(folder + QStringLiteral("/choose-port.png")) && ok;

    // The guide as Help > Contents opens it.
    actions.helpContents()->trigger();
    settle();
    ok = program.help()->grab().save(folder + QStringLiteral("/help.png")) && ok;
    program.help()->hide();

    if (!ok)
        std::fprintf(stderr, "neru-screenshots: a picture could not be written\n");
    return ok ? 0 : 1;
}
