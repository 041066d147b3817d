#pragma once

#include "data/DateTime.h"
#include "data/DistrictSettings.h"
#include "data/NamedFormats.h"
#include "data/SampleSeries.h"
#include "graph/FixedPlotExtent.h"
#include "graph/GraphView.h"
#include "graph/ScrollBarModel.h"
#include "shell/ErrorReport.h"
#include "shell/StringTable.h"
#include "shell/UserPrompts.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Records the messages the graph gives instead of showing them.
class RecordingPrompt : public UserPrompts
{
public:
    void message(const QString &text, const QString &title) override
    {
        messages.append(text);
        titles.append(title);
    }
    Answer question(const QString &text, const QString &title) override
    {
        message(text, title);
        return Answer::No;
    }
    QStringList messages;
    QStringList titles;
};

// A graph with everything around it: a series to fill, a plot of a fixed size in twips,
// two scroll bars whose change events reach the graph as a window's would, and an
// event log in a temporary folder.
class GraphFixture
{
public:
    static constexpr double kWidth = 8070.0;
    static constexpr double kHeight = 5040.0;

    GraphFixture()
        : formats(QLocale(QLocale::English, QLocale::UnitedKingdom))
        , errorReport(logDir.filePath(QStringLiteral("events.log")))
        , picture(kWidth, kHeight)
    {
        settings.lngLoggingInterval = 900;
        settings.lngChannelType = 1;
        graph = std::make_unique<GraphView>(
            GraphView::Links { series, settings, intUnits, dblFlowScaleFactor, formats, strings,
                               errorReport, picture, hsbTime, vsbFlow, prompt });
        hsbTime.setOnChange([this] { graph->hsbTime_Change(); });
        vsbFlow.setOnChange([this] { graph->vsbFlow_Change(); });
    }

    static double at(int day, int hour, int minute, int second = 0)
    {
        return DateTime::fromParts(2026, 3, day, hour, minute, second);
    }

    // Appends one sample; the extremes are kept as the decoding keeps them.
    void add(double time, double value, bool gap = false, const QString &fitting = QString())
    {
        const auto i = static_cast<size_t>(series.lngNumSamples);
        series.dteTime[i] = time;
        series.dblValue[i] = value;
        series.blnGap[i] = gap ? 1 : 0;
        series.strSampleFitting[i] = fitting;
        if (series.lngNumSamples == 0) {
            series.dteFirstTime = series.dteLastTime = time;
            series.dblMinValue = series.dblMaxValue = value;
        } else if (!gap) {
            series.dteFirstTime = std::min(series.dteFirstTime, time);
            series.dteLastTime = std::max(series.dteLastTime, time);
            series.dblMinValue = std::min(series.dblMinValue, value);
            series.dblMaxValue = std::max(series.dblMaxValue, value);
        }
        ++series.lngNumSamples;
    }

    // Marks sample `sample` as produced by a fitting record.
    void addFitting(qint32 sample, const QString &number)
    {
        series.lngFittingSample.push_back(sample);
        series.strFittingNumber.push_back(number);
        ++series.lngNumFittings;
    }

    // Samples every logging interval from `first`, with the given values.
    void addRun(double first, const QList<double> &values)
    {
        double t = first;
        for (double v : values) {
            add(t, v);
            t = DateTime::addSeconds(t, settings.lngLoggingInterval);
        }
    }

    // What a newly loaded series gets: the elements, then the full view.
    void load()
    {
        graph->prepareCurveElements();
        graph->mnuViewReset_Click();
    }

    // The event log's messages, without time stamps.
    QStringList logged() const
    {
        QFile file(errorReport.logPath());
        QStringList out;
        if (!file.open(QIODevice::ReadOnly))
            return out;
        const QString marker = QStringLiteral(" Information ");
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QString text = QString::fromUtf8(line).trimmed();
            if (text.isEmpty())
                continue;
            const qsizetype at = text.indexOf(marker);
            out.append(at < 0 ? text : text.mid(at + marker.size()));
        }
        return out;
    }

    GraphViewState &state() { return graph->state(); }
    const PlotLine &bar(qint32 i) const { return graph->elements().LinBar[i]; }
    qint32 x(double t) const { return graph->xToPictureCoords(t); }
    qint32 y(double v) const { return graph->yToPictureCoords(v); }

    SampleSeries series;
    DistrictSettings settings;
    qint16 intUnits = 1;
    double dblFlowScaleFactor = 1.0;
    NamedFormats formats;
    StringTable strings;
    QTemporaryDir logDir;
    ErrorReport errorReport;
    FixedPlotExtent picture;
    ScrollBarModel hsbTime;
    ScrollBarModel vsbFlow;
    RecordingPrompt prompt;
    std::unique_ptr<GraphView> graph;
};
