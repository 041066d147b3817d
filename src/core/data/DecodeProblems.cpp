#include "DecodeProblems.h"

#include "SampleSeries.h"

#include <array>

namespace {

using Kind = RecordDecoder::Problem::Kind;

// One line of the summary: "<count> <what>, the first at byte <offset>".
QString kindLine(Kind kind, qint32 count, qint32 offset)
{
    const bool one = count == 1;
    QString what;
    switch (kind) {
    case Kind::Unreadable:
        what = one ? QStringLiteral("record skipped as unreadable")
                   : QStringLiteral("records skipped as unreadable");
        break;
    case Kind::Overflow:
        what = one ? QStringLiteral("record whose value overflowed")
                   : QStringLiteral("records whose values overflowed");
        break;
    case Kind::SeriesFull:
        what = (one ? QStringLiteral("reading dropped") : QStringLiteral("readings dropped"))
            + QStringLiteral(" because the district holds more than %1 entries")
                  .arg(SampleSeries::kCapacity);
        break;
    case Kind::CutShort:
        what = one ? QStringLiteral("record cut short by the end of the file")
                   : QStringLiteral("records cut short by the end of the file");
        break;
    }
    return QStringLiteral("%1 %2, %3 byte %4")
        .arg(count)
        .arg(what, one ? QStringLiteral("at") : QStringLiteral("the first at"))
        .arg(offset);
}

} // namespace

QStringList DecodeProblems::lines(const QString &path,
                                  const QList<RecordDecoder::Problem> &problems)
{
    QStringList lines;
    const qsizetype listed = std::min(problems.size(), kLinesListed);
    for (qsizetype k = 0; k < listed; ++k)
        lines.append(path + QStringLiteral(": byte ") + QString::number(problems.at(k).offset)
                     + QStringLiteral(": ") + problems.at(k).reason);
    if (problems.size() > listed)
        lines.append(path + QStringLiteral(": ") + QString::number(problems.size() - listed)
                     + QStringLiteral(" more problems"));
    return lines;
}

QString DecodeProblems::summary(const QString &path, const QList<RecordDecoder::Problem> &problems,
                                const QString &logPath)
{
    if (problems.isEmpty())
        return QString();
    struct Tally
    {
        qint32 count = 0;
        qint32 first = 0;
    };
    // In the order of the Kind enumeration: skipped, overflowed, dropped, cut short.
    std::array<Tally, 4> tallies {};
    for (const RecordDecoder::Problem &problem : problems) {
        Tally &tally = tallies[static_cast<size_t>(problem.kind)];
        if (tally.count == 0)
            tally.first = problem.offset;
        tally.count += problem.count;
    }
    QStringList text { path + QStringLiteral(" holds readings that could not be read:") };
    for (size_t k = 0; k < tallies.size(); ++k) {
        if (tallies[k].count > 0)
            text.append(kindLine(static_cast<Kind>(k), tallies[k].count, tallies[k].first));
    }
    text.append(QStringLiteral("The graph shows the readings that could be read. Details are in ")
                + logPath + u'.');
    return text.join(u'\n');
}
