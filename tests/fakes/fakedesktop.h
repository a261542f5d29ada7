#pragma once

#include "platform/defaulthandler.h"
#include "platform/modaldialogs.h"
#include "platform/toplevelwindows.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QUrl>

#include <functional>

// Records every target instead of opening it.
class FakeDefaultHandler final : public DefaultHandler
{
public:
    bool open(const QUrl& target) override
    {
        opened.append(target);
        return answer;
    }

    QList<QUrl> opened;
    bool answer = true;
};

// Never blocks: each dialog is recorded by its object name and handed to act (which may look
// at it and press its buttons); the dialog is then closed and its result returned.
class FakeModalDialogs final : public ModalDialogs
{
public:
    int showModal(QDialog& dialog) override
    {
        shown.append(dialog.objectName());
        if (act)
            act(dialog);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    }

    QStringList shown;
    std::function<void(QDialog&)> act;
};

// Windows by title, identified by their position in the list plus one.
class FakeTopLevelWindows final : public TopLevelWindows
{
public:
    quintptr first() override { return titles.isEmpty() ? 0 : 1; }
    quintptr next(quintptr window) override
    {
        return window < quintptr(titles.size()) ? window + 1 : 0;
    }
    QString title(quintptr window, int maxChars) override
    {
        return titles.value(qsizetype(window) - 1).left(maxChars);
    }

    QStringList titles;
};
