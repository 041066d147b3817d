#include "DistrictSummary.h"

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

DistrictSummary DistrictSummary::of(const District &district, double factor,
                                    const QString &unitText, const StringTable &strings,
                                    const NamedFormats &formats)
{
    const DistrictSettings &settings = district.settings();
    const SampleSeries &series = district.series();
    const DistrictImage::HeaderTexts texts = district.image().headerTexts();
    DistrictSummary s;
    s.factor = factor;
    s.caption = strings.text(30200) + QStringLiteral(" '") + texts.district + u'\'';
    s.titleLabel = strings.text(30000);
    s.comments1Label = strings.text(30010);
    s.comments2Label = strings.text(30020);
    s.title = texts.title;
    s.comments1 = texts.comments1;
    s.comments2 = texts.comments2;

    if (settings.isPressure()) {
        s.head.label = strings.text(30270);
        transducerOutput(settings.outputCode, s.head.shown, s.head.units);
        s.head.printed = s.head.shown;
        s.meter = { strings.text(30280), formats.generalNumber(settings.transducerRange * factor),
                    QString(), unitText };
        s.meter.printed = s.meter.shown;
    } else {
        // Meter constants are properties of the meter, not of the display unit.
        s.head = { strings.text(30250), formats.generalNumber(settings.headPulses),
                   formats.fixed(settings.headPulses), strings.text(30210) };
        s.meter = { strings.text(30260), formats.generalNumber(settings.meterLitres),
                    formats.fixed(settings.meterLitres), strings.text(30220) };
    }

    const qint32 interval = settings.loggingInterval;
    if (interval < 60)
        s.loggingInterval = { strings.text(30050), QString::number(interval),
                              formats.fixed(interval), strings.text(30230) };
    else
        s.loggingInterval = { strings.text(30050), formats.generalNumber(interval / 60.0),
                              formats.fixed(interval / 60.0), strings.text(30240) };

    const auto inUnit = [&](int label, double value) {
        const QString text = formats.fixed(value * factor);
        return Figure { strings.text(label), text, text, unitText };
    };
    s.maximum = inUnit(30060, series.maxValue);
    s.minimum = inUnit(30070, series.minValue);
    s.reference = inUnit(30080, settings.reference);
    s.heading = strings.text(settings.isPressure() ? 30105 : 30100);
    return s;
}
