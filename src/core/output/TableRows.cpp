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

QString TableRows::rows(const SampleSeries &series, double reference, double factor, bool csv,
                        qint32 &first, qint32 &last) const
{
    const qint32 count = series.sampleCount;
    if (first < 0)
        first = 0;
    if (!(first <= last && last < count))
        last = count - 1;
    const QString separator = csv ? QStringLiteral(",") : QStringLiteral("     ");

    QString text;
    if (first <= last)
        text.reserve(static_cast<qsizetype>(last - first + 1) * 64);
    for (qint32 i = first; i <= last; ++i) {
        const auto k = static_cast<size_t>(i);
        text += series.sampleFittings[k];
        if (series.gapMarkers[k]) {
            for (int f = 0; f < 4; ++f) {
                text += separator;
                text += kGapField;
            }
        } else {
            const DateTime::Parts when = DateTime::toParts(series.times[k]);
            const double value = series.values[k];
            text += separator;
            m_formats.appendShortDate(text, when);
            text += separator;
            m_formats.appendLongTime(text, when);
            text += separator;
            appendPadded(text, m_formats.fixed(value * factor));
            text += separator;
            appendPadded(text, m_formats.fixed((reference - value) * factor));
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}
