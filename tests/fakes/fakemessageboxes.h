#pragma once

#include "platform/messageboxes.h"

#include <QList>
#include <QString>

#include <deque>

// Records every message box and answers from a script (Ok when the script is empty), so no
// test ever waits on a modal box.
class FakeMessageBoxes final : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        QString title;
        MessageButtons buttons;
        QString details;
    };

    MessageAnswer show(const QString& text, const QString& title, MessageButtons buttons,
                       const QString& details = {}) override
    {
        shown.append({text, title, buttons, details});
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown& s : shown)
            result.append(s.text);
        return result;
    }

    QList<Shown> shown;
    std::deque<MessageAnswer> answers;
};
