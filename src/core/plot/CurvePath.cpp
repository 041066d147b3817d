#include "CurvePath.h"

#include <algorithm>
#include <cmath>

std::vector<CurvePath::Run> CurvePath::of(const ElementArray<PlotLine> &curve, qint32 count)
{
    std::vector<Run> runs;
    Run run;
    const auto close = [&runs, &run] {
        if (run.points.empty())
            return;
        run.points = reduced(run.points);
        runs.push_back(std::move(run));
        run = Run();
    };
    const qint32 n = std::min(count, curve.count());
    for (qint32 i = 0; i < n; ++i) {
        const PlotLine &line = curve[i];
        if (!line.visible) {
            close();
            continue;
        }
        const QPointF from(line.x1, line.y1);
        const QPointF to(line.x2, line.y2);
        // A level ends where the next riser starts: the run goes on while the segments
        // meet and keep one colour.
        if (!run.points.empty() && run.colour == line.colour && run.points.back() == from) {
            if (to != from)
                run.points.push_back(to);
            continue;
        }
        close();
        run.colour = line.colour;
        run.points = { from, to };
    }
    close();
    return runs;
}

std::vector<QPointF> CurvePath::reduced(const std::vector<QPointF> &points)
{
    std::vector<QPointF> out;
    out.reserve(points.size());
    size_t first = 0;
    while (first < points.size()) {
        const double column = std::floor(points[first].x());
        size_t end = first + 1;
        while (end < points.size() && std::floor(points[end].x()) == column)
            ++end;
        if (end - first <= 2) {
            out.insert(out.end(), points.begin() + first, points.begin() + end);
        } else {
            size_t low = first;
            size_t high = first;
            for (size_t i = first + 1; i < end; ++i) {
                // Pixels count downwards: the lowest reading has the largest y.
                if (points[i].y() > points[low].y())
                    low = i;
                if (points[i].y() < points[high].y())
                    high = i;
            }
            size_t kept[] = { first, low, high, end - 1 };
            std::sort(std::begin(kept), std::end(kept));
            const size_t *last = std::unique(std::begin(kept), std::end(kept));
            for (const size_t *i = std::begin(kept); i != last; ++i)
                out.push_back(points[*i]);
        }
        first = end;
    }
    return out;
}
