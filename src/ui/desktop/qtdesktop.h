#pragma once

#include "platform/defaulthandler.h"
#include "platform/modaldialogs.h"

// The default handler through QDesktopServices (xdg-open on Linux).
class QtDefaultHandler final : public DefaultHandler
{
public:
    bool open(const QUrl& target) override;
};

// Modal dialogs through QDialog::exec.
class QtModalDialogs final : public ModalDialogs
{
public:
    int showModal(QDialog& dialog) override;
};
