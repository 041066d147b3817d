#include "ScrollBarAdapter.h"

#include <QScrollBar>

ScrollBarAdapter::ScrollBarAdapter(QScrollBar &bar)
    : m_bar(bar)
{ }

qint32 ScrollBarAdapter::minimum() const
{
    return m_bar.minimum();
}

qint32 ScrollBarAdapter::maximum() const
{
    return m_bar.maximum();
}

void ScrollBarAdapter::setMaximum(qint32 maximum)
{
    m_bar.setMaximum(maximum);
}

qint32 ScrollBarAdapter::largeChange() const
{
    return m_bar.pageStep();
}

void ScrollBarAdapter::setLargeChange(qint32 largeChange)
{
    m_bar.setPageStep(largeChange);
}

qint32 ScrollBarAdapter::value() const
{
    return m_bar.value();
}

void ScrollBarAdapter::setValue(qint32 value)
{
    m_bar.setValue(value);
}
