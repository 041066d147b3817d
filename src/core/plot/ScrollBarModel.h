#pragma once

#include "ScrollBarControl.h"

#include <functional>

// A scroll bar without a window, for the batch side and the tests: minimum 0, small
// step 1. A large step below 1 or a value outside the range is refused with "Invalid
// property value", as a real bar refuses it. The change event is a callback.
class ScrollBarModel : public ScrollBarControl
{
public:
    ScrollBarModel(qint32 maximum = 0, qint32 largeChange = 10000, qint32 value = 0);

    qint32 minimum() const override { return 0; }
    qint32 maximum() const override { return m_maximum; }
    void setMaximum(qint32 maximum) override;
    qint32 largeChange() const override { return m_largeChange; }
    void setLargeChange(qint32 largeChange) override;
    qint32 value() const override { return m_value; }
    void setValue(qint32 value) override;

    // Called after every change of the value.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void changeValue(qint32 value);

    qint32 m_maximum;
    qint32 m_largeChange;
    qint32 m_value;
    std::function<void()> m_onChange;
};
