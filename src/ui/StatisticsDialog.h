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
class StatisticsDialog : public QDialog
{
    Q_OBJECT

public:
    StatisticsDialog(const StringTable &strings, const General &general, NeruModel &model,
                     UserPrompts &prompts, QWidget *parent = nullptr);

    // Fills every control from the district loaded and the display unit; the texts it puts
    // in the boxes are not edits.
    void setup();

    bool textsEdited() const { return m_textsEdited; }

    QLineEdit *titleEdit = nullptr;
    QLineEdit *comments1Edit = nullptr;
    QLineEdit *comments2Edit = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *comments1Label = nullptr;
    QLabel *comments2Label = nullptr;
    QLabel *intervalCaption = nullptr;
    QLabel *intervalValue = nullptr;
    QLabel *intervalUnit = nullptr;
    QLabel *maxCaption = nullptr;
    QLabel *maxValue = nullptr;
    QLabel *maxUnit = nullptr;
    QLabel *minCaption = nullptr;
    QLabel *minValue = nullptr;
    QLabel *minUnit = nullptr;
    QLabel *referenceCaption = nullptr;
    QLabel *referenceValue = nullptr;
    QLabel *referenceUnit = nullptr;
    QLabel *headCaption = nullptr;
    QLabel *headValue = nullptr;
    QLabel *headUnit = nullptr;
    QLabel *meterCaption = nullptr;
    QLabel *meterValue = nullptr;
    QLabel *meterUnit = nullptr;
    QLabel *tableHeading = nullptr;
    QPlainTextEdit *tableView = nullptr;
    QScrollBar *tableScrollBar = nullptr;
    QPushButton *okButton = nullptr;

public slots:
    // A display unit has been applied: the dialog is set up again in it.
    void showUnits(const Units::Change &change);

    // Closes the dialog, asking first whether edited texts are to be saved. A save that
    // fails keeps the dialog open with the user's texts.
    void confirm();

    // Esc and the window's close button: as OK, so an edit is never dropped unasked.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Rows in the dialog's window onto the table.
    static constexpr qint32 kTableRows = 10;

    void buildContents();
    void prepareToShow();
    void showScrolledRows();
    void noteTitleEdited();
    void noteComments1Edited();
    void noteComments2Edited();

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
    bool m_textsEdited = false;
};
