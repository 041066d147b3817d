#include "TableRows.h"

#include "NamedFormats.h"
#include "SampleSeries.h"

namespace {

constexpr int kFieldWidth = 8;
const QString kGapField = QStringLiteral("--------");

} // namespace

TableRows::TableRows(const NamedFormats &formats)
    : m_formats(formats)
{ }

// Padded on the right to 8 characters; a longer text is written whole.
void TableRows::appendPadded(QString &row, const QString &text) const
{
    row += text;
    for (qsizetype k = text.size(); k < kFieldWidth; ++k)
        row += u' ';
}

QString TableRows::getTable(const SampleSeries &series, double dblReference,
                            double dblFlowScaleFactor, bool blnCSV, qint32 &lngStart,
                            qint32 &lngEnd) const
{
    const qint32 count = series.lngNumSamples;
    if (lngStart < 0)
        lngStart = 0;
    if (!(lngStart <= lngEnd && lngEnd < count))
        lngEnd = count - 1;
    const QString separator = blnCSV ? QStringLiteral(",") : QStringLiteral("     ");

    QString text;
    if (lngStart <= lngEnd)
        text.reserve(static_cast<qsizetype>(lngEnd - lngStart + 1) * 64);
    for (qint32 i = lngStart; i <= lngEnd; ++i) {
        const auto k = static_cast<size_t>(i);
        text += series.strSampleFitting[k];
        if (series.blnGap[k]) {
            for (int f = 0; f < 4; ++f) {
                text += separator;
                text += kGapField;
            }
        } else {
            const DateTime::Parts when = DateTime::toParts(series.dteTime[k]);
            const double value = series.dblValue[k];
            text += separator;
            m_formats.appendShortDate(text, when);
            text += separator;
            m_formats.appendLongTime(text, when);
            text += separator;
            appendPadded(text, m_formats.fixed(value * dblFlowScaleFactor));
            text += separator;
            appendPadded(text, m_formats.fixed((dblReference - value) * dblFlowScaleFactor));
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}
