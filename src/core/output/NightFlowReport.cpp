#include "NightFlowReport.h"

#include "DateTime.h"
#include "NamedFormats.h"
#include "NightFlowAnalysis.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using Reading = NightFlowAnalysis::Reading;

QString number(const std::optional<double> &value)
{
    if (!value)
        return {};
    // No "-0.0000" for a value that rounds to zero.
    const double rounded = std::round(*value * 10000.0) / 10000.0;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', 4);
}

QString isoDateTime(qint64 seconds)
{
    const DateTime::Parts p = DateTime::toParts(DateTime::fromWholeSeconds(seconds));
    return QStringLiteral("%1-%2-%3T%4:%5:%6")
        .arg(p.year, 4, 10, QLatin1Char('0'))
        .arg(p.month, 2, 10, QLatin1Char('0'))
        .arg(p.day, 2, 10, QLatin1Char('0'))
        .arg(p.hour, 2, 10, QLatin1Char('0'))
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'));
}

QString readingValue(const std::optional<Reading> &reading)
{
    return reading ? number(reading->value) : QString();
}

QString readingTime(const std::optional<Reading> &reading)
{
    return reading ? isoDateTime(reading->time) : QString();
}

QString csvField(const QString &field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n')
        && !field.contains(u'\r'))
        return field;
    QString quoted = field;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString fixed(const std::optional<double> &value, const NamedFormats &formats)
{
    return value ? formats.fixed(*value) : QString();
}

} // namespace

QStringList NightFlowReport::columnNames()
{
    return { QStringLiteral("file"),
             QStringLiteral("district"),
             QStringLiteral("unit"),
             QStringLiteral("date"),
             QStringLiteral("coverage"),
             QStringLiteral("volume_m3"),
             QStringLiteral("mean"),
             QStringLiteral("minimum"),
             QStringLiteral("minimum_time"),
             QStringLiteral("maximum"),
             QStringLiteral("maximum_time"),
             QStringLiteral("night_minimum"),
             QStringLiteral("night_minimum_time"),
             QStringLiteral("night_mean"),
             QStringLiteral("night_complete") };
}

QList<QStringList> NightFlowReport::columns(const Source &source)
{
    QList<QStringList> rows;
    for (const NightFlowAnalysis::Day &day : source.analysis.days) {
        rows.append(
            { source.file, source.district, source.unitText, day.date.toString(Qt::ISODate),
              number(day.coverage), number(day.volume), number(day.mean), readingValue(day.minimum),
              readingTime(day.minimum), readingValue(day.maximum), readingTime(day.maximum),
              readingValue(day.nightMinimum), readingTime(day.nightMinimum), number(day.nightMean),
              day.nightComplete ? QStringLiteral("yes") : QStringLiteral("no") });
    }
    return rows;
}

QString NightFlowReport::csv(const QList<Source> &sources)
{
    QString text = columnNames().join(u',') + u'\n';
    for (const Source &source : sources) {
        for (const QStringList &row : columns(source)) {
            QStringList fields;
            for (const QString &field : row)
                fields.append(csvField(field));
            text += fields.join(u',') + u'\n';
        }
    }
    return text;
}

QString NightFlowReport::tabText(const Source &source)
{
    QString text = columnNames().join(u'\t') + u'\n';
    for (const QStringList &row : columns(source))
        text += row.join(u'\t') + u'\n';
    return text;
}

QStringList NightFlowReport::tableHeadings(const QString &unitText)
{
    const QString unit = QStringLiteral(" (") + unitText + u')';
    const QString time = QStringLiteral("Time");
    return { QStringLiteral("Date"),
             QStringLiteral("Coverage (%)"),
             QStringLiteral("Volume (m³)"),
             QStringLiteral("Mean") + unit,
             QStringLiteral("Minimum") + unit,
             time,
             QStringLiteral("Maximum") + unit,
             time,
             QStringLiteral("Night minimum") + unit,
             time,
             QStringLiteral("Night mean") + unit,
             QStringLiteral("Complete") };
}

QList<QStringList> NightFlowReport::tableRows(const NightFlowAnalysis &analysis,
                                              const NamedFormats &formats)
{
    auto value = [&formats](const std::optional<Reading> &reading) {
        return reading ? formats.fixed(reading->value) : QString();
    };
    auto time = [&formats](const std::optional<Reading> &reading) {
        return reading ? formats.longTime(DateTime::fromWholeSeconds(reading->time)) : QString();
    };
    QList<QStringList> rows;
    for (const NightFlowAnalysis::Day &day : analysis.days) {
        rows.append({ formats.shortDate(
                          DateTime::dateSerial(day.date.year(), day.date.month(), day.date.day())),
                      formats.fixed(day.coverage * 100.0), fixed(day.volume, formats),
                      fixed(day.mean, formats), value(day.minimum), time(day.minimum),
                      value(day.maximum), time(day.maximum), value(day.nightMinimum),
                      time(day.nightMinimum), fixed(day.nightMean, formats),
                      day.nightComplete ? QStringLiteral("Yes") : QStringLiteral("No") });
    }
    return rows;
}

QString NightFlowReport::trendSentence(const NightFlowAnalysis &analysis, const QString &unitText,
                                       const NamedFormats &formats)
{
    if (!analysis.trend)
        return QStringLiteral("Not enough complete nights for a trend.");
    const double slope = analysis.trend->slopePerDay;
    const QString over
        = QStringLiteral(" over %1 complete nights (%2 to %3 %4)")
              .arg(analysis.trendNights)
              .arg(formats.fixed(analysis.firstNight), formats.fixed(analysis.lastNight), unitText);
    if (std::round(std::abs(slope) * 100.0) == 0.0)
        return QStringLiteral("Night minimum steady") + over;
    return QStringLiteral("Night minimum %1 by %2 %3 per day")
               .arg(slope > 0 ? QStringLiteral("rising") : QStringLiteral("falling"),
                    formats.fixed(std::abs(slope)), unitText)
        + over;
}

QString NightFlowReport::wholeLogSentence(const NightFlowAnalysis &analysis,
                                          const QString &unitText, const NamedFormats &formats)
{
    if (analysis.coveredSeconds == 0)
        return QStringLiteral("No readings to analyse.");
    QString text = QStringLiteral("Whole log: ");
    if (analysis.totalVolume)
        text += formats.fixed(*analysis.totalVolume) + QStringLiteral(" m³ over ");
    text += QStringLiteral("%1 hours of readings, mean %2 %3, %4 complete %5.")
                .arg(formats.fixed(static_cast<double>(analysis.coveredSeconds) / 3600.0),
                     fixed(analysis.mean, formats), unitText)
                .arg(analysis.completeNights)
                .arg(analysis.completeNights == 1 ? QStringLiteral("night")
                                                  : QStringLiteral("nights"));
    return text;
}

QString NightFlowReport::plainText(const Source &source, const NamedFormats &formats)
{
    const NightFlowAnalysis &analysis = source.analysis;
    QList<QStringList> rows = tableRows(analysis, formats);
    rows.prepend(tableHeadings(source.unitText));
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString text = QStringLiteral("%1: district %2, night %3\n")
                       .arg(source.file, source.district, analysis.window.text());
    for (const QStringList &row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += (c == 0 ? row[c].leftJustified(widths[c]) : row[c].rightJustified(widths[c]))
                + QStringLiteral("  ");
        text += line.trimmed() + u'\n';
    }
    text += trendSentence(analysis, source.unitText, formats) + u'\n';
    text += wholeLogSentence(analysis, source.unitText, formats) + u'\n';
    return text;
}
