#pragma once

#include <QString>

// The program's name in each form the outside world sees, made here only.
class ApplicationName
{
public:
    // "Neru": the title of the program's messages and questions, the product name on the
    // splash window and the creator of its PDF files.
    static QString title();
    // "neru": the name the system knows the program by, which names its folders of
    // settings and data.
    static QString systemName();
    // The company (string 10010), " - " and the title: the name the settings file is stored
    // under.
    static QString settingsName();
};
