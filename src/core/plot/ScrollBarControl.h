#pragma once

#include <QtGlobal>

// What the graph needs of a scroll bar: the range (minimum, maximum), the large step and
// the value. Setting the value, or a maximum below it, raises the bar's change event at
// once, as a click on the bar would.
class ScrollBarControl
{
public:
    virtual ~ScrollBarControl() = default;

    virtual qint32 minimum() const = 0;
    virtual qint32 maximum() const = 0;
    virtual void setMaximum(qint32 maximum) = 0;
    virtual qint32 largeChange() const = 0;
    virtual void setLargeChange(qint32 largeChange) = 0;
    virtual qint32 value() const = 0;
    virtual void setValue(qint32 value) = 0;
};
