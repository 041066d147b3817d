#include "MainWindowTexts.h"

#include "StringTable.h"

void MainWindowTexts::load(const StringTable &strings)
{
    m_texts.clear();
    for (int id : kIds)
        m_texts[id] = strings.text(id);
}

QString MainWindowTexts::text(int id) const
{
    const auto it = m_texts.find(id);
    return it == m_texts.end() ? QString() : it->second;
}
