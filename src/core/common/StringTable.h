#pragma once

#include <QString>

// The program's numbered texts. Every user-visible message and caption comes from here
// by id; "\n" in a text is one line feed.
class StringTable
{
public:
    // Empty string when the id is not in the table (see contains).
    QString text(int id) const;
    bool contains(int id) const;
};
