#pragma once

#include "NamedFormats.h"
#include "NightFlowAnalysis.h"
#include "NightFlowReport.h"
#include "ReportPrinter.h"

#include <QDialog>

#include <optional>

class NeruModel;
class QChart;
class QChartView;
class QImage;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTimeEdit;
class StringTable;
class UserPrompts;

// View > Night Flow: the leakage figures of the district on show, following the model's
// district, display unit and night window. The night window's two times, a table of the
// days, a bar chart of the night minima with their trend, and the trend and the whole log
// in words; the figures go on the clipboard, into a CSV file or onto paper. Non-modal, made
// once with the main window and shown again.
class NightFlowDialog : public QDialog
{
    Q_OBJECT

public:
    NightFlowDialog(const StringTable &strings, NeruModel &model, UserPrompts &prompts,
                    QWidget *parent = nullptr);
    ~NightFlowDialog() override;

    ReportPrinter &printer() { return m_printer; }

    QTimeEdit *startEdit = nullptr;
    QTimeEdit *endEdit = nullptr;
    QLabel *windowNote = nullptr; // why a window typed in is not applied
    QStackedWidget *pages = nullptr; // the figures, or why there are none
    QLabel *problemLabel = nullptr;
    QTableWidget *table = nullptr;
    QChartView *chartView = nullptr;
    QLabel *trendLabel = nullptr;
    QLabel *wholeLogLabel = nullptr;
    QPushButton *copyButton = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *printButton = nullptr;
    QPushButton *closeButton = nullptr;

public slots:
    // Analyses the district on show in the model's unit and window, and shows the result;
    // nothing while the dialog is hidden, since showing it recomputes.
    void recompute();
    // The figures as tab-separated text on the clipboard.
    void copy();
    // The figures as CSV in a file the user names, written whole.
    void saveCsv();
    // The heading, chart, table and sentences on the printer, or in a PDF file without one.
    void print();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    // The edits take the model's window; setting them is no change of the user's.
    void showWindow();
    void applyWindow();
    void showAnalysis(const NightFlowAnalysis &analysis);
    void showProblem(const QString &text);
    void fillTable(const NightFlowAnalysis &analysis);
    void fillChart(const NightFlowAnalysis &analysis);
    QString unitText() const;
    NightFlowReport::Source source() const;
    // The data file's name with `suffix`, in its folder; in defaultFolder without one.
    QString proposedFile(const QString &suffix) const;
    QImage chartImage() const;

    const StringTable &m_strings;
    NeruModel &m_model;
    UserPrompts &m_prompts;
    const NamedFormats m_formats;
    ReportPrinter m_printer;
    QChart *m_chart = nullptr;
    std::optional<NightFlowAnalysis> m_analysis;
};
