// The requests of the mouse and the keys: zoom about a point, pan, box zoom, Home and End,
// Page Up and Page Down, and the second cursor.
#include "PlotModel.h"

#include "StepFunction.h"

// Placeholders until the gestures are built.
bool PlotModel::zoomTimeAbout(double, int)
{
    return true;
}

bool PlotModel::zoomValueAbout(double, int)
{
    return true;
}

void PlotModel::panBy(double, double)
{ }

void PlotModel::zoomToBox(const QRectF &)
{ }

void PlotModel::cursorToFirst()
{ }

void PlotModel::cursorToLast()
{ }

void PlotModel::pageTime(int)
{ }

void PlotModel::placeSecondCursor(double time)
{
    m_state.secondCursorShown = true;
    m_state.secondCursor = time;
}

void PlotModel::removeSecondCursor()
{
    m_state.secondCursorShown = false;
}
