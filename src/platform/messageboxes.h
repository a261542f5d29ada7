#pragma once

#include <QString>

enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo, // a question: Yes answers Ok, No answers Cancel
};

enum class MessageAnswer
{
    Ok,
    Cancel,
};

// Modal message boxes: no icon, the given title, the given buttons. Every message of the
// program goes through here, so that tests can answer them without a modal loop.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // Shows the box and waits for the user. Closing it with Escape or the window's close
    // button answers Cancel when there is a Cancel (or No) button, Ok otherwise. Details, when
    // there are any, are the long part of the message (a program's whole output, say), which the
    // user opens from the box; the text then stays short.
    virtual MessageAnswer show(const QString& text, const QString& title, MessageButtons buttons,
                               const QString& details = {}) = 0;
};
