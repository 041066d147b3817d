#pragma once

#include "RecordDecoder.h"

#include <QList>
#include <QString>
#include <QStringList>

// How the problems of a decode are told: the batch tool lists them record by record, the
// window sums them up by kind in one message. Both read them here.
class DecodeProblems
{
public:
    // Problems listed one per line; the rest are counted in one more line.
    static constexpr qsizetype kLinesListed = 20;

    // "<path>: byte <offset>: <reason>" for each of the first kLinesListed problems, then
    // "<path>: <n> more problems".
    static QStringList lines(const QString &path, const QList<RecordDecoder::Problem> &problems);

    // "<path> holds readings that could not be read:", one line per kind of problem with
    // its count and first byte offset, then where the details are. Empty when there are no
    // problems.
    static QString summary(const QString &path, const QList<RecordDecoder::Problem> &problems,
                           const QString &logPath);
};
