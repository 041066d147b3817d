#include "frmStats.h"

#include "DistrictSummary.h"
#include "ApplicationName.h"
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

frmStats::frmStats(const StringTable &strings, const General &general, NeruModel &model,
                   UserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_strings(strings)
    , m_general(general)
    , m_model(model)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmStats"));
    setModal(true);

    txtTitle = General::addControl<QLineEdit>(this, "txtTitle");
    txtTitle->setMaxLength(DistrictImage::kTextLength);
    txtComments1 = General::addControl<QLineEdit>(this, "txtComments1");
    txtComments2 = General::addControl<QLineEdit>(this, "txtComments2");
    lblTitle = General::addControl<QLabel>(this, "lblTitle", 30000);
    lblComments1 = General::addControl<QLabel>(this, "lblComments1", 30010);
    lblComments2 = General::addControl<QLabel>(this, "lblComments2", 30020);
    lblLoggingIntLabel = General::addControl<QLabel>(this, "lblLoggingIntLabel", 30050);
    lblLoggingInt = General::addControl<QLabel>(this, "lblLoggingInt");
    lblLoggingIntUnits = General::addControl<QLabel>(this, "lblLoggingIntUnits");
    lblMaxLabel = General::addControl<QLabel>(this, "lblMaxLabel", 30060);
    lblMax = General::addControl<QLabel>(this, "lblMax");
    lblMaxUnits = General::addControl<QLabel>(this, "lblMaxUnits");
    lblMinLabel = General::addControl<QLabel>(this, "lblMinLabel", 30070);
    lblMin = General::addControl<QLabel>(this, "lblMin");
    lblMinUnits = General::addControl<QLabel>(this, "lblMinUnits");
    lblRefFlowLabel = General::addControl<QLabel>(this, "lblRefFlowLabel", 30080);
    lblRefFlow = General::addControl<QLabel>(this, "lblRefFlow");
    lblRefFlowUnits = General::addControl<QLabel>(this, "lblRefFlowUnits");
    lblHeadLabel = General::addControl<QLabel>(this, "lblHeadLabel");
    lblHead = General::addControl<QLabel>(this, "lblHead");
    lblHeadUnits = General::addControl<QLabel>(this, "lblHeadUnits");
    lblMeterLabel = General::addControl<QLabel>(this, "lblMeterLabel");
    lblMeter = General::addControl<QLabel>(this, "lblMeter");
    lblMeterUnits = General::addControl<QLabel>(this, "lblMeterUnits");
    lblFitting = General::addControl<QLabel>(this, "lblFitting");
    txtTable = General::addControl<QPlainTextEdit>(this, "txtTable");
    vsbScroll = General::addControl<QScrollBar>(this, "vsbScroll");
    vsbScroll->setOrientation(Qt::Vertical);
    cmdOK = General::addControl<QPushButton>(this, "cmdOK", 30110);
    cmdOK->setDefault(true);
    buildLayout();

    connect(txtTitle, &QLineEdit::textEdited, this, &frmStats::txtTitle_Change);
    connect(txtComments1, &QLineEdit::textEdited, this, &frmStats::txtComments1_Change);
    connect(txtComments2, &QLineEdit::textEdited, this, &frmStats::txtComments2_Change);
    connect(vsbScroll, &QScrollBar::valueChanged, this, &frmStats::vsbScroll_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmStats::cmdOK_Click);

    Form_Load();
}

void frmStats::buildLayout()
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lblFitting->setFont(fixed);
    txtTable->setFont(fixed);
    txtTable->setReadOnly(true);
    txtTable->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(fixed);
    // The text starts this far in from the box's edge; the heading is set in by as much.
    const int inset = txtTable->frameWidth() + qCeil(txtTable->document()->documentMargin());
    txtTable->setFixedHeight(metrics.lineSpacing() * kTableRows + 2 * inset);
    txtTable->setMinimumWidth(metrics.horizontalAdvance(QString(kTableColumns, u'0')) + 2 * inset);
    lblFitting->setContentsMargins(inset, 0, 0, 0);
    vsbScroll->setFixedHeight(txtTable->height());

    auto *texts = new QGridLayout;
    const QList<std::pair<QLabel *, QLineEdit *>> lines { { lblTitle, txtTitle },
                                                          { lblComments1, txtComments1 },
                                                          { lblComments2, txtComments2 } };
    for (int row = 0; row < lines.size(); ++row) {
        texts->addWidget(lines[row].first, row, 0);
        texts->addWidget(lines[row].second, row, 1);
    }

    // Meter on the left, values in the display unit on the right: label, value, unit.
    auto *figures = new QGridLayout;
    figures->setHorizontalSpacing(12);
    const QList<QList<QLabel *>> triples {
        { lblHeadLabel, lblHead, lblHeadUnits },
        { lblMeterLabel, lblMeter, lblMeterUnits },
        { lblLoggingIntLabel, lblLoggingInt, lblLoggingIntUnits },
        { lblMaxLabel, lblMax, lblMaxUnits },
        { lblMinLabel, lblMin, lblMinUnits },
        { lblRefFlowLabel, lblRefFlow, lblRefFlowUnits },
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
    table->addWidget(txtTable, 1);
    table->addWidget(vsbScroll);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto *main = new QVBoxLayout(this);
    main->addLayout(texts);
    main->addSpacing(8);
    main->addLayout(figures);
    main->addSpacing(8);
    main->addWidget(lblFitting);
    main->addLayout(table);
    main->addLayout(buttons);
}

void frmStats::Form_Load()
{
    m_general.localiseForm(*this);
}

void frmStats::Form_Activate()
{
    m_blnChanged = false;
}

void frmStats::setup()
{
    const DistrictSummary s = m_model.summary();
    setWindowTitle(s.caption);
    txtTitle->setText(s.title);
    txtComments1->setText(s.comments1);
    txtComments2->setText(s.comments2);
    const QList<std::pair<const DistrictSummary::Figure *, QList<QLabel *>>> figures {
        { &s.head, { lblHeadLabel, lblHead, lblHeadUnits } },
        { &s.meter, { lblMeterLabel, lblMeter, lblMeterUnits } },
        { &s.loggingInterval, { nullptr, lblLoggingInt, lblLoggingIntUnits } },
        { &s.maximum, { nullptr, lblMax, lblMaxUnits } },
        { &s.minimum, { nullptr, lblMin, lblMinUnits } },
        { &s.reference, { nullptr, lblRefFlow, lblRefFlowUnits } },
    };
    // The captions of the interval and the extremes are fixed: the labels keep their own.
    for (const auto &[figure, labels] : figures) {
        if (labels[0])
            labels[0]->setText(figure->label);
        labels[1]->setText(figure->shown);
        labels[2]->setText(figure->units);
    }
    lblFitting->setText(s.heading);
    // The boxes now hold the file's texts: there is nothing of the user's to save.
    m_blnChanged = false;

    const QSignalBlocker quiet(vsbScroll);
    const qint32 samples = m_model.file().series().lngNumSamples;
    vsbScroll->setRange(0, samples <= kTableRows ? 0 : samples - kTableRows);
    vsbScroll->setPageStep(kTableRows);
    vsbScroll->setSingleStep(1);
    vsbScroll->setValue(0);
    showRows(0);
}

void frmStats::showUnits(const Units::Change &change)
{
    if (change.applied)
        setup();
}

void frmStats::vsbScroll_Change()
{
    showRows(vsbScroll->value());
}

void frmStats::showRows(qint32 first)
{
    qint32 last = first + kTableRows - 1;
    const District &district = m_model.file();
    QString rows = m_tableRows.rows(district.series(), district.settings().dblReference,
                                    m_model.dblFlowScaleFactor(), false, first, last);
    // The box takes lines, not line ends: the last row's would leave an empty eleventh.
    if (rows.endsWith(QStringLiteral("\r\n")))
        rows.chop(2);
    rows.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtTable->setPlainText(rows);
}

void frmStats::txtTitle_Change()
{
    m_blnChanged = true;
}

void frmStats::txtComments1_Change()
{
    m_blnChanged = true;
}

void frmStats::txtComments2_Change()
{
    m_blnChanged = true;
}

void frmStats::showHeaderTexts()
{
    const DistrictImage::HeaderTexts texts = m_model.file().image().headerTexts();
    txtTitle->setText(texts.title);
    txtComments1->setText(texts.comments1);
    txtComments2->setText(texts.comments2);
}

void frmStats::cmdOK_Click()
{
    if (m_blnChanged) {
        if (m_prompts.question(m_strings.text(30300), ApplicationName::title(),
                               UserPrompts::Answer::Yes)
            == UserPrompts::Answer::Yes) {
            // The model has told the user why; the texts stay for another try.
            if (!m_model.saveHeaderTexts(txtTitle->text(), txtComments1->text(),
                                         txtComments2->text()))
                return;
        }
        // After a save as after No, the boxes show what the file holds (a comment is
        // stored as its first 60 characters).
        showHeaderTexts();
        m_blnChanged = false;
    }
    QDialog::accept();
}

void frmStats::reject()
{
    cmdOK_Click();
}

void frmStats::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window brought back from the task bar is not shown afresh.
    if (!event->spontaneous())
        Form_Activate();
}
