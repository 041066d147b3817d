#include "MainWindowGraph.h"

#include "Checked.h"
#include "ErrorReport.h"
#include "FileProcessing.h"
#include "GraphController.h"
#include "GraphPicture.h"
#include "StartUpSettings.h"
#include "StringTable.h"
#include "UserPrompts.h"
#include "frmNeru.h"

#include <QFileInfo>
#include <QToolButton>

namespace {

// The first byte of a file written by version 4 or later of the logger's software.
constexpr quint8 kVersion4 = 0x34;

} // namespace

MainWindowGraph::MainWindowGraph(frmNeru &main, FileProcessing &file, StartUpSettings &startUp,
                                 const StringTable &strings, ErrorReport &errorReport,
                                 UserPrompts &prompts)
    : m_main(main)
    , m_file(file)
    , m_startUp(startUp)
    , m_strings(strings)
    , m_errorReport(errorReport)
    , m_prompts(prompts)
{
    auto *picture = new GraphPicture; // the window takes it over
    m_main.setPicture1(picture);

    GraphController::Controls c;
    c.Picture1 = picture;
    c.hsbTime = m_main.hsbTime;
    c.vsbFlow = m_main.vsbFlow;
    c.cmdFlowZoomIn = m_main.cmdFlowZoomIn;
    c.cmdFlowZoomOut = m_main.cmdFlowZoomOut;
    c.cmdTimeZoomIn = m_main.cmdTimeZoomIn;
    c.cmdTimeZoomOut = m_main.cmdTimeZoomOut;
    c.lblFlowMax = m_main.lblFlowMax;
    c.lblFlowMid = m_main.lblFlowMid;
    c.lblFlowMin = m_main.lblFlowMin;
    c.lblTimeMin = m_main.lblTimeMin;
    c.lblTimeMid = m_main.lblTimeMid;
    c.lblTimeMax = m_main.lblTimeMax;
    c.showStatus = [this](const QString &text) { m_main.setStatusText(text); };
    m_controller = std::make_unique<GraphController>(
        c,
        GraphController::Data { m_file.series(), m_file.settings(), m_main.intUnits(),
                                m_main.dblFlowScaleFactor(), m_formats, m_strings, m_errorReport,
                                m_prompts });

    m_main.hooks.ResetForm = [this] { m_controller->ResetForm(); };
    m_main.hooks.drawGraph = [this] { m_controller->drawGraph(); };
    m_main.hooks.openDataFile = [this](const QString &path) { openDataFile(path); };
    m_main.setCommand(frmNeru::Command::ViewReset, [this] { m_controller->mnuViewReset_Click(); });
}

MainWindowGraph::~MainWindowGraph() = default;

void MainWindowGraph::initialiseGraph()
{
    m_main.setWindowTitle(m_main.texts().text(50030) + m_file.strDataFile());
    m_controller->prepareCurveElements();
    m_main.SetUnits(m_main.intUnits());
}

void MainWindowGraph::openDataFile(const QString &path)
{
    try {
        const QFileInfo chosen(path);
        const QString absolute = chosen.absoluteFilePath();
        m_startUp.strDefaultDir = chosen.absolutePath() + u'/';
        m_file.readImageFile(absolute);
        // Named only once read: a file that cannot be read must not become the target of a
        // later save of the image still in memory.
        m_file.setDataFile(absolute);
        if (m_file.lngImageLength() < 1)
            return;
        if (Checked::byteAt(m_file.RawImage(), 0) != kVersion4) {
            // The image now holds the rejected file; the series and graph stay as they were.
            m_prompts.message(m_strings.text(40250), QStringLiteral("Neru"));
            return;
        }
        m_file.processRecords(m_main.intUnits());
        initialiseGraph();
        if (m_main.hooks.statsSetup)
            m_main.hooks.statsSetup();
    } catch (...) {
        m_errorReport.errorReport(QStringLiteral("frmNeru"), QStringLiteral("mnuFileOpen_Click"));
    }
}
