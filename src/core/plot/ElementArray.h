#pragma once

#include "RuntimeError.h"

#include <QString>

#include <vector>

// A growable 0-based array of plot elements of one kind. Elements are created one at a
// time at the end and never removed: a drawing only moves, recolours, shows and hides
// them, and the plot painter paints what they hold.
template<typename Element> class ElementArray
{
public:
    explicit ElementArray(const Element &design)
        : m_design(design)
    {
        m_elements.push_back(design);
    }

    qint32 count() const { return static_cast<qint32>(m_elements.size()); }

    const Element &operator[](qint32 index) const { return m_elements[checked(index)]; }

    // Creates element `index`, which must be the next free one; it starts hidden with the
    // design settings of element 0.
    void load(qint32 index)
    {
        if (index != count())
            throw RuntimeError(index < count() ? QStringLiteral("Object already loaded")
                                               : elementMissing(index));
        Element element = m_design;
        element.visible = false;
        m_elements.push_back(element);
    }

    void reserve(qint32 total) { m_elements.reserve(static_cast<size_t>(total)); }

    // Sets one field.
    template<typename Value, typename Given>
    void set(qint32 index, Value Element::*field, const Given &value)
    {
        m_elements[checked(index)].*field = value;
    }

    void setVisible(qint32 index, bool visible) { set(index, &Element::visible, visible); }

private:
    size_t checked(qint32 index) const
    {
        if (index < 0 || index >= count())
            throw RuntimeError(elementMissing(index));
        return static_cast<size_t>(index);
    }

    QString elementMissing(qint32 index) const
    {
        return QStringLiteral("Control array element '%1' doesn't exist").arg(index);
    }

    Element m_design;
    std::vector<Element> m_elements;
};
