#pragma once

#include "DisplayUnit.h"
#include "GraphAxisLabels.h"
#include "GraphViewState.h"
#include "PlotElements.h"
#include "RuntimeError.h"

#include <QString>

#include <vector>

class ErrorReport;
class NamedFormats;
class PlotExtent;
class ScrollBarControl;
class StringTable;
class UserPrompts;
struct DistrictSettings;
struct SampleSeries;

// The graph of the main window: the view state, the mapping of time and value to the
// plot, the drawing of the step curve, the fitting markers, the axis labels and the
// cursor read-out into the plot's retained elements, and the handlers of the cursor,
// zoom buttons, scroll bars and View > Reset. It draws into PlotElements; the window
// shows those elements and the texts, and feeds the events in.
class GraphView
{
public:
    // Everything the graph reads or drives that belongs to someone else.
    struct Links
    {
        const SampleSeries &series;
        const DistrictSettings &settings;
        const NamedFormats &formats;
        const StringTable &strings;
        ErrorReport &errorReport;
        const PlotExtent &picture; // size of Picture1
        ScrollBarControl &hsbTime;
        ScrollBarControl &vsbFlow;
        UserPrompts &prompts; // the magnification limit message
    };

    static constexpr int kKeyLeft = 37;
    static constexpr int kKeyRight = 39;
    // The title of the program's own messages.
    static constexpr const char *kTitle = "Neru";

    // Blanks the plot (ResetForm) and creates the hidden grid lines 1 to 10.
    explicit GraphView(const Links &links);

    GraphViewState &state() { return m_state; }
    const GraphViewState &state() const { return m_state; }
    PlotElements &elements() { return m_elements; }
    const PlotElements &elements() const { return m_elements; }
    const GraphAxisLabels &axisLabels() const { return m_labels; }
    // The cursor read-out for the status bar.
    const QString &statusText() const { return m_statusText; }

    // The unit the labels and the read-out show values in, from the next drawing on.
    void setUnit(DisplayUnit unit) { m_unit = unit; }
    DisplayUnit unit() const { return m_unit; }

    // --- Mapping --------------------------------------------------------------------
    qint32 xToPictureCoords(double t) const;
    qint32 yToPictureCoords(double v) const;
    void setScrollBars();
    void ResetForm();

    // --- Drawing --------------------------------------------------------------------
    void drawGraph();
    void drawGraphLines();
    void drawRefMarkers();
    void drawCursor();

    // --- Cursor, zoom and scrolling ---------------------------------------------------
    void Picture1_MouseUp(int button, int shift, double x, double y);
    void Picture1_KeyUp(int keyCode, int shift);
    void cmdFlowZoomIn_Click();
    void cmdFlowZoomOut_Click();
    void cmdTimeZoomIn_Click();
    void cmdTimeZoomOut_Click();
    void hsbTime_Change();
    void vsbFlow_Change();
    void mnuViewReset_Click();

    // --- A new series -----------------------------------------------------------------
    // Hides the curve and reference lines of the previous series and makes sure that
    // LinBar has an element for every segment of the current one.
    void prepareCurveElements();

private:
    // The scroll bars express the window as a position on this scale over the full range.
    static constexpr double kScrollScale = 10000.0;

    // Element `i` of one of the series' arrays; outside it "Subscript out of range".
    template<typename T> static const T &checkedAt(const std::vector<T> &values, qint32 i)
    {
        if (i < 0 || static_cast<size_t>(i) >= values.size())
            throw RuntimeError::subscriptOutOfRange();
        return values[static_cast<size_t>(i)];
    }
    double sampleTime(qint32 i) const;
    double sampleValue(qint32 i) const;
    bool sampleIsGap(qint32 i) const;
    void placeLine(ElementArray<PlotLine> &lines, qint32 index, qint32 x1, qint32 y1, qint32 x2,
                   qint32 y2, quint32 colour);
    void drawCurveSegments(qint32 n);
    void writeAxisLabels();
    void loadRefElement();
    QString cursorReadOut(qint32 j) const;
    static void setScrollBar(ScrollBarControl &bar, double visibleSpan, double fullSpan,
                             double offset);
    void report(const char *procedure) noexcept;

    const SampleSeries &m_series;
    const DistrictSettings &m_settings;
    const NamedFormats &m_formats;
    ErrorReport &m_errorReport;
    const PlotExtent &m_picture;
    ScrollBarControl &m_hsbTime;
    ScrollBarControl &m_vsbFlow;
    UserPrompts &m_prompts;

    // Texts loaded once, when the window is created.
    QString m_strFlow;
    QString m_strPress;
    QString m_strMagnificationLimit;
    QString m_strFitting;
    QString m_strStep;
    QString m_strNotAvailable;

    DisplayUnit m_unit = DisplayUnit::None;
    GraphViewState m_state;
    PlotElements m_elements;
    GraphAxisLabels m_labels;
    QString m_statusText;
};
