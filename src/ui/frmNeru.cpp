#include "frmNeru.h"

#include "BundledIcons.h"
#include "General.h"
#include "LineControl.h"
#include "MainWindowLayout.h"
#include "NeruModel.h"
#include "StringTable.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr const char *kKeyProperty = "key";

template<typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

frmNeru::frmNeru(const StringTable &strings, const General &general, NeruModel &model,
                 QWidget *parent)
    : QMainWindow(parent)
    , m_strings(strings)
    , m_general(general)
    , m_model(model)
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

    disableCommands();
    connect(&m_model, &NeruModel::unitsChanged, this, &frmNeru::showUnits);
    connect(&m_model, &NeruModel::comPortChanged, this, &frmNeru::SetCOMPort);
    connect(&m_model, &NeruModel::busyChanged, this, &frmNeru::setCommsBusy);
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

QAction *frmNeru::addEntry(QMenu *menu, const char *name, int tag)
{
    auto *entry = named(new QAction(QLatin1String(name), this), name);
    if (tag > 0)
        General::setTag(*entry, tag);
    menu->addAction(entry);
    return entry;
}

QMenu *frmNeru::addMenu(QWidget *owner, const char *name, int tag, QAction *&entry)
{
    auto *menu = new QMenu(QLatin1String(name), owner);
    menu->setObjectName(QLatin1String(name) + QLatin1String("Menu"));
    entry = named(menu->menuAction(), name);
    General::setTag(*entry, tag);
    if (auto *bar = qobject_cast<QMenuBar *>(owner))
        bar->addMenu(menu);
    else if (auto *parentMenu = qobject_cast<QMenu *>(owner))
        parentMenu->addMenu(menu);
    return menu;
}

QAction *frmNeru::addSeparator(QMenu *menu, const char *name)
{
    return named(menu->addSeparator(), name);
}

void frmNeru::connectEntry(QAction *entry, void (frmNeru::*handler)())
{
    connect(entry, &QAction::triggered, this, handler);
}

void frmNeru::createMenus()
{
    QMenuBar *bar = menuBar();

    mnuFileMenu = addMenu(bar, "mnuFile", 20000, mnuFile);
    mnuFileOpen = addEntry(mnuFileMenu, "mnuFileOpen", 20010);
    mnuFileSep2 = addSeparator(mnuFileMenu, "mnuFileSep2");
    mnuFileExport = addEntry(mnuFileMenu, "mnuFileExport", 20020);
    mnuFileSep3 = addSeparator(mnuFileMenu, "mnuFileSep3");
    mnuFilePrintMenu = addMenu(mnuFileMenu, "mnuFilePrint", 20030, mnuFilePrint);
    mnuFilePrintGraph = addEntry(mnuFilePrintMenu, "mnuFilePrintGraph", 20040);
    mnuFilePrintTable = addEntry(mnuFilePrintMenu, "mnuFilePrintTable", 20050);
    mnuFileSep4 = addSeparator(mnuFileMenu, "mnuFileSep4");
    mnuFileExit = addEntry(mnuFileMenu, "mnuFileExit", 20060);

    mnuEditMenu = addMenu(bar, "mnuEdit", 20100, mnuEdit);
    mnuEditCopyGraph = addEntry(mnuEditMenu, "mnuEditCopyGraph", 20110);
    mnuEditCopyText = addEntry(mnuEditMenu, "mnuEditCopyText", 20120);

    mnuViewMenu = addMenu(bar, "mnuView", 20200, mnuView);
    mnuViewReset = addEntry(mnuViewMenu, "mnuViewReset", 20210);
    mnuViewStats = addEntry(mnuViewMenu, "mnuViewStats", 20220);
    mnuViewToolbar = addEntry(mnuViewMenu, "mnuViewToolbar", 20230);
    mnuViewStatusBar = addEntry(mnuViewMenu, "mnuViewStatusBar", 20240);
    for (QAction *toggle : { mnuViewToolbar, mnuViewStatusBar }) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }

    mnuToolsMenu = addMenu(bar, "mnuTools", 20300, mnuTools);
    mnuToolsCommsMenu = addMenu(mnuToolsMenu, "mnuToolsComms", 20310, mnuToolsComms);
    mnuToolsCommsInterrogate = addEntry(mnuToolsCommsMenu, "mnuToolsCommsInterrogate", 20320);
    mnuToolsCommsProgramRTC = addEntry(mnuToolsCommsMenu, "mnuToolsCommsProgramRTC", 20330);
    mnuToolsCommsReprogramNERU = addEntry(mnuToolsCommsMenu, "mnuToolsCommsReprogramNERU", 20340);
    mnuToolsCommsCOM1 = addEntry(mnuToolsCommsMenu, "mnuToolsCommsCOM1", 20350);
    mnuToolsCommsCOM2 = addEntry(mnuToolsCommsMenu, "mnuToolsCommsCOM2", 20360);
    mnuToolsCommsCOM3 = addEntry(mnuToolsCommsMenu, "mnuToolsCommsCOM3", 20370);
    mnuToolsCommsCOM4 = addEntry(mnuToolsCommsMenu, "mnuToolsCommsCOM4", 20380);
    // The file mode of the download: never shown to the user.
    mnuToolsCommsTest = addEntry(mnuToolsCommsMenu, "mnuToolsCommsTest", 0);
    mnuToolsCommsTest->setText(QStringLiteral("&Test"));
    for (QAction *port : { mnuToolsCommsCOM1, mnuToolsCommsCOM2, mnuToolsCommsCOM3,
                           mnuToolsCommsCOM4, mnuToolsCommsTest })
        port->setCheckable(true);

    mnuToolsUnitsMenu = addMenu(mnuToolsMenu, "mnuToolsUnits", 20400, mnuToolsUnits);
    const char *unitNames[]
        = { "mnuToolsUnitsLitres", "mnuToolsUnitsMetres3", "mnuToolsUnitsGals", "mnuToolsUnitsBar",
            "mnuToolsUnitsPSI",    "mnuToolsUnitsMetre",   "mnuToolsUnitsFeet" };
    for (size_t i = 0; i < mnuToolsUnitsEntries.size(); ++i) {
        mnuToolsUnitsEntries[i]
            = addEntry(mnuToolsUnitsMenu, unitNames[i], 20410 + 10 * static_cast<int>(i));
        mnuToolsUnitsEntries[i]->setCheckable(true);
    }

    mnuHelpMenu = addMenu(bar, "mnuHelp", 20500, mnuHelp);
    mnuHelpContents = addEntry(mnuHelpMenu, "mnuHelpContents", 20510);
    mnuHelpSearch = addEntry(mnuHelpMenu, "mnuHelpSearch", 20520);
    mnuHelpSep1 = addSeparator(mnuHelpMenu, "mnuHelpSep1");
    mnuHelpAbout = addEntry(mnuHelpMenu, "mnuHelpAbout", 20530);

    connectEntry(mnuFileOpen, &frmNeru::mnuFileOpen_Click);
    connectEntry(mnuFileExport, &frmNeru::mnuFileExport_Click);
    connectEntry(mnuFilePrintGraph, &frmNeru::mnuFilePrintGraph_Click);
    connectEntry(mnuFilePrintTable, &frmNeru::mnuFilePrintTable_Click);
    connectEntry(mnuFileExit, &frmNeru::mnuFileExit_Click);
    connectEntry(mnuEditCopyGraph, &frmNeru::mnuEditCopyGraph_Click);
    connectEntry(mnuEditCopyText, &frmNeru::mnuEditCopyText_Click);
    connectEntry(mnuViewReset, &frmNeru::mnuViewReset_Click);
    connectEntry(mnuViewStats, &frmNeru::mnuViewStats_Click);
    connectEntry(mnuViewToolbar, &frmNeru::viewToolbarChecked);
    connectEntry(mnuViewStatusBar, &frmNeru::viewStatusBarChecked);
    connectEntry(mnuToolsCommsInterrogate, &frmNeru::mnuToolsCommsInterrogate_Click);
    connectEntry(mnuToolsCommsProgramRTC, &frmNeru::mnuToolsCommsProgramRTC_Click);
    connectEntry(mnuToolsCommsReprogramNERU, &frmNeru::mnuToolsCommsReprogramNERU_Click);
    connectEntry(mnuToolsCommsCOM1, &frmNeru::mnuToolsCommsCOM1_Click);
    connectEntry(mnuToolsCommsCOM2, &frmNeru::mnuToolsCommsCOM2_Click);
    connectEntry(mnuToolsCommsCOM3, &frmNeru::mnuToolsCommsCOM3_Click);
    connectEntry(mnuToolsCommsCOM4, &frmNeru::mnuToolsCommsCOM4_Click);
    connectEntry(mnuToolsCommsTest, &frmNeru::mnuToolsCommsTest_Click);
    connectEntry(mnuToolsUnitsEntries[0], &frmNeru::mnuToolsUnitsLitres_Click);
    connectEntry(mnuToolsUnitsEntries[1], &frmNeru::mnuToolsUnitsMetres3_Click);
    connectEntry(mnuToolsUnitsEntries[2], &frmNeru::mnuToolsUnitsGals_Click);
    connectEntry(mnuToolsUnitsEntries[3], &frmNeru::mnuToolsUnitsBar_Click);
    connectEntry(mnuToolsUnitsEntries[4], &frmNeru::mnuToolsUnitsPSI_Click);
    connectEntry(mnuToolsUnitsEntries[5], &frmNeru::mnuToolsUnitsMetre_Click);
    connectEntry(mnuToolsUnitsEntries[6], &frmNeru::mnuToolsUnitsFeet_Click);
    connectEntry(mnuHelpContents, &frmNeru::mnuHelpContents_Click);
    connectEntry(mnuHelpSearch, &frmNeru::mnuHelpSearch_Click);
    connectEntry(mnuHelpAbout, &frmNeru::mnuHelpAbout_Click);
}

QAction *frmNeru::addButton(const char *key, int tag, const char *themeIcon, const char *picture)
{
    auto *button = new QAction(tbrToolbar);
    button->setObjectName(QStringLiteral("tbrToolbar") + QLatin1String(key));
    button->setProperty(kKeyProperty, QLatin1String(key));
    General::setTag(*button, tag);
    button->setIcon(BundledIcons::icon(QLatin1String(themeIcon), QLatin1String(picture)));
    tbrToolbar->addAction(button);
    return button;
}

void frmNeru::createToolbar()
{
    tbrToolbar = named(new QToolBar(m_client), "tbrToolbar");
    tbrToolbar->setMovable(false);
    tbrToolbar->setFloatable(false);
    tbrToolbar->setIconSize(QSize(16, 16));
    tbrToolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    addButton("Open", 21000, "document-open", "open");
    addButton("Print", 21010, "document-print", "print");
    tbrToolbar->addSeparator();
    addButton("Copy", 21020, "edit-copy", "copy");
    addButton("CopyText", 21030, "text-x-generic", "copytext");
    tbrToolbar->addSeparator();
    addButton("Interrogate", 21040, "go-down", "interrogate");
    addButton("ProgramRTC", 21050, "appointment-new", "programrtc");
    addButton("ReprogramNERU", 21060, "document-properties", "reprogram");
    connect(tbrToolbar, &QToolBar::actionTriggered, this, &frmNeru::tbrToolbar_ButtonClick);
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

void frmNeru::setPicture1(QWidget *picture)
{
    if (!picture || picture == Picture1)
        return;
    picture->setParent(m_client);
    picture->setGeometry(Picture1->geometry());
    picture->show();
    delete Picture1;
    Picture1 = picture;
}

void frmNeru::setStatusText(const QString &text)
{
    staStatusPanel->setText(text);
}

QString frmNeru::statusText() const
{
    return staStatusPanel->text();
}
