#include "NightFlowDialog.h"

#include "ApplicationName.h"
#include "CaptureRoutines.h"
#include "NeruModel.h"
#include "PrintingSurface.h"
#include "RuntimeError.h"
#include "StringTable.h"
#include "UserPrompts.h"
#include "WholeFile.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <utility>

namespace {

const QColor kCompleteNight(0x34, 0x65, 0xa4);
const QColor kIncompleteNight(0xc6, 0xd5, 0xe8);
const QColor kTrend(0xcc, 0x00, 0x00);
// The chart is printed at twice its size on screen, so that it stays sharp on paper.
constexpr int kPrintScale = 2;

QTimeEdit *timeEdit(QWidget *parent)
{
    auto *edit = new QTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    return edit;
}

int minuteOf(const QTimeEdit *edit)
{
    return edit->time().hour() * 60 + edit->time().minute();
}

QTime timeOf(int minute)
{
    return QTime(minute / 60, minute % 60);
}

} // namespace

NightFlowDialog::NightFlowDialog(const StringTable &strings, NeruModel &model, UserPrompts &prompts,
                                 QWidget *parent)
    : QDialog(parent)
    , m_strings(strings)
    , m_model(model)
    , m_prompts(prompts)
    , m_printer(prompts)
{
    setObjectName(QStringLiteral("NightFlowDialog"));
    setWindowTitle(QStringLiteral("Night Flow"));
    setModal(false);

    startEdit = timeEdit(this);
    endEdit = timeEdit(this);
    windowNote = new QLabel(this);
    pages = new QStackedWidget(this);
    problemLabel = new QLabel(this);
    problemLabel->setAlignment(Qt::AlignCenter);
    problemLabel->setWordWrap(true);
    table = new QTableWidget(this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    chartView = new QChartView(m_chart, this);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(220);
    trendLabel = new QLabel(this);
    wholeLogLabel = new QLabel(this);
    for (QLabel *label : { trendLabel, wholeLogLabel })
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    copyButton = new QPushButton(QStringLiteral("&Copy"), this);
    saveButton = new QPushButton(QStringLiteral("&Save CSV..."), this);
    printButton = new QPushButton(QStringLiteral("&Print"), this);
    closeButton = new QPushButton(QStringLiteral("Close"), this);
    buildLayout();
    showWindow();

    connect(startEdit, &QTimeEdit::timeChanged, this, &NightFlowDialog::applyWindow);
    connect(endEdit, &QTimeEdit::timeChanged, this, &NightFlowDialog::applyWindow);
    connect(copyButton, &QPushButton::clicked, this, &NightFlowDialog::copy);
    connect(saveButton, &QPushButton::clicked, this, &NightFlowDialog::saveCsv);
    connect(printButton, &QPushButton::clicked, this, &NightFlowDialog::print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_model, &NeruModel::districtChanged, this, &NightFlowDialog::recompute);
    connect(&m_model, &NeruModel::unitChanged, this, &NightFlowDialog::recompute);
    connect(&m_model, &NeruModel::nightWindowChanged, this, &NightFlowDialog::recompute);
}

NightFlowDialog::~NightFlowDialog() = default;

void NightFlowDialog::buildLayout()
{
    auto *window = new QHBoxLayout;
    window->addWidget(new QLabel(QStringLiteral("Night from"), this));
    window->addWidget(startEdit);
    window->addWidget(new QLabel(QStringLiteral("to"), this));
    window->addWidget(endEdit);
    window->addSpacing(12);
    window->addWidget(windowNote, 1);

    auto *figures = new QWidget(this);
    auto *figuresLayout = new QVBoxLayout(figures);
    figuresLayout->setContentsMargins(0, 0, 0, 0);
    figuresLayout->addWidget(chartView, 3);
    figuresLayout->addWidget(table, 2);
    figuresLayout->addWidget(trendLabel);
    figuresLayout->addWidget(wholeLogLabel);
    pages->addWidget(figures);
    pages->addWidget(problemLabel);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : { copyButton, saveButton, printButton })
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    closeButton->setDefault(true);

    auto *main = new QVBoxLayout(this);
    main->addLayout(window);
    main->addWidget(pages, 1);
    main->addLayout(buttons);
    resize(1040, 720);
}

void NightFlowDialog::showWindow()
{
    const NightWindow &window = m_model.nightWindow();
    // An edit being typed into keeps its cursor when it already shows the time.
    for (const auto &[edit, minute] :
         { std::pair(startEdit, window.startMinute), std::pair(endEdit, window.endMinute) }) {
        const QSignalBlocker quiet(edit);
        if (minuteOf(edit) != minute)
            edit->setTime(timeOf(minute));
    }
    windowNote->clear();
}

void NightFlowDialog::applyWindow()
{
    const NightWindow window { minuteOf(startEdit), minuteOf(endEdit) };
    if (!window.isValid()) {
        windowNote->setText(QStringLiteral("The night must start before it ends."));
        return;
    }
    windowNote->clear();
    m_model.setNightWindow(window);
}

void NightFlowDialog::recompute()
{
    if (!isVisible())
        return;
    showWindow();
    const District &district = m_model.file();
    try {
        m_analysis = NightFlowAnalysis::of(district.series(), district.settings(),
                                           m_model.nightWindow(), m_model.unit());
    } catch (const RuntimeError &error) {
        m_analysis.reset();
        showProblem(error.description());
        return;
    }
    showAnalysis(*m_analysis);
}

void NightFlowDialog::showAnalysis(const NightFlowAnalysis &analysis)
{
    fillTable(analysis);
    fillChart(analysis);
    trendLabel->setText(NightFlowReport::trendSentence(analysis, unitText(), m_formats));
    wholeLogLabel->setText(NightFlowReport::wholeLogSentence(analysis, unitText(), m_formats));
    pages->setCurrentIndex(0);
    for (QPushButton *button : { copyButton, saveButton, printButton })
        button->setEnabled(true);
}

void NightFlowDialog::showProblem(const QString &text)
{
    problemLabel->setText(text);
    pages->setCurrentIndex(1);
    for (QPushButton *button : { copyButton, saveButton, printButton })
        button->setEnabled(false);
}

void NightFlowDialog::fillTable(const NightFlowAnalysis &analysis)
{
    const QStringList headings = NightFlowReport::tableHeadings(unitText());
    const QList<QStringList> rows = NightFlowReport::tableRows(analysis, m_formats);
    table->clear();
    table->setColumnCount(int(headings.size()));
    table->setRowCount(int(rows.size()));
    table->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            // Dates read from the left, figures line up on their decimals.
            item->setTextAlignment(Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight));
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    // Every column in view: the dialog grows to the table's width.
    int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < table->columnCount(); ++c)
        width += table->columnWidth(c);
    table->setMinimumWidth(width);
}

void NightFlowDialog::fillChart(const NightFlowAnalysis &analysis)
{
    m_chart->removeAllSeries();
    // A removed axis is handed back to us, unlike a removed series.
    for (QAbstractAxis *axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }

    // One bar a night, stacked from two sets so that each night has one bar of its kind.
    auto *complete = new QBarSet(QStringLiteral("Night minimum"));
    auto *incomplete = new QBarSet(QStringLiteral("Incomplete night"));
    complete->setColor(kCompleteNight);
    complete->setBorderColor(kCompleteNight);
    incomplete->setColor(kIncompleteNight);
    incomplete->setBorderColor(kIncompleteNight);
    QStringList dates;
    double low = 0.0;
    double high = 0.0;
    for (const NightFlowAnalysis::Day &day : analysis.days) {
        const double value = day.nightMinimum ? day.nightMinimum->value : 0.0;
        complete->append(day.nightComplete ? value : 0.0);
        incomplete->append(day.nightComplete ? 0.0 : value);
        low = std::min(low, value);
        high = std::max(high, value);
        dates << m_formats.locale().toString(day.date, QStringLiteral("d MMM"));
    }
    auto *bars = new QStackedBarSeries;
    bars->append(complete);
    bars->append(incomplete);
    m_chart->addSeries(bars);

    auto *dateAxis = new QBarCategoryAxis;
    dateAxis->append(dates);
    auto *valueAxis = new QValueAxis;
    valueAxis->setTitleText(unitText());
    valueAxis->setLabelFormat(QStringLiteral("%.2f"));
    m_chart->addAxis(dateAxis, Qt::AlignBottom);
    m_chart->addAxis(valueAxis, Qt::AlignLeft);
    bars->attachAxis(dateAxis);
    bars->attachAxis(valueAxis);

    if (const auto &line = analysis.trend) {
        auto *trend = new QLineSeries;
        trend->setName(QStringLiteral("Trend"));
        trend->setPen(QPen(kTrend, 2.0));
        trend->append(double(line->firstDay), line->firstValue);
        trend->append(double(line->lastDay), line->lastValue);
        m_chart->addSeries(trend);
        trend->attachAxis(dateAxis);
        trend->attachAxis(valueAxis);
        low = std::min({ low, line->firstValue, line->lastValue });
        high = std::max({ high, line->firstValue, line->lastValue });
    }
    valueAxis->setRange(low, high > low ? high * 1.1 : low + 1.0);
    valueAxis->applyNiceNumbers();
}

QString NightFlowDialog::unitText() const
{
    return m_strings.text(DisplayUnits::unitTextId(m_model.unit()));
}

NightFlowReport::Source NightFlowDialog::source() const
{
    return { m_model.file().image().path(), m_model.file().image().headerTexts().district,
             unitText(), *m_analysis };
}

void NightFlowDialog::copy()
{
    if (m_analysis)
        QGuiApplication::clipboard()->setText(NightFlowReport::tabText(source()));
}

QString NightFlowDialog::proposedFile(const QString &suffix) const
{
    const QFileInfo data(m_model.file().image().path());
    if (m_model.file().image().path().isEmpty())
        return m_model.startUp().defaultFolder + QStringLiteral("night") + suffix;
    return data.absolutePath() + u'/' + data.completeBaseName() + QStringLiteral("-night") + suffix;
}

void NightFlowDialog::saveCsv()
{
    if (!m_analysis)
        return;
    // The name exactly as chosen: the dialog asked before replacing that file, not another.
    const QString path = m_prompts.saveFileName(proposedFile(QStringLiteral(".csv")),
                                                QStringLiteral("CSV Files(*.csv)"));
    if (path.isEmpty())
        return;
    QString reason;
    if (!WholeFile::write(path, NightFlowReport::csv({ source() }).toUtf8(), reason))
        m_prompts.message(QStringLiteral("The night-flow figures could not be saved as %1: %2.")
                              .arg(path, reason),
                          ApplicationName::title());
}

QImage NightFlowDialog::chartImage() const
{
    // The axes' labels follow the series once the chart is laid out, which a chart just
    // filled waits for the event loop to do.
    if (QGraphicsLayout *layout = m_chart->layout())
        layout->activate();
    const QRectF shown = m_chart->sceneBoundingRect();
    QImage image((shown.size() * kPrintScale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    m_chart->scene()->render(&painter, QRectF(image.rect()), shown);
    painter.end();
    return image;
}

void NightFlowDialog::print()
{
    if (!m_analysis)
        return;
    const QStringList lines
        = NightFlowReport::plainText(source(), m_formats).split(u'\n', Qt::SkipEmptyParts);
    const QImage chart = chartImage();
    m_printer.print(QStringLiteral("night-flow report"), proposedFile(QStringLiteral(".pdf")),
                    [&lines, &chart](PrintingSurface &surface) {
                        return CaptureRoutines().printNightFlow(surface, chart, lines);
                    });
}

void NightFlowDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window brought back from the task bar is not shown afresh.
    if (!event->spontaneous())
        recompute();
}
