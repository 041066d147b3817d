#include "PlotElements.h"

namespace {

// The design settings of each array's element 0, which the later elements copy.
PlotLine lineDesign(quint32 colour)
{
    PlotLine line;
    line.colour = colour;
    return line;
}

PlotCaption refCaptionDesign()
{
    PlotCaption caption;
    caption.top = 0.0;
    caption.width = PlotElements::kRefCaptionWidth;
    caption.height = PlotElements::kRefCaptionHeight;
    caption.colour = PlotColour::Green;
    return caption;
}

PlotShape refDotDesign()
{
    PlotShape dot;
    dot.top = PlotElements::kRefDotTop;
    dot.width = PlotElements::kRefDotSize;
    dot.height = PlotElements::kRefDotSize;
    dot.colour = PlotColour::Green;
    return dot;
}

} // namespace

PlotElements::PlotElements()
    : LinBar(lineDesign(PlotColour::Blue))
    , linRef(lineDesign(PlotColour::Green))
    , lblRef(refCaptionDesign())
    , shpRef(refDotDesign())
    , linCursor(lineDesign(PlotColour::Black))
    , linXGrid(lineDesign(PlotColour::Black))
    , LinYGrid(lineDesign(PlotColour::Black))
{ }
