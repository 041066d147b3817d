#include "MainWindow.h"

#include "BundledIcons.h"
#include "LineControl.h"
#include "MainWindowActions.h"
#include "MainWindowLayout.h"
#include "NeruModel.h"
#include "PlotWidget.h"
#include "StringTable.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

namespace {

// The local files among dropped URLs, in their order.
QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data)
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

template<typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

MainWindow::MainWindow(const StringTable &strings, NeruModel &model, QWidget *parent)
    : QMainWindow(parent)
    , m_strings(strings)
    , m_model(model)
    , m_actions(new MainWindowActions(strings, this))
{
    setObjectName(QStringLiteral("frmNeru"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAcceptDrops(true);

    // The client area holds the toolbar and the status bar itself, so that the layout
    // can count their heights from its own top-left corner.
    m_client = named(new QWidget(this), "clientArea");
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    createMenus();
    createToolbar();
    createPlotArea();

    m_statusBar = named(new QStatusBar(m_client), "staStatus");
    m_statusText = named(new QLabel(m_statusBar), "staStatusPanel");
    m_statusBar->addWidget(m_statusText, 1);

    connect(m_actions->exit(), &QAction::triggered, this, &QWidget::close);
    connect(m_actions->showToolbar(), &QAction::triggered, this, &MainWindow::showBars);
    connect(m_actions->showStatusBar(), &QAction::triggered, this, &MainWindow::showBars);
    connect(&m_model, &NeruModel::districtChanged, this, &MainWindow::showTitle);
    connect(&m_model, &NeruModel::unitsChanged, this, &MainWindow::showUnits);
    connect(&m_model, &NeruModel::loggerPortChanged, m_actions, &MainWindowActions::showPort);
    connect(&m_model, &NeruModel::busyChanged, m_actions, &MainWindowActions::updateEnabled);
    // Design size: 9525 x 6150 twips of client area.
    const double dpi = logicalDpi();
    resize(MainWindowLayout::twipsToPixels(9525, dpi),
           MainWindowLayout::twipsToPixels(6150, dpi) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

double MainWindow::logicalDpi() const
{
    return m_client->logicalDpiX();
}

QMenu *MainWindow::addMenu(QWidget *owner, int titleId)
{
    auto *menu = new QMenu(m_strings.text(titleId), owner);
    if (auto *bar = qobject_cast<QMenuBar *>(owner))
        bar->addMenu(menu);
    else if (auto *parentMenu = qobject_cast<QMenu *>(owner))
        parentMenu->addMenu(menu);
    return menu;
}

void MainWindow::createMenus()
{
    const MainWindowActions &a = *m_actions;
    QMenuBar *bar = menuBar();

    QMenu *file = addMenu(bar, 20000);
    file->addAction(a.open());
    file->addSeparator();
    file->addActions({ a.exportCsv(), a.exportCsvAs(), a.exportGraph() });
    file->addSeparator();
    QMenu *print = addMenu(file, 20030);
    print->addActions({ a.printGraph(), a.printTable() });
    file->addSeparator();
    m_recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
    m_recentMenu->setObjectName(QStringLiteral("mnuRecentFiles"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addSeparator();
    file->addAction(a.exit());

    addMenu(bar, 20100)->addActions({ a.copyGraph(), a.copyText() });
    addMenu(bar, 20200)
        ->addActions({ a.resetView(), a.statistics(), a.nightFlow(), a.showToolbar(),
                       a.showStatusBar(), a.nightShading(), a.grid(), a.fitValues() });

    QMenu *tools = addMenu(bar, 20300);
    QMenu *comms = addMenu(tools, 20310);
    comms->addActions({ a.interrogate(), a.setLoggerClock(), a.loggerSettings() });
    comms->addActions(a.ports()->actions());
    comms->addAction(a.choosePort());
    addMenu(tools, 20400)->addActions(a.units()->actions());

    QMenu *help = addMenu(bar, 20500);
    help->addActions({ a.helpContents(), a.helpSearch() });
    help->addSeparator();
    help->addAction(a.about());
}

void MainWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    // A recent file opens as File > Open would, so it waits as Open does.
    const bool canOpen = m_actions->open()->isEnabled();
    const QStringList files = m_model.recentFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QString caption = file;
        caption.replace(u'&', QStringLiteral("&&"));
        QAction *entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        entry->setEnabled(canOpen);
        connect(entry, &QAction::triggered, this, [this, file] { emit recentFileChosen(file); });
    }
    if (!files.isEmpty())
        m_recentMenu->addSeparator();
    QAction *clear = m_recentMenu->addAction(QStringLiteral("&Clear List"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, &m_model, &NeruModel::clearRecentFiles);
}

void MainWindow::createToolbar()
{
    const MainWindowActions &a = *m_actions;
    m_toolbar = named(new QToolBar(m_client), "tbrToolbar");
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->addActions({ a.open(), a.printGraph() });
    m_toolbar->addSeparator();
    m_toolbar->addActions({ a.copyGraph(), a.copyText() });
    m_toolbar->addSeparator();
    m_toolbar->addAction(a.nightFlow());
    m_toolbar->addSeparator();
    m_toolbar->addActions({ a.interrogate(), a.setLoggerClock(), a.loggerSettings() });
}

void MainWindow::createPlotArea()
{
    auto *plot = named(new QFrame(m_client), "Picture1");
    plot->setFrameShape(QFrame::Box);
    plot->setAutoFillBackground(true);
    QPalette white = plot->palette();
    white.setColor(QPalette::Window, Qt::white);
    plot->setPalette(white);
    plot->setFocusPolicy(Qt::StrongFocus);
    m_plot = plot;

    m_timeScrollBar = named(new QScrollBar(Qt::Horizontal, m_client), "hsbTime");
    m_valueScrollBar = named(new QScrollBar(Qt::Vertical, m_client), "vsbFlow");
    for (QScrollBar *bar : { m_timeScrollBar, m_valueScrollBar }) {
        bar->setRange(0, 0);
        bar->setSingleStep(1);
    }

    const QIcon zoomIn = BundledIcons::icon(QStringLiteral("zoom-in"), QStringLiteral("zoomin"));
    const QIcon zoomOut = BundledIcons::icon(QStringLiteral("zoom-out"), QStringLiteral("zoomout"));
    auto zoomButton = [this](const char *name, const QIcon &icon) {
        auto *button = named(new QToolButton(m_client), name);
        button->setIcon(icon);
        button->setIconSize(QSize(12, 12));
        return button;
    };
    m_timeZoomOut = zoomButton("cmdTimeZoomOut", zoomOut);
    m_timeZoomIn = zoomButton("cmdTimeZoomIn", zoomIn);
    m_valueZoomIn = zoomButton("cmdFlowZoomIn", zoomIn);
    m_valueZoomOut = zoomButton("cmdFlowZoomOut", zoomOut);

    const double dpi = logicalDpi();
    m_valueCaption = named(new QLabel(m_client), "lblFlow");
    m_valueCaption->setText(m_strings.text(40000) + QStringLiteral(" (") + m_strings.text(40010)
                            + u')');
    m_valueCaption->setGeometry(
        MainWindowLayout::toPixels(QRect(QPoint(0, 0), MainWindowLayout::kFlowLabelSize), dpi));

    auto axisLabel = [this](const char *name, Qt::Alignment alignment) {
        auto *label = named(new QLabel(m_client), name);
        label->setAlignment(alignment);
        label->setWordWrap(true);
        return label;
    };
    m_valueMaxLabel = axisLabel("lblFlowMax", Qt::AlignRight | Qt::AlignVCenter);
    m_valueMidLabel = axisLabel("lblFlowMid", Qt::AlignRight | Qt::AlignVCenter);
    m_valueMinLabel = axisLabel("lblFlowMin", Qt::AlignRight | Qt::AlignVCenter);
    m_timeMinLabel = axisLabel("lblTimeMin", Qt::AlignHCenter | Qt::AlignTop);
    m_timeMidLabel = axisLabel("lblTimeMid", Qt::AlignHCenter | Qt::AlignTop);
    m_timeMaxLabel = axisLabel("lblTimeMax", Qt::AlignHCenter | Qt::AlignTop);

    auto line = [this](const char *name) { return named(new LineControl(m_client), name); };
    m_valueAxis = line("linFlowAxis");
    m_valueMaxTick = line("linFlowMax");
    m_valueMidTick = line("linFlowMid");
    m_valueMinTick = line("linFlowMin");
    m_timeAxis = line("linTimeAxis");
    m_timeMinTick = line("linTimeMin");
    m_timeMidTick = line("linTimeMid");
    m_timeMaxTick = line("linTimeMax");
}

PlotController::Controls MainWindow::attachGraph(PlotWidget *plot)
{
    plot->setParent(m_client);
    plot->setGeometry(m_plot->geometry());
    plot->show();
    delete m_plot;
    m_plot = plot;

    PlotController::Controls c;
    c.plot = plot;
    c.timeBar = m_timeScrollBar;
    c.valueBar = m_valueScrollBar;
    c.zoomValueInButton = m_valueZoomIn;
    c.zoomValueOutButton = m_valueZoomOut;
    c.zoomTimeInButton = m_timeZoomIn;
    c.zoomTimeOutButton = m_timeZoomOut;
    c.valueTopLabel = m_valueMaxLabel;
    c.valueMiddleLabel = m_valueMidLabel;
    c.valueBottomLabel = m_valueMinLabel;
    c.timeStartLabel = m_timeMinLabel;
    c.timeMiddleLabel = m_timeMidLabel;
    c.timeEndLabel = m_timeMaxLabel;
    c.showStatus = [this](const QString &text) { setStatusText(text); };
    return c;
}

void MainWindow::showTitle()
{
    // A district that went into no file (its Save District dialog was closed) is unnamed.
    const QString file = m_model.file().image().path();
    setWindowTitle(m_strings.text(50030) + (file.isEmpty() ? m_strings.text(50040) : file));
}

void MainWindow::setStatusText(const QString &text)
{
    m_statusText->setText(text);
}

QString MainWindow::statusText() const
{
    return m_statusText->text();
}

void MainWindow::initialise()
{
    // No file named and no data yet: no unit can be chosen.
    m_model.resetForNewWindow();
    m_actions->showPort(m_model.startUp().loggerPort);
    showTitle();
    updateMinimumSize();
    // Qt moves a window that would fall outside the screens there are now back onto one.
    const QByteArray geometry = m_model.windowGeometry();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void MainWindow::saveSettings()
{
    if (m_settingsSaved)
        return;
    m_settingsSaved = true;
    m_model.setWindowGeometry(saveGeometry());
    m_model.writeSettings();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A Comms command under way is stopped by the program, which ends once it has.
    saveSettings();
    event->accept();
    emit unloaded();
}

// Files are taken as File > Open takes them, and wait while Open does.
void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // Only ever a copy: a source told of a move could delete the file it has given.
    if (m_actions->open()->isEnabled() && !localFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = localFiles(event->mimeData());
    if (!m_actions->open()->isEnabled() || files.isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(files);
}

bool MainWindow::event(QEvent *event)
{
    // The status bar lives in the client area, so status tips are shown here.
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::showUnits(const Units::Change &change)
{
    m_actions->showUnits(change);
    if (!change.applied)
        return;
    m_valueCaption->setText(change.valueAxisCaption);
    // A longer caption may need a wider box and a wider window.
    updateMinimumSize();
    placeControls();
}

MainWindowLayout::Input MainWindow::layoutInput() const
{
    const double dpi = logicalDpi();
    MainWindowLayout::Input input;
    input.clientWidth = MainWindowLayout::pixelsToTwips(m_client->width(), dpi);
    input.clientHeight = MainWindowLayout::pixelsToTwips(m_client->height(), dpi);
    input.toolbarHeight = MainWindowLayout::pixelsToTwips(m_toolbar->sizeHint().height(), dpi);
    input.statusBarHeight = MainWindowLayout::pixelsToTwips(m_statusBar->sizeHint().height(), dpi);
    // The check marks, not the bars, say whether a bar is shown.
    input.toolbarChecked = m_actions->showToolbar()->isChecked();
    input.statusBarChecked = m_actions->showStatusBar()->isChecked();
    input.flowCaptionWidth = MainWindowLayout::widthToTwips(
        m_valueCaption->fontMetrics().horizontalAdvance(m_valueCaption->text()), dpi);
    return input;
}

void MainWindow::placeControls()
{
    const double dpi = logicalDpi();
    const int width = m_client->width();
    const int height = m_client->height();
    const int toolbarHeight = m_toolbar->sizeHint().height();
    const int statusHeight = m_statusBar->sizeHint().height();
    m_toolbar->setGeometry(0, 0, width, toolbarHeight);
    m_statusBar->setGeometry(0, height - statusHeight, width, statusHeight);

    const MainWindowLayout::Result r = MainWindowLayout::place(layoutInput());
    auto place = [dpi](QWidget *control, const QRect &twips) {
        control->setGeometry(MainWindowLayout::toPixels(twips, dpi));
    };
    place(m_plot, r.plot);
    place(m_timeScrollBar, r.timeScrollBar);
    place(m_timeZoomOut, r.timeZoomOut);
    place(m_timeZoomIn, r.timeZoomIn);
    place(m_valueCaption, r.valueCaption);
    place(m_valueScrollBar, r.valueScrollBar);
    place(m_valueZoomIn, r.valueZoomIn);
    place(m_valueZoomOut, r.valueZoomOut);

    auto draw = [dpi](LineControl *line, const QLine &twips) {
        line->setLine(MainWindowLayout::toPixels(twips, dpi));
    };
    draw(m_valueAxis, r.valueAxis);
    draw(m_valueMaxTick, r.valueMaxTick);
    draw(m_valueMidTick, r.valueMidTick);
    draw(m_valueMinTick, r.valueMinTick);
    place(m_valueMaxLabel, r.valueMaxLabel);
    place(m_valueMidLabel, r.valueMidLabel);
    place(m_valueMinLabel, r.valueMinLabel);
    draw(m_timeAxis, r.timeAxis);
    draw(m_timeMinTick, r.timeMinTick);
    draw(m_timeMidTick, r.timeMidTick);
    draw(m_timeMaxTick, r.timeMaxTick);
    place(m_timeMinLabel, r.timeMinLabel);
    place(m_timeMidLabel, r.timeMidLabel);
    place(m_timeMaxLabel, r.timeMaxLabel);
}

void MainWindow::updateMinimumSize()
{
    const double dpi = logicalDpi();
    const QSize twips = MainWindowLayout::minimumClientSize(layoutInput());
    m_client->setMinimumSize(MainWindowLayout::twipsToPixels(twips.width(), dpi),
                             MainWindowLayout::twipsToPixels(twips.height(), dpi));
}

void MainWindow::updateLayout()
{
    if (isMinimized())
        return;
    placeControls();
    emit plotResized();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        updateLayout();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A window restored from the task bar may keep its size and get no resize event.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        updateLayout();
}

// A click on an entry has inverted its check mark; its bar follows it.
void MainWindow::showBars()
{
    m_toolbar->setVisible(m_actions->showToolbar()->isChecked());
    m_statusBar->setVisible(m_actions->showStatusBar()->isChecked());
    updateMinimumSize();
    updateLayout();
}

QImage MainWindow::captureGraphArea() const
{
    int top = 0;
    int height = m_client->height();
    if (m_actions->showToolbar()->isChecked()) {
        height -= m_toolbar->height();
        top = m_toolbar->height();
    }
    if (m_actions->showStatusBar()->isChecked())
        height -= m_statusBar->height();
    return captureWindowArea(*m_client, QRect(0, top, m_client->width(), qMax(height, 0)));
}

// The band is drawn into the picture rather than read off the screen, so a window that is
// covered or partly off the screen still gives the whole band.
QImage MainWindow::captureWindowArea(const QWidget &window, const QRect &area)
{
    const qreal ratio = window.devicePixelRatioF();
    QImage picture(area.size() * ratio, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    picture.setDevicePixelRatio(ratio);
    picture.fill(window.palette().window().color());
    const_cast<QWidget &>(window).render(&picture, QPoint(), QRegion(area),
                                         QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return picture;
}
