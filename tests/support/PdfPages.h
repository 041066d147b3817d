#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>

// What a PDF file shows, read with poppler's pdftotext and pdftoppm: its pages' sizes,
// its text lines with their positions, and where a colour is painted. Lengths are in
// millimetres from the page's top-left corner.
struct PdfPages
{
    struct Line
    {
        int page = 0; // from 0
        double left = 0.0;
        double top = 0.0;
        QString text; // the words, one space apart
    };

    QList<QSizeF> pages;
    QList<Line> lines;

    // False when pdftotext could not read the file.
    bool read(const QString &pdf)
    {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"),
                   { QStringLiteral("-bbox"), pdf, QStringLiteral("-") });
        if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
            return false;
        const QString xhtml = QString::fromUtf8(tool.readAllStandardOutput());
        static const QRegularExpression item(QStringLiteral(
            "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" "
            "yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">([^<]*)</word>"));
        QList<Line> words;
        for (auto it = item.globalMatch(xhtml); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedLength(1) > 0)
                pages.append(QSizeF(mm(m.captured(1)), mm(m.captured(2))));
            else
                // Ligatures ("fl") come back as one character.
                words.append({ int(pages.size()) - 1, mm(m.captured(3)), mm(m.captured(4)),
                               m.captured(5).normalized(QString::NormalizationForm_KC) });
        }
        // The tool lists words column by column; lines are the words that share a top.
        std::stable_sort(words.begin(), words.end(), [](const Line &a, const Line &b) {
            if (a.page != b.page)
                return a.page < b.page;
            if (qAbs(a.top - b.top) >= 0.5)
                return a.top < b.top;
            return a.left < b.left;
        });
        for (const Line &word : words) {
            if (!lines.isEmpty() && lines.last().page == word.page
                && qAbs(lines.last().top - word.top) < 0.5)
                lines.last().text += u' ' + word.text;
            else
                lines.append(word);
        }
        return true;
    }

    // The rectangle of page `page` painted in `colour` (within a small tolerance), drawn at
    // 72 dots per inch; empty when the colour is not there.
    static QRectF colourBox(const QString &pdf, int page, const QColor &colour)
    {
        QTemporaryDir dir;
        const QString stem = dir.filePath(QStringLiteral("page"));
        const QStringList options
            = QStringLiteral("-r 72 -png -singlefile -f %1 -l %1").arg(page + 1).split(u' ');
        if (QProcess::execute(QStringLiteral("pdftoppm"), options + QStringList { pdf, stem }) != 0)
            return {};
        const QImage image(stem + QStringLiteral(".png"));
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green())
                        + qAbs(c.blue() - colour.blue())
                    < 24)
                    box |= QRect(x, y, 1, 1);
            }
        }
        const double perPixel = 25.4 / 72.0;
        return { QPointF(box.topLeft()) * perPixel, QSizeF(box.size()) * perPixel };
    }

private:
    static double mm(const QString &points) { return points.toDouble() * 25.4 / 72.0; }
};
