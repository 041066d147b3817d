#pragma once

#include <QList>
#include <QString>

class QTextDocument;

// The contents of the user guide: its headings of level 2 (sections) and 3 (their
// parts), in order, each with the number of its block in the laid-out guide so that the
// help window can scroll to it. The guide's title (level 1) is no entry of its own.
class GuideHeadings
{
public:
    struct Heading
    {
        int level; // 2 or 3
        QString text;
        int blockNumber;
    };

    static QList<Heading> read(const QTextDocument &guide);
};
