#pragma once

#include "DateTime.h"
#include "DistrictSettings.h"
#include "NamedFormats.h"
#include "PlotModel.h"
#include "SampleSeries.h"
#include "ScriptedPrompts.h"
#include "StringTable.h"
#include "TempLog.h"

#include <QLocale>
#include <QStringList>

#include <memory>

// A graph with everything around it: a series to fill (15-minute interval), a plot of
// 538 x 336 pixels and an event log in a temporary folder.
class PlotFixture
{
public:
    PlotFixture()
        : formats(QLocale(QLocale::English, QLocale::UnitedKingdom))
    {
        settings.loggingInterval = 900;
        graph = std::make_unique<PlotModel>(
            PlotModel::Links { series, settings, formats, strings, log.report, prompt },
            QSizeF(538, 336));
        graph->setUnit(DisplayUnit::LitresPerSecond);
    }

    // A day of March 2026.
    static double at(int day, int hour, int minute, int second = 0)
    {
        return DateTime::fromParts(2026, 3, day, hour, minute, second);
    }

    // Appends one sample, keeping the extremes as the decoding does.
    void add(double time, double value, bool gap = false, const QString &fitting = QString())
    {
        const auto i = static_cast<size_t>(series.sampleCount);
        series.times[i] = time;
        series.values[i] = value;
        series.gapMarkers[i] = gap ? 1 : 0;
        series.sampleFittings[i] = fitting;
        if (series.sampleCount == 0) {
            series.firstTime = series.lastTime = time;
            series.minValue = series.maxValue = value;
        } else if (!gap) {
            series.firstTime = std::min(series.firstTime, time);
            series.lastTime = std::max(series.lastTime, time);
            series.maxValue = std::max(series.maxValue, value);
            series.minValue = std::min(series.minValue, value);
        }
        ++series.sampleCount;
    }

    // Marks sample `sample` as produced by a fitting record.
    void addFitting(qint32 sample, const QString &number)
    {
        series.fittingSamples.push_back(sample);
        series.fittingNumbers.push_back(number);
        ++series.fittingCount;
    }

    // Samples every logging interval from `first`, with the given values.
    void addRun(double first, const QList<double> &values)
    {
        for (double v : values) {
            add(first, v);
            first = DateTime::addSeconds(first, settings.loggingInterval);
        }
    }

    // A run from 2 March 00:00, loaded into the full view.
    void load(const QList<double> &values)
    {
        addRun(at(2, 0, 0), values);
        load();
    }
    void load()
    {
        graph->prepareCurveElements();
        graph->resetView();
    }

    // The event log's messages, without the CR that ends each line.
    QStringList logged() const
    {
        return log.messages().replaceInStrings(QString(u'\r'), QString());
    }
    // Numbers to six decimals, to compare sums that differ only in their last digits.
    static QString rounded(const QList<double> &values)
    {
        QStringList out;
        for (double v : values)
            out << QString::number(v, 'f', 6);
        return out.join(u' ');
    }

    // Shows the window from `start` to `end` and from `min` to `max`.
    void show(double start, double end, double min, double max)
    {
        PlotState &v = graph->state();
        v.viewStart = start;
        v.viewEnd = end;
        v.viewMin = min;
        v.viewMax = max;
        graph->draw();
    }

    PlotState &state() { return graph->state(); }
    const PlotElements &elements() const { return graph->elements(); }
    const PlotLine &bar(qint32 i) const { return graph->elements().curve[i]; }
    double x(double t) const { return graph->xOf(t); }
    double y(double v) const { return graph->yOf(v); }

    SampleSeries series;
    DistrictSettings settings;
    NamedFormats formats;
    StringTable strings;
    TempLog log;
    ScriptedPrompts prompt;
    std::unique_ptr<PlotModel> graph;
};
