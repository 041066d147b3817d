#include "CurvePath.h"

std::vector<CurvePath::Run> CurvePath::of(const ElementArray<PlotLine> &curve, qint32 count)
{
    std::vector<Run> runs;
    for (qint32 i = 0; i < count && i < curve.count(); ++i) {
        const PlotLine &line = curve[i];
        if (!line.visible)
            continue;
        runs.push_back(
            Run { line.colour, { QPointF(line.x1, line.y1), QPointF(line.x2, line.y2) } });
    }
    return runs;
}

std::vector<QPointF> CurvePath::reduced(const std::vector<QPointF> &points)
{
    return points;
}
