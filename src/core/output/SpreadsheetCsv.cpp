#include "SpreadsheetCsv.h"

#include "DateTime.h"
#include "District.h"
#include "DistrictFileNames.h"
#include "RuntimeError.h"
#include "SampleSeries.h"
#include "Units.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// As RFC 4180 has it: a field holding a separator, a quote or a line break is quoted, its
// quotes doubled. Captions and fittings may hold any text.
void appendField(QString &line, const QString &field)
{
    const bool plain = !field.contains(u',') && !field.contains(u'"') && !field.contains(u'\r')
        && !field.contains(u'\n');
    if (plain) {
        line += field;
        return;
    }
    line += u'"';
    line += QString(field).replace(u'"', QStringLiteral("\"\""));
    line += u'"';
}

// The local date-time without a zone, as the logger's clock gave it.
QString isoTime(double dateTime)
{
    const DateTime::Parts p = DateTime::toParts(dateTime);
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                             p.minute, p.second);
}

} // namespace

QString SpreadsheetCsv::proposedName(const District &district)
{
    QString name = QFileInfo(district.image().path()).completeBaseName();
    if (name.isEmpty()) {
        try {
            name = DistrictFileNames::safeName(district.image().headerTexts().district.trimmed());
        } catch (const RuntimeError &) {
            // An image too short for a header has no district text.
            name = DistrictFileNames::safeName(QString());
        }
    }
    return name + QStringLiteral(".csv");
}

QByteArray SpreadsheetCsv::bytes(const District &district, DisplayUnit unit,
                                 const StringTable &strings)
{
    const SampleSeries &series = district.series();
    if (series.sampleCount <= 0)
        throw RuntimeError(QStringLiteral("There are no readings to export."));
    // Until a unit is applied the window shows the l/s caption, and the factor is 1.
    const Units::Change shown
        = Units::changeTo(unit == DisplayUnit::None ? DisplayUnit::LitresPerSecond : unit, strings);
    return bytes(series, district.settings().reference, DisplayUnits::factor(unit),
                 shown.valueAxisCaption, shown.unitText);
}

QByteArray SpreadsheetCsv::bytes(const SampleSeries &series, double reference, double factor,
                                 const QString &valueCaption, const QString &unitText)
{
    QString text = QStringLiteral("time,");
    appendField(text, valueCaption);
    text += QStringLiteral(",fitting,");
    appendField(text, QStringLiteral("step (") + unitText + u')');
    text += u'\n';
    text.reserve(text.size() + static_cast<qsizetype>(std::max(series.sampleCount, 0)) * 48);
    for (qint32 i = 0; i < series.sampleCount; ++i) {
        const auto k = static_cast<size_t>(i);
        // A gap marker's value stands for no reading: left empty, not a zero to chart.
        const bool reading = !series.gapMarkers[k];
        text += isoTime(series.times[k]);
        text += u',';
        if (reading)
            text += number(series.values[k] * factor);
        text += u',';
        appendField(text, series.sampleFittings[k]);
        text += u',';
        if (reading)
            text += number((reference - series.values[k]) * factor);
        text += u'\n';
    }
    return text.toUtf8();
}

QString SpreadsheetCsv::number(double value)
{
    const double scaled = std::round(value * 10000.0);
    // Past 2^53 a double holds no decimals to write, and no qint64 need hold it.
    if (!(std::abs(scaled) < 9.0e15))
        return QString::number(value, 'f', 0);
    const qint64 tenThousandths = static_cast<qint64>(scaled);
    if (tenThousandths == 0)
        return QStringLiteral("0"); // never "-0"
    const qint64 magnitude = tenThousandths < 0 ? -tenThousandths : tenThousandths;
    QString text = tenThousandths < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    qint64 fraction = magnitude % 10000;
    if (fraction != 0) {
        int digits = 4;
        for (; fraction % 10 == 0; fraction /= 10)
            --digits;
        text += u'.' + QString::number(fraction).rightJustified(digits, u'0');
    }
    return text;
}
