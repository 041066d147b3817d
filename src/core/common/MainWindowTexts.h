#pragma once

#include <QString>

#include <array>
#include <map>

class StringTable;

// The texts that the main window loads from the string table when it is created and
// keeps for the units, the cursor read-out, the zoom message and its caption.
class MainWindowTexts
{
public:
    static constexpr std::array<int, 15> kIds
        = { 40000, 40010, 40020, 40030, 40050, 40060, 40070, 40080,
            40090, 40100, 40110, 40120, 40130, 50030, 50040 };

    void load(const StringTable &strings);
    bool isLoaded() const { return !m_texts.empty(); }

    // The loaded text of one of kIds; empty before load or for any other id.
    QString text(int id) const;

private:
    std::map<int, QString> m_texts;
};
