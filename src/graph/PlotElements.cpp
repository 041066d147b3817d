#include "PlotElements.h"

PlotElements::PlotElements()
    : LinBar(QStringLiteral("LinBar"), curveDesign())
    , linRef(QStringLiteral("linRef"), refLineDesign())
    , lblRef(QStringLiteral("lblRef"), refCaptionDesign())
    , shpRef(QStringLiteral("shpRef"), refDotDesign())
    , linCursor(QStringLiteral("linCursor"), cursorDesign())
    , linXGrid(QStringLiteral("linXGrid"), gridDesign())
    , LinYGrid(QStringLiteral("LinYGrid"), gridDesign())
{ }

PlotLine PlotElements::curveDesign()
{
    PlotLine line;
    line.colour = PlotColour::Blue;
    return line;
}

PlotLine PlotElements::refLineDesign()
{
    PlotLine line;
    line.colour = PlotColour::Green;
    return line;
}

PlotCaption PlotElements::refCaptionDesign()
{
    PlotCaption caption;
    caption.top = 0.0;
    caption.width = kRefCaptionWidth;
    caption.height = kRefCaptionHeight;
    caption.colour = PlotColour::Green;
    return caption;
}

PlotShape PlotElements::refDotDesign()
{
    PlotShape dot;
    dot.top = kRefDotTop;
    dot.width = kRefDotSize;
    dot.height = kRefDotSize;
    dot.colour = PlotColour::Green;
    return dot;
}

PlotLine PlotElements::cursorDesign()
{
    PlotLine line;
    line.colour = PlotColour::Black;
    return line;
}

PlotLine PlotElements::gridDesign()
{
    PlotLine line;
    line.colour = PlotColour::Black;
    return line;
}
