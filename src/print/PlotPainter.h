#pragma once

#include <QSizeF>

class PlotModel;
class QFontMetricsF;
class QPainter;

// The one painter of the plot area, onto any paint device: a white ground, the night
// shades, the gridlines, the curve as polylines, the fitting markers with their captions,
// the grid's tick labels at the left and bottom edges, and the cursors. The plot widget,
// Export Graph and the batch tool all paint with it. The plot's top-left corner is the
// painter's origin and its size the model's; the caller sets the font.
class PlotPainter
{
public:
    struct Options
    {
        bool cursors = true; // an exported figure shows none
    };

    static void paint(QPainter &painter, const PlotModel &model, const Options &options);

    // The room a tick label takes with this font (PlotModel::setTickLabelSize): the width
    // of the widest time or date label and the height of a line.
    static QSizeF tickLabelSize(const QFontMetricsF &metrics);
};
