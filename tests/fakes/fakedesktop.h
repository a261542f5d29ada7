#pragma once

#include "platform/defaulthandler.h"
#include "platform/modaldialogs.h"

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
