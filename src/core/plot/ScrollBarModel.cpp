#include "ScrollBarModel.h"

#include "RuntimeError.h"

namespace {

RuntimeError invalidPropertyValue()
{
    return RuntimeError(QStringLiteral("Invalid property value"));
}

} // namespace

ScrollBarModel::ScrollBarModel(qint32 maximum, qint32 largeChange, qint32 value)
    : m_maximum(maximum)
    , m_largeChange(largeChange)
    , m_value(value)
{
    if (maximum < 0 || largeChange < 1 || value < 0 || value > maximum)
        throw invalidPropertyValue();
}

void ScrollBarModel::setMaximum(qint32 maximum)
{
    if (maximum < 0)
        throw invalidPropertyValue();
    m_maximum = maximum;
    if (m_value > m_maximum)
        changeValue(m_maximum);
}

void ScrollBarModel::setLargeChange(qint32 largeChange)
{
    if (largeChange < 1)
        throw invalidPropertyValue();
    m_largeChange = largeChange;
}

void ScrollBarModel::setValue(qint32 value)
{
    if (value < minimum() || value > m_maximum)
        throw invalidPropertyValue();
    changeValue(value);
}

void ScrollBarModel::changeValue(qint32 value)
{
    if (value == m_value)
        return;
    m_value = value;
    if (m_onChange)
        m_onChange();
}
