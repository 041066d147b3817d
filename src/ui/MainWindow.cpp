#include "MainWindow.h"

#include "BundledIcons.h"
#include "GraphPicture.h"
#include "LineControl.h"
#include "MainWindowActions.h"
#include "MainWindowLayout.h"
#include "NeruModel.h"
#include "StringTable.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

namespace {

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

    // The client area holds the toolbar and the status bar itself, so that the layout
    // can count their heights from its own top-left corner.
    m_client = named(new QWidget(this), "clientArea");
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    createMenus();
    createToolbar();
    createPlotArea();

    staStatus = named(new QStatusBar(m_client), "staStatus");
    staStatusPanel = named(new QLabel(staStatus), "staStatusPanel");
    staStatus->addWidget(staStatusPanel, 1);

    connect(m_actions->exit(), &QAction::triggered, this, &QWidget::close);
    connect(m_actions->showToolbar(), &QAction::triggered, this, &MainWindow::viewToolbarChecked);
    connect(m_actions->showStatusBar(), &QAction::triggered, this,
            &MainWindow::viewStatusBarChecked);
    connect(&m_model, &NeruModel::districtChanged, this, &MainWindow::showTitle);
    connect(&m_model, &NeruModel::unitsChanged, this, &MainWindow::showUnits);
    connect(&m_model, &NeruModel::comPortChanged, m_actions, &MainWindowActions::showPort);
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
    file->addAction(a.exportCsv());
    file->addSeparator();
    QMenu *print = addMenu(file, 20030);
    print->addActions({ a.printGraph(), a.printTable() });
    file->addSeparator();
    file->addAction(a.exit());

    addMenu(bar, 20100)->addActions({ a.copyGraph(), a.copyText() });
    addMenu(bar, 20200)
        ->addActions({ a.resetView(), a.statistics(), a.showToolbar(), a.showStatusBar() });

    QMenu *tools = addMenu(bar, 20300);
    QMenu *comms = addMenu(tools, 20310);
    comms->addActions({ a.interrogate(), a.setLoggerClock(), a.loggerSettings() });
    comms->addActions(a.ports()->actions());
    addMenu(tools, 20400)->addActions(a.units()->actions());

    QMenu *help = addMenu(bar, 20500);
    help->addActions({ a.helpContents(), a.helpSearch() });
    help->addSeparator();
    help->addAction(a.about());
}

void MainWindow::createToolbar()
{
    const MainWindowActions &a = *m_actions;
    tbrToolbar = named(new QToolBar(m_client), "tbrToolbar");
    tbrToolbar->setMovable(false);
    tbrToolbar->setFloatable(false);
    tbrToolbar->setIconSize(QSize(16, 16));
    tbrToolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbrToolbar->addActions({ a.open(), a.printGraph() });
    tbrToolbar->addSeparator();
    tbrToolbar->addActions({ a.copyGraph(), a.copyText() });
    tbrToolbar->addSeparator();
    tbrToolbar->addActions({ a.interrogate(), a.setLoggerClock(), a.loggerSettings() });
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
    Picture1 = plot;

    hsbTime = named(new QScrollBar(Qt::Horizontal, m_client), "hsbTime");
    vsbFlow = named(new QScrollBar(Qt::Vertical, m_client), "vsbFlow");
    for (QScrollBar *bar : { hsbTime, vsbFlow }) {
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
    cmdTimeZoomOut = zoomButton("cmdTimeZoomOut", zoomOut);
    cmdTimeZoomIn = zoomButton("cmdTimeZoomIn", zoomIn);
    cmdFlowZoomIn = zoomButton("cmdFlowZoomIn", zoomIn);
    cmdFlowZoomOut = zoomButton("cmdFlowZoomOut", zoomOut);

    const double dpi = logicalDpi();
    lblFlow = named(new QLabel(m_client), "lblFlow");
    lblFlow->setText(m_strings.text(40000) + QStringLiteral(" (") + m_strings.text(40010) + u')');
    lblFlow->setGeometry(
        MainWindowLayout::toPixels(QRect(QPoint(0, 0), MainWindowLayout::kFlowLabelSize), dpi));

    auto axisLabel = [this](const char *name, Qt::Alignment alignment) {
        auto *label = named(new QLabel(m_client), name);
        label->setAlignment(alignment);
        label->setWordWrap(true);
        return label;
    };
    lblFlowMax = axisLabel("lblFlowMax", Qt::AlignRight | Qt::AlignVCenter);
    lblFlowMid = axisLabel("lblFlowMid", Qt::AlignRight | Qt::AlignVCenter);
    lblFlowMin = axisLabel("lblFlowMin", Qt::AlignRight | Qt::AlignVCenter);
    lblTimeMin = axisLabel("lblTimeMin", Qt::AlignHCenter | Qt::AlignTop);
    lblTimeMid = axisLabel("lblTimeMid", Qt::AlignHCenter | Qt::AlignTop);
    lblTimeMax = axisLabel("lblTimeMax", Qt::AlignHCenter | Qt::AlignTop);

    auto line = [this](const char *name) { return named(new LineControl(m_client), name); };
    linFlowAxis = line("linFlowAxis");
    linFlowMax = line("linFlowMax");
    linFlowMid = line("linFlowMid");
    linFlowMin = line("linFlowMin");
    linTimeAxis = line("linTimeAxis");
    linTimeMin = line("linTimeMin");
    linTimeMid = line("linTimeMid");
    linTimeMax = line("linTimeMax");
}

GraphController::Controls MainWindow::attachGraph(GraphPicture *picture)
{
    picture->setParent(m_client);
    picture->setGeometry(Picture1->geometry());
    picture->show();
    delete Picture1;
    Picture1 = picture;

    GraphController::Controls c;
    c.Picture1 = picture;
    c.hsbTime = hsbTime;
    c.vsbFlow = vsbFlow;
    c.cmdFlowZoomIn = cmdFlowZoomIn;
    c.cmdFlowZoomOut = cmdFlowZoomOut;
    c.cmdTimeZoomIn = cmdTimeZoomIn;
    c.cmdTimeZoomOut = cmdTimeZoomOut;
    c.lblFlowMax = lblFlowMax;
    c.lblFlowMid = lblFlowMid;
    c.lblFlowMin = lblFlowMin;
    c.lblTimeMin = lblTimeMin;
    c.lblTimeMid = lblTimeMid;
    c.lblTimeMax = lblTimeMax;
    c.showStatus = [this](const QString &text) { setStatusText(text); };
    return c;
}

void MainWindow::showTitle()
{
    // A district that went into no file (its Save District dialog was closed) is unnamed.
    const QString file = m_model.file().strDataFile();
    setWindowTitle(m_strings.text(50030) + (file.isEmpty() ? m_strings.text(50040) : file));
}

void MainWindow::setStatusText(const QString &text)
{
    staStatusPanel->setText(text);
}

QString MainWindow::statusText() const
{
    return staStatusPanel->text();
}

void MainWindow::Form_Load()
{
    // No file named and no data yet: no unit can be chosen.
    m_model.resetForNewWindow();
    m_actions->showPort(m_model.startUp().intCOMPort);
    showTitle();
    updateMinimumSize();
}

void MainWindow::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_model.writeSettings();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The link must not go while it waits for the logger: the command stops first (a
    // download after the block in progress) and the window closes when it has ended.
    if (m_model.commsBusy()) {
        event->ignore();
        m_closeWhenIdle = true;
        m_model.requestStop();
        return;
    }
    Form_Unload();
    event->accept();
    emit unloaded();
}

bool MainWindow::event(QEvent *event)
{
    // The status bar lives in the client area, so status tips are shown here.
    if (event->type() == QEvent::StatusTip) {
        staStatus->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::setCommsBusy(bool busy)
{
    m_actions->updateEnabled(busy);
    if (!busy && m_closeWhenIdle) {
        m_closeWhenIdle = false;
        // Once the command has returned all the way out.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void MainWindow::showUnits(const Units::Change &change)
{
    m_actions->showUnits(change);
    if (!change.applied)
        return;
    lblFlow->setText(change.lblFlowCaption);
    // A longer caption may need a wider box and a wider window.
    updateMinimumSize();
    setControls();
}

MainWindowLayout::Input MainWindow::layoutInput() const
{
    const double dpi = logicalDpi();
    MainWindowLayout::Input input;
    input.clientWidth = MainWindowLayout::pixelsToTwips(m_client->width(), dpi);
    input.clientHeight = MainWindowLayout::pixelsToTwips(m_client->height(), dpi);
    input.toolbarHeight = MainWindowLayout::pixelsToTwips(tbrToolbar->sizeHint().height(), dpi);
    input.statusBarHeight = MainWindowLayout::pixelsToTwips(staStatus->sizeHint().height(), dpi);
    // The check marks, not the bars, say whether a bar is shown.
    input.toolbarChecked = m_actions->showToolbar()->isChecked();
    input.statusBarChecked = m_actions->showStatusBar()->isChecked();
    input.flowCaptionWidth = MainWindowLayout::widthToTwips(
        lblFlow->fontMetrics().horizontalAdvance(lblFlow->text()), dpi);
    return input;
}

void MainWindow::setControls()
{
    const double dpi = logicalDpi();
    const int width = m_client->width();
    const int height = m_client->height();
    const int toolbarHeight = tbrToolbar->sizeHint().height();
    const int statusHeight = staStatus->sizeHint().height();
    tbrToolbar->setGeometry(0, 0, width, toolbarHeight);
    staStatus->setGeometry(0, height - statusHeight, width, statusHeight);

    const MainWindowLayout::Result r = MainWindowLayout::setControls(layoutInput());
    auto place = [dpi](QWidget *control, const QRect &twips) {
        control->setGeometry(MainWindowLayout::toPixels(twips, dpi));
    };
    place(Picture1, r.Picture1);
    place(hsbTime, r.hsbTime);
    place(cmdTimeZoomOut, r.cmdTimeZoomOut);
    place(cmdTimeZoomIn, r.cmdTimeZoomIn);
    place(lblFlow, r.lblFlow);
    place(vsbFlow, r.vsbFlow);
    place(cmdFlowZoomIn, r.cmdFlowZoomIn);
    place(cmdFlowZoomOut, r.cmdFlowZoomOut);

    auto draw = [dpi](LineControl *line, const QLine &twips) {
        line->setLine(MainWindowLayout::toPixels(twips, dpi));
    };
    draw(linFlowAxis, r.linFlowAxis);
    draw(linFlowMax, r.linFlowMax);
    draw(linFlowMid, r.linFlowMid);
    draw(linFlowMin, r.linFlowMin);
    place(lblFlowMax, r.lblFlowMax);
    place(lblFlowMid, r.lblFlowMid);
    place(lblFlowMin, r.lblFlowMin);
    draw(linTimeAxis, r.linTimeAxis);
    draw(linTimeMin, r.linTimeMin);
    draw(linTimeMid, r.linTimeMid);
    draw(linTimeMax, r.linTimeMax);
    place(lblTimeMin, r.lblTimeMin);
    place(lblTimeMid, r.lblTimeMid);
    place(lblTimeMax, r.lblTimeMax);
}

void MainWindow::updateMinimumSize()
{
    const double dpi = logicalDpi();
    const QSize twips = MainWindowLayout::minimumClientSize(layoutInput());
    m_client->setMinimumSize(MainWindowLayout::twipsToPixels(twips.width(), dpi),
                             MainWindowLayout::twipsToPixels(twips.height(), dpi));
}

void MainWindow::Form_Resize()
{
    if (isMinimized())
        return;
    setControls();
    emit plotResized();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A window restored from the task bar may keep its size and get no resize event.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        Form_Resize();
}

// A click on the entry has inverted its check mark; the bar follows it.
void MainWindow::viewToolbarChecked()
{
    tbrToolbar->setVisible(m_actions->showToolbar()->isChecked());
    updateMinimumSize();
    Form_Resize();
}

void MainWindow::viewStatusBarChecked()
{
    staStatus->setVisible(m_actions->showStatusBar()->isChecked());
    updateMinimumSize();
    Form_Resize();
}

QImage MainWindow::captureGraphArea() const
{
    int top = 0;
    int height = m_client->height();
    if (m_actions->showToolbar()->isChecked()) {
        height -= tbrToolbar->height();
        top = tbrToolbar->height();
    }
    if (m_actions->showStatusBar()->isChecked())
        height -= staStatus->height();
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
