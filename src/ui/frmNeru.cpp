#include "frmNeru.h"

#include "BundledIcons.h"
#include "GraphPicture.h"
#include "LineControl.h"
#include "MainWindowActions.h"
#include "MainWindowLayout.h"
#include "NeruModel.h"
#include "StringTable.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

template<typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

frmNeru::frmNeru(const StringTable &strings, NeruModel &model, QWidget *parent)
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
    connect(m_actions->showToolbar(), &QAction::triggered, this, &frmNeru::viewToolbarChecked);
    connect(m_actions->showStatusBar(), &QAction::triggered, this, &frmNeru::viewStatusBarChecked);
    connect(&m_model, &NeruModel::districtChanged, this, &frmNeru::showTitle);
    connect(&m_model, &NeruModel::unitsChanged, this, &frmNeru::showUnits);
    connect(&m_model, &NeruModel::comPortChanged, m_actions, &MainWindowActions::showPort);
    // Design size: 9525 x 6150 twips of client area.
    const double dpi = logicalDpi();
    resize(MainWindowLayout::twipsToPixels(9525, dpi),
           MainWindowLayout::twipsToPixels(6150, dpi) + menuBar()->sizeHint().height());
}

frmNeru::~frmNeru() = default;

double frmNeru::logicalDpi() const
{
    return m_client->logicalDpiX();
}

QMenu *frmNeru::addMenu(QWidget *owner, int titleId)
{
    auto *menu = new QMenu(m_strings.text(titleId), owner);
    if (auto *bar = qobject_cast<QMenuBar *>(owner))
        bar->addMenu(menu);
    else if (auto *parentMenu = qobject_cast<QMenu *>(owner))
        parentMenu->addMenu(menu);
    return menu;
}

void frmNeru::createMenus()
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

void frmNeru::createToolbar()
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

void frmNeru::createPlotArea()
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

GraphController::Controls frmNeru::attachGraph(GraphPicture *picture)
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

void frmNeru::showTitle()
{
    // A district that went into no file (its Save District dialog was closed) is unnamed.
    const QString file = m_model.file().strDataFile();
    setWindowTitle(m_strings.text(50030) + (file.isEmpty() ? m_strings.text(50040) : file));
}

void frmNeru::setStatusText(const QString &text)
{
    staStatusPanel->setText(text);
}

QString frmNeru::statusText() const
{
    return staStatusPanel->text();
}
