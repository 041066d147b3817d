#pragma once

#include "ScrollBarControl.h"

class QScrollBar;

// A window's scroll bar as the graph drives it: the large step is the bar's page step.
// Setting the value emits the bar's valueChanged at once, which the graph's handlers
// ignore while they set the bars themselves.
class ScrollBarAdapter : public ScrollBarControl
{
public:
    explicit ScrollBarAdapter(QScrollBar &bar);

    qint32 minimum() const override;
    qint32 maximum() const override;
    void setMaximum(qint32 maximum) override;
    qint32 largeChange() const override;
    void setLargeChange(qint32 largeChange) override;
    qint32 value() const override;
    void setValue(qint32 value) override;

private:
    QScrollBar &m_bar;
};
