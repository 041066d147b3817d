#include "StatisticsDialog.h"

#include "ApplicationName.h"
#include "DistrictSummary.h"
#include "General.h"
#include "NeruModel.h"
#include "StringTable.h"
#include "UserPrompts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

namespace {

// Longest table row the window is made wide enough for: a 10-character date and room to
// spare for a value of more than eight characters.
constexpr int kTableColumns = 64;

} // namespace

StatisticsDialog::StatisticsDialog(const StringTable &strings, const General &general,
                                   NeruModel &model, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_strings(strings)
    , m_general(general)
    , m_model(model)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmStats"));
    setModal(true);

    titleEdit = General::addControl<QLineEdit>(this, "txtTitle");
    titleEdit->setMaxLength(DistrictImage::kTextLength);
    comments1Edit = General::addControl<QLineEdit>(this, "txtComments1");
    comments2Edit = General::addControl<QLineEdit>(this, "txtComments2");
    titleLabel = General::addControl<QLabel>(this, "lblTitle", 30000);
    comments1Label = General::addControl<QLabel>(this, "lblComments1", 30010);
    comments2Label = General::addControl<QLabel>(this, "lblComments2", 30020);
    intervalCaption = General::addControl<QLabel>(this, "lblLoggingIntLabel", 30050);
    intervalValue = General::addControl<QLabel>(this, "lblLoggingInt");
    intervalUnit = General::addControl<QLabel>(this, "lblLoggingIntUnits");
    maxCaption = General::addControl<QLabel>(this, "lblMaxLabel", 30060);
    maxValue = General::addControl<QLabel>(this, "lblMax");
    maxUnit = General::addControl<QLabel>(this, "lblMaxUnits");
    minCaption = General::addControl<QLabel>(this, "lblMinLabel", 30070);
    minValue = General::addControl<QLabel>(this, "lblMin");
    minUnit = General::addControl<QLabel>(this, "lblMinUnits");
    referenceCaption = General::addControl<QLabel>(this, "lblRefFlowLabel", 30080);
    referenceValue = General::addControl<QLabel>(this, "lblRefFlow");
    referenceUnit = General::addControl<QLabel>(this, "lblRefFlowUnits");
    headCaption = General::addControl<QLabel>(this, "lblHeadLabel");
    headValue = General::addControl<QLabel>(this, "lblHead");
    headUnit = General::addControl<QLabel>(this, "lblHeadUnits");
    meterCaption = General::addControl<QLabel>(this, "lblMeterLabel");
    meterValue = General::addControl<QLabel>(this, "lblMeter");
    meterUnit = General::addControl<QLabel>(this, "lblMeterUnits");
    tableHeading = General::addControl<QLabel>(this, "lblFitting");
    tableView = General::addControl<QPlainTextEdit>(this, "txtTable");
    tableScrollBar = General::addControl<QScrollBar>(this, "vsbScroll");
    tableScrollBar->setOrientation(Qt::Vertical);
    okButton = General::addControl<QPushButton>(this, "cmdOK", 30110);
    okButton->setDefault(true);
    buildLayout();

    connect(titleEdit, &QLineEdit::textEdited, this, &StatisticsDialog::noteTitleEdited);
    connect(comments1Edit, &QLineEdit::textEdited, this, &StatisticsDialog::noteComments1Edited);
    connect(comments2Edit, &QLineEdit::textEdited, this, &StatisticsDialog::noteComments2Edited);
    connect(tableScrollBar, &QScrollBar::valueChanged, this, &StatisticsDialog::showScrolledRows);
    connect(okButton, &QPushButton::clicked, this, &StatisticsDialog::confirm);

    buildContents();
}

void StatisticsDialog::buildLayout()
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    tableHeading->setFont(fixed);
    tableView->setFont(fixed);
    tableView->setReadOnly(true);
    tableView->setLineWrapMode(QPlainTextEdit::NoWrap);
    tableView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(fixed);
    // The text starts this far in from the box's edge; the heading is set in by as much.
    const int inset = tableView->frameWidth() + qCeil(tableView->document()->documentMargin());
    tableView->setFixedHeight(metrics.lineSpacing() * kTableRows + 2 * inset);
    tableView->setMinimumWidth(metrics.horizontalAdvance(QString(kTableColumns, u'0')) + 2 * inset);
    tableHeading->setContentsMargins(inset, 0, 0, 0);
    tableScrollBar->setFixedHeight(tableView->height());

    auto *texts = new QGridLayout;
    const QList<std::pair<QLabel *, QLineEdit *>> lines { { titleLabel, titleEdit },
                                                          { comments1Label, comments1Edit },
                                                          { comments2Label, comments2Edit } };
    for (int row = 0; row < lines.size(); ++row) {
        texts->addWidget(lines[row].first, row, 0);
        texts->addWidget(lines[row].second, row, 1);
    }

    // Meter on the left, values in the display unit on the right: label, value, unit.
    auto *figures = new QGridLayout;
    figures->setHorizontalSpacing(12);
    const QList<QList<QLabel *>> triples {
        { headCaption, headValue, headUnit },
        { meterCaption, meterValue, meterUnit },
        { intervalCaption, intervalValue, intervalUnit },
        { maxCaption, maxValue, maxUnit },
        { minCaption, minValue, minUnit },
        { referenceCaption, referenceValue, referenceUnit },
    };
    for (int i = 0; i < triples.size(); ++i) {
        const int row = i % 3;
        const int column = (i / 3) * 4;
        for (int j = 0; j < 3; ++j)
            figures->addWidget(triples[i][j], row, column + j);
        triples[i][1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    figures->setColumnMinimumWidth(3, 24);

    auto *table = new QHBoxLayout;
    table->setSpacing(0);
    table->addWidget(tableView, 1);
    table->addWidget(tableScrollBar);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);

    auto *main = new QVBoxLayout(this);
    main->addLayout(texts);
    main->addSpacing(8);
    main->addLayout(figures);
    main->addSpacing(8);
    main->addWidget(tableHeading);
    main->addLayout(table);
    main->addLayout(buttons);
}

void StatisticsDialog::buildContents()
{
    m_general.localiseForm(*this);
}

void StatisticsDialog::prepareToShow()
{
    m_textsEdited = false;
}

void StatisticsDialog::setup()
{
    const DistrictSummary s = m_model.summary();
    setWindowTitle(s.caption);
    titleEdit->setText(s.title);
    comments1Edit->setText(s.comments1);
    comments2Edit->setText(s.comments2);
    const QList<std::pair<const DistrictSummary::Figure *, QList<QLabel *>>> figures {
        { &s.head, { headCaption, headValue, headUnit } },
        { &s.meter, { meterCaption, meterValue, meterUnit } },
        { &s.loggingInterval, { nullptr, intervalValue, intervalUnit } },
        { &s.maximum, { nullptr, maxValue, maxUnit } },
        { &s.minimum, { nullptr, minValue, minUnit } },
        { &s.reference, { nullptr, referenceValue, referenceUnit } },
    };
    // The captions of the interval and the extremes are fixed: the labels keep their own.
    for (const auto &[figure, labels] : figures) {
        if (labels[0])
            labels[0]->setText(figure->label);
        labels[1]->setText(figure->shown);
        labels[2]->setText(figure->units);
    }
    tableHeading->setText(s.heading);
    // The boxes now hold the file's texts: there is nothing of the user's to save.
    m_textsEdited = false;

    const QSignalBlocker quiet(tableScrollBar);
    const qint32 samples = m_model.file().series().sampleCount;
    tableScrollBar->setRange(0, samples <= kTableRows ? 0 : samples - kTableRows);
    tableScrollBar->setPageStep(kTableRows);
    tableScrollBar->setSingleStep(1);
    tableScrollBar->setValue(0);
    showRows(0);
}

void StatisticsDialog::showUnits(const Units::Change &change)
{
    if (change.applied)
        setup();
}

void StatisticsDialog::showScrolledRows()
{
    showRows(tableScrollBar->value());
}

void StatisticsDialog::showRows(qint32 first)
{
    qint32 last = first + kTableRows - 1;
    const District &district = m_model.file();
    QString rows = m_tableRows.rows(district.series(), district.settings().reference,
                                    m_model.unitFactor(), false, first, last);
    // The box takes lines, not line ends: the last row's would leave an empty eleventh.
    if (rows.endsWith(QStringLiteral("\r\n")))
        rows.chop(2);
    rows.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    tableView->setPlainText(rows);
}

void StatisticsDialog::noteTitleEdited()
{
    m_textsEdited = true;
}

void StatisticsDialog::noteComments1Edited()
{
    m_textsEdited = true;
}

void StatisticsDialog::noteComments2Edited()
{
    m_textsEdited = true;
}

void StatisticsDialog::showHeaderTexts()
{
    const DistrictImage::HeaderTexts texts = m_model.file().image().headerTexts();
    titleEdit->setText(texts.title);
    comments1Edit->setText(texts.comments1);
    comments2Edit->setText(texts.comments2);
}

void StatisticsDialog::confirm()
{
    if (m_textsEdited) {
        if (m_prompts.question(m_strings.text(30300), ApplicationName::title(),
                               UserPrompts::Answer::Yes)
            == UserPrompts::Answer::Yes) {
            // The model has told the user why; the texts stay for another try.
            if (!m_model.saveHeaderTexts(titleEdit->text(), comments1Edit->text(),
                                         comments2Edit->text()))
                return;
        }
        // After a save as after No, the boxes show what the file holds (a comment is
        // stored as its first 60 characters).
        showHeaderTexts();
        m_textsEdited = false;
    }
    QDialog::accept();
}

void StatisticsDialog::reject()
{
    confirm();
}

void StatisticsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window brought back from the task bar is not shown afresh.
    if (!event->spontaneous())
        prepareToShow();
}
