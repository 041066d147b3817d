#include "CurvePath.h"

#include <algorithm>
#include <cmath>

std::vector<CurvePath::Run> CurvePath::of(const ElementArray<PlotLine> &curve, qint32 count)
{
    std::vector<Run> runs;
    for (qint32 i = 0; i < count && i < curve.count(); ++i) {
        const PlotLine &line = curve[i];
        if (!line.visible)
            continue;
        const QPointF start(line.x1, line.y1);
        const QPointF end(line.x2, line.y2);
        // Exact equality: joined segments share the very same grid place.
        if (!runs.empty() && runs.back().colour == line.colour
            && runs.back().points.back().x() == start.x()
            && runs.back().points.back().y() == start.y())
            runs.back().points.push_back(end);
        else
            runs.push_back(Run { line.colour, { start, end } });
    }
    for (Run &run : runs)
        run.points = reduced(run.points);
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
        size_t lowest = first;
        size_t highest = first;
        while (end < points.size() && std::floor(points[end].x()) == column) {
            if (points[end].y() < points[lowest].y())
                lowest = end;
            if (points[end].y() > points[highest].y())
                highest = end;
            ++end;
        }
        if (end - first <= 2) {
            out.insert(out.end(), points.begin() + first, points.begin() + end);
        } else {
            // The first, the extremes and the last, in their order and each once.
            const size_t middle[] = { std::min(lowest, highest), std::max(lowest, highest) };
            size_t kept = first;
            out.push_back(points[first]);
            for (size_t k : middle) {
                if (k != kept && k != end - 1) {
                    out.push_back(points[k]);
                    kept = k;
                }
            }
            out.push_back(points[end - 1]);
        }
        first = end;
    }
    return out;
}
