#include "PlotElements.h"

namespace {

// The design settings of each array's element 0, which the later elements copy.
PlotLine lineDesign(quint32 colour)
{
    PlotLine line;
    line.colour = colour;
    return line;
}

PlotCaption markerCaptionDesign()
{
    PlotCaption caption;
    caption.top = 0.0;
    caption.width = PlotElements::kMarkerCaptionWidth;
    caption.height = PlotElements::kMarkerCaptionHeight;
    caption.colour = PlotColour::Green;
    return caption;
}

PlotShape markerDotDesign()
{
    PlotShape dot;
    dot.top = PlotElements::kMarkerDotTop;
    dot.width = PlotElements::kMarkerDotSize;
    dot.height = PlotElements::kMarkerDotSize;
    dot.colour = PlotColour::Green;
    return dot;
}

PlotLine secondCursorDesign()
{
    PlotLine line = lineDesign(PlotColour::SecondCursor);
    line.dashed = true;
    line.visible = false;
    return line;
}

PlotBand nightShadeDesign()
{
    PlotBand band;
    band.visible = false;
    return band;
}

} // namespace

PlotElements::PlotElements()
    : curve(lineDesign(PlotColour::Blue))
    , markerLines(lineDesign(PlotColour::Green))
    , markerCaptions(markerCaptionDesign())
    , markerDots(markerDotDesign())
    , cursorLine(lineDesign(PlotColour::Black))
    , secondCursorLine(secondCursorDesign())
    , timeGrid(lineDesign(PlotColour::Grid))
    , valueGrid(lineDesign(PlotColour::Grid))
    , nightShades(nightShadeDesign())
{ }
