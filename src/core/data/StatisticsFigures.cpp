#include "StatisticsFigures.h"

#include "District.h"
#include "NamedFormats.h"
#include "StringTable.h"

namespace {

// What the transducer puts out, by its output code: the range and the unit.
void transducerOutput(qint32 code, QString &range, QString &unit)
{
    switch (code) {
    case 1:
        range = QStringLiteral("4-20");
        unit = QStringLiteral("mA");
        break;
    case 2:
        range = QStringLiteral("0-1");
        unit = QStringLiteral("V");
        break;
    case 3:
        range = QStringLiteral("0-2");
        unit = QStringLiteral("V");
        break;
    default:
        range = unit = QStringLiteral(" ");
        break;
    }
}

} // namespace

StatisticsFigures StatisticsFigures::compute(const District &district, double dblFlowScaleFactor,
                                             const QString &unitText, const StringTable &strings,
                                             const NamedFormats &formats)
{
    const DistrictSettings &settings = district.settings();
    const SampleSeries &series = district.series();
    const double F = dblFlowScaleFactor;
    StatisticsFigures f;

    f.caption = strings.text(30200) + QStringLiteral(" '")
        + district.image().text(DistrictImage::Field::District) + u'\'';
    const DistrictImage::HeaderTexts texts = district.image().headerTexts();
    f.title = texts.title;
    f.comments1 = texts.comments1;
    f.comments2 = texts.comments2;

    if (settings.isPressure()) {
        f.headLabel = strings.text(30270);
        transducerOutput(settings.lngOutputCode, f.head, f.headUnits);
        f.meterLabel = strings.text(30280);
        f.meter = formats.generalNumber(settings.dblTransducerRange * F);
        f.meterUnits = unitText;
    } else {
        // Meter constants are properties of the meter, not of the display unit.
        f.headLabel = strings.text(30250);
        f.head = formats.generalNumber(settings.dblHeadPulses);
        f.headUnits = strings.text(30210);
        f.meterLabel = strings.text(30260);
        f.meter = formats.generalNumber(settings.dblMeterLitres);
        f.meterUnits = strings.text(30220);
    }

    if (settings.lngLoggingInterval < 60) {
        f.loggingInt = QString::number(settings.lngLoggingInterval);
        f.loggingIntUnits = strings.text(30230);
    } else {
        f.loggingInt = formats.generalNumber(settings.lngLoggingInterval / 60.0);
        f.loggingIntUnits = strings.text(30240);
    }

    f.max = formats.fixed(series.dblMaxValue * F);
    f.min = formats.fixed(series.dblMinValue * F);
    f.refFlow = formats.fixed(settings.dblReference * F);
    f.heading = strings.text(settings.isPressure() ? 30105 : 30100);
    f.scrollMax = series.lngNumSamples <= kTableRows ? 0 : series.lngNumSamples - kTableRows;
    return f;
}
