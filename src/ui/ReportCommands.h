#pragma once

#include "CaptureRoutines.h"
#include "NamedFormats.h"
#include "ReportPrinter.h"
#include "TextReport.h"

#include <QObject>

class NeruModel;
class QImage;
class UserPrompts;
class MainWindow;

// Edit > Copy Graph and Copy Text, File > Print > Graph and Table: the district's text
// report with the statistics the dialog shows, and the picture of the main window's
// graph band, on the clipboard or on paper.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    ReportCommands(MainWindow &main, NeruModel &model, UserPrompts &prompts);

    ReportPrinter &printer() { return m_printer; }

public slots:
    // Without samples these two do nothing, and the clipboard keeps what it had.
    void copyText();
    void printTable();
    // These two work with or without data: they take the band as it is shown. After
    // Print Graph the clipboard holds the graph as well.
    void copyGraph();
    void printGraph();

private:
    // Puts the graph on the clipboard; tells the user when the clipboard did not take it.
    QImage putGraphOnClipboard();
    // The save dialog's proposal for a report printed to PDF: the data file's name with
    // "-graph.pdf" or "-table.pdf", in defaultFolder.
    QString proposedPdf(const QString &what) const;
    void clipboardFailed(const QString &what);

    MainWindow &m_main;
    NeruModel &m_model;
    UserPrompts &m_prompts;
    const NamedFormats m_formats;
    const TextReport m_report { m_formats };
    CaptureRoutines m_capture;
    ReportPrinter m_printer;
};
