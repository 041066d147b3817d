#include "TextReport.h"

#include "District.h"
#include "DistrictSummary.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString item(const DistrictSummary::Figure &figure)
{
    return figure.label + QStringLiteral(": ") + figure.printed + u' ' + figure.units;
}

} // namespace

TextReport::TextReport(const NamedFormats &formats)
    : m_rows(formats)
{ }

QStringList TextReport::headLines(const DistrictSummary &s, const QString &empty)
{
    const DistrictSummary::Figure *const left[3] = { &s.head, &s.meter, &s.loggingInterval };
    const DistrictSummary::Figure *const right[3] = { &s.maximum, &s.minimum, &s.reference };
    QStringList lines { s.titleLabel + QStringLiteral(": ") + s.title,
                        s.comments1Label + QStringLiteral(": ") + s.comments1,
                        s.comments2Label + QStringLiteral(": ") + s.comments2, empty };
    for (int k = 0; k < 3; ++k)
        lines.append(item(*left[k]).leftJustified(kLeftItemWidth) + item(*right[k]));
    lines.append(empty);
    lines.append(s.heading);
    return lines;
}

QString TextReport::copyText(const District &district, const DistrictSummary &summary) const
{
    const SampleSeries &series = district.series();
    if (series.sampleCount <= 0)
        return QString();
    QString text = headLines(summary, QString()).join(kLineEnd) + kLineEnd + kLineEnd;
    qint32 start = -1;
    qint32 end = -1;
    text += m_rows.rows(series, district.settings().reference, summary.factor, false, start, end);
    return text;
}

QStringList TextReport::printLines(const District &district, const DistrictSummary &summary) const
{
    const SampleSeries &series = district.series();
    if (series.sampleCount <= 0)
        return {};
    QStringList lines = headLines(summary, QStringLiteral(" "));
    for (qint32 i = 0; i < series.sampleCount; ++i) {
        qint32 start = i;
        qint32 end = i;
        QString row
            = m_rows.rows(series, district.settings().reference, summary.factor, false, start, end);
        row.chop(kLineEnd.size());
        lines.append(row);
    }
    return lines;
}
