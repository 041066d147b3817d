#pragma once

#include <QString>

// The one message the graph gives the user itself: a plain message with an OK button,
// titled with the program's name.
class GraphPrompt
{
public:
    virtual ~GraphPrompt() = default;
    virtual void showMessage(const QString &text) = 0;
};
