#pragma once

#include "NamedFormats.h"
#include "TableRows.h"
#include "Units.h"

#include <QDialog>

class General;
class NeruModel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class StringTable;
class UserPrompts;

// The statistics of the district loaded: its constants, logging interval and extremes in
// the display unit, a ten-row window onto its table, and its title and comment lines,
// which are edited and saved into its file here. Created once, then hidden and shown.
class frmStats : public QDialog
{
    Q_OBJECT

public:
    frmStats(const StringTable &strings, const General &general, NeruModel &model,
             UserPrompts &prompts, QWidget *parent = nullptr);

    // Fills every control from the district loaded and the display unit; the texts it puts
    // in the boxes are not edits.
    void setup();

    bool blnChanged() const { return m_blnChanged; }

    QLineEdit *txtTitle = nullptr;
    QLineEdit *txtComments1 = nullptr;
    QLineEdit *txtComments2 = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblComments1 = nullptr;
    QLabel *lblComments2 = nullptr;
    QLabel *lblLoggingIntLabel = nullptr;
    QLabel *lblLoggingInt = nullptr;
    QLabel *lblLoggingIntUnits = nullptr;
    QLabel *lblMaxLabel = nullptr;
    QLabel *lblMax = nullptr;
    QLabel *lblMaxUnits = nullptr;
    QLabel *lblMinLabel = nullptr;
    QLabel *lblMin = nullptr;
    QLabel *lblMinUnits = nullptr;
    QLabel *lblRefFlowLabel = nullptr;
    QLabel *lblRefFlow = nullptr;
    QLabel *lblRefFlowUnits = nullptr;
    QLabel *lblHeadLabel = nullptr;
    QLabel *lblHead = nullptr;
    QLabel *lblHeadUnits = nullptr;
    QLabel *lblMeterLabel = nullptr;
    QLabel *lblMeter = nullptr;
    QLabel *lblMeterUnits = nullptr;
    QLabel *lblFitting = nullptr;
    QPlainTextEdit *txtTable = nullptr;
    QScrollBar *vsbScroll = nullptr;
    QPushButton *cmdOK = nullptr;

public slots:
    // A display unit has been applied: the dialog is set up again in it.
    void showUnits(const Units::Change &change);

    // Closes the dialog, asking first whether edited texts are to be saved. A save that
    // fails keeps the dialog open with the user's texts.
    void cmdOK_Click();

    // Esc and the window's close button: as OK, so an edit is never dropped unasked.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Rows in the dialog's window onto the table.
    static constexpr qint32 kTableRows = 10;

    void Form_Load();
    void Form_Activate();
    void vsbScroll_Change();
    void txtTitle_Change();
    void txtComments1_Change();
    void txtComments2_Change();

    // Rows `first` to `first` + 9 of the table in the display unit.
    void showRows(qint32 first);
    // The boxes get the texts of the image's header.
    void showHeaderTexts();
    void buildLayout();

    const StringTable &m_strings;
    const General &m_general;
    NeruModel &m_model;
    UserPrompts &m_prompts;
    const NamedFormats m_formats;
    const TableRows m_tableRows { m_formats };
    bool m_blnChanged = false;
};
