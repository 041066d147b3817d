#pragma once

#include "RuntimeError.h"

#include <QString>

#include <vector>

// A growable 0-based array of plot elements of one kind. Elements are created one at a
// time at the end and never removed: a drawing only moves, recolours, shows and hides
// them. Every change is recorded so that the picture on screen can follow just the
// elements that changed.
template<typename Element> class ElementArray
{
public:
    explicit ElementArray(const Element &design)
        : m_design(design)
    {
        m_elements.push_back(design);
        m_changedFlag.push_back(1);
        m_changed.push_back(0);
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
        m_changedFlag.push_back(0);
        markChanged(index);
    }

    void reserve(qint32 total)
    {
        m_elements.reserve(static_cast<size_t>(total));
        m_changedFlag.reserve(static_cast<size_t>(total));
    }

    // Sets one field; an element whose value does not change is not recorded.
    template<typename Value, typename Given>
    void set(qint32 index, Value Element::*field, const Given &value)
    {
        Element &element = m_elements[checked(index)];
        if (element.*field == value)
            return;
        element.*field = value;
        markChanged(index);
    }

    void setVisible(qint32 index, bool visible) { set(index, &Element::visible, visible); }

    // Elements changed (or created) since the last takeChanges, in the order of change.
    std::vector<qint32> takeChanges()
    {
        std::vector<qint32> out;
        out.swap(m_changed);
        for (qint32 index : out)
            m_changedFlag[static_cast<size_t>(index)] = 0;
        return out;
    }
    bool hasChanges() const { return !m_changed.empty(); }

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

    void markChanged(qint32 index)
    {
        const auto i = static_cast<size_t>(index);
        if (m_changedFlag[i])
            return;
        m_changedFlag[i] = 1;
        m_changed.push_back(index);
    }

    Element m_design;
    std::vector<Element> m_elements;
    std::vector<char> m_changedFlag;
    std::vector<qint32> m_changed;
};
