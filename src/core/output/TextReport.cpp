#include "TextReport.h"

#include "District.h"
#include "NamedFormats.h"
#include "StatisticsFigures.h"
#include "StringTable.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString item(const QString &caption, const QString &value, const QString &units)
{
    return caption + QStringLiteral(": ") + value + u' ' + units;
}

} // namespace

ReportCaptions ReportCaptions::ofDistrict(const District &district, double dblFlowScaleFactor,
                                          const QString &unitText, const StringTable &strings,
                                          const NamedFormats &formats)
{
    const StatisticsFigures figures
        = StatisticsFigures::compute(district, dblFlowScaleFactor, unitText, strings, formats);
    ReportCaptions c;
    c.title = strings.text(30000);
    c.comments1 = strings.text(30010);
    c.comments2 = strings.text(30020);
    c.headLabel = figures.headLabel;
    c.headUnits = figures.headUnits;
    c.head = figures.head;
    c.meterLabel = figures.meterLabel;
    c.meterUnits = figures.meterUnits;
    c.meter = figures.meter;
    c.loggingIntLabel = strings.text(30050);
    c.loggingIntUnits = figures.loggingIntUnits;
    c.maxLabel = strings.text(30060);
    c.minLabel = strings.text(30070);
    c.refFlowLabel = strings.text(30080);
    c.maxUnits = c.minUnits = c.refFlowUnits = unitText;
    c.heading = figures.heading;
    return c;
}

TextReport::TextReport(const NamedFormats &formats)
    : m_formats(formats)
    , m_rows(formats)
{ }

QStringList TextReport::headLines(const District &district, double F, const ReportCaptions &c,
                                  const QString &empty) const
{
    const DistrictSettings &settings = district.settings();
    const SampleSeries &series = district.series();
    const bool pressure = settings.isPressure();
    const qint32 interval = settings.lngLoggingInterval;
    const double loggingInt = interval < 60 ? interval : interval / 60.0;

    const QString left[3] = {
        item(c.headLabel, pressure ? c.head : m_formats.fixed(settings.dblHeadPulses), c.headUnits),
        item(c.meterLabel, pressure ? c.meter : m_formats.fixed(settings.dblMeterLitres),
             c.meterUnits),
        item(c.loggingIntLabel, m_formats.fixed(loggingInt), c.loggingIntUnits),
    };
    const QString right[3] = {
        item(c.maxLabel, m_formats.fixed(series.dblMaxValue * F), c.maxUnits),
        item(c.minLabel, m_formats.fixed(series.dblMinValue * F), c.minUnits),
        item(c.refFlowLabel, m_formats.fixed(settings.dblReference * F), c.refFlowUnits),
    };

    const DistrictImage::HeaderTexts texts = district.image().headerTexts();
    QStringList lines { c.title + QStringLiteral(": ") + texts.title,
                        c.comments1 + QStringLiteral(": ") + texts.comments1,
                        c.comments2 + QStringLiteral(": ") + texts.comments2, empty };
    for (int k = 0; k < 3; ++k)
        lines.append(left[k].leftJustified(kLeftItemWidth) + right[k]);
    lines.append(empty);
    lines.append(c.heading);
    return lines;
}

QString TextReport::copyText(const District &district, double F,
                             const ReportCaptions &captions) const
{
    const SampleSeries &series = district.series();
    if (series.lngNumSamples <= 0)
        return QString();
    QString text = headLines(district, F, captions, QString()).join(kLineEnd) + kLineEnd + kLineEnd;
    qint32 start = -1;
    qint32 end = -1;
    text += m_rows.getTable(series, district.settings().dblReference, F, false, start, end);
    return text;
}

QStringList TextReport::printLines(const District &district, double F,
                                   const ReportCaptions &captions) const
{
    const SampleSeries &series = district.series();
    if (series.lngNumSamples <= 0)
        return {};
    QStringList lines = headLines(district, F, captions, QStringLiteral(" "));
    for (qint32 i = 0; i < series.lngNumSamples; ++i) {
        qint32 start = i;
        qint32 end = i;
        QString row
            = m_rows.getTable(series, district.settings().dblReference, F, false, start, end);
        row.chop(kLineEnd.size());
        lines.append(row);
    }
    return lines;
}
