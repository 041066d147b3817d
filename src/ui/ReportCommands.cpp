#include "ReportCommands.h"

#include "ApplicationName.h"
#include "DateTime.h"
#include "MainWindow.h"
#include "NeruModel.h"
#include "UserPrompts.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {

const QString kGraph = QStringLiteral("graph");
const QString kTable = QStringLiteral("table");

} // namespace

ReportCommands::ReportCommands(MainWindow &main, NeruModel &model, UserPrompts &prompts)
    : m_main(main)
    , m_model(model)
    , m_prompts(prompts)
    , m_printer(prompts)
{ }

void ReportCommands::copyText()
{
    // Before the first district there is not even a header to sum up.
    if (m_model.file().series().sampleCount <= 0)
        return;
    const QString text = m_report.copyText(m_model.file(), m_model.summary());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    if (clipboard->text() != text)
        clipboardFailed(kTable);
}

void ReportCommands::printTable()
{
    if (m_model.file().series().sampleCount <= 0)
        return;
    const QStringList lines = m_report.printLines(m_model.file(), m_model.summary());
    m_printer.print(kTable, proposedPdf(kTable), [this, &lines](PrintingSurface &surface) {
        return m_capture.printTable(surface, lines);
    });
}

void ReportCommands::copyGraph()
{
    putGraphOnClipboard();
}

void ReportCommands::printGraph()
{
    const QImage graph = putGraphOnClipboard();
    const QString caption = m_main.windowTitle();
    const QString printed = QStringLiteral("Printed ") + m_formats.dateAndTime(DateTime::now());
    m_printer.print(kGraph, proposedPdf(kGraph), [&](PrintingSurface &surface) {
        return m_capture.printGraph(surface, graph, caption, printed);
    });
}

QImage ReportCommands::putGraphOnClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QImage graph = m_main.captureGraphArea();
    clipboard->setImage(graph);
    const QMimeData *held = clipboard->mimeData();
    if (graph.isNull() || !held || !held->hasImage())
        clipboardFailed(kGraph);
    return graph;
}

QString ReportCommands::proposedPdf(const QString &what) const
{
    const QString dataFile = m_model.file().image().path();
    const QString base = dataFile.isEmpty() ? QString() : QFileInfo(dataFile).completeBaseName();
    return m_model.startUp().defaultFolder + (base.isEmpty() ? what : base + u'-' + what)
        + QStringLiteral(".pdf");
}

void ReportCommands::clipboardFailed(const QString &what)
{
    m_prompts.message(QStringLiteral("The %1 could not be put on the clipboard.").arg(what),
                      ApplicationName::title());
}
