#include "GuideHeadings.h"

#include <QTextBlock>
#include <QTextDocument>

QList<GuideHeadings::Heading> GuideHeadings::read(const QTextDocument &guide)
{
    QList<Heading> headings;
    for (QTextBlock block = guide.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 2 || level == 3)
            headings.append({ level, block.text().trimmed(), block.blockNumber() });
    }
    return headings;
}
