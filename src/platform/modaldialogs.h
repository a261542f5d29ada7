#pragma once

class QDialog;

// Shows the program's own dialogs modally. Every modal dialog goes through here, so that
// tests can look at a dialog and press its buttons without a modal loop.
class ModalDialogs
{
public:
    virtual ~ModalDialogs() = default;

    // Shows dialog modally over its parent and returns when it is closed, with its result.
    virtual int showModal(QDialog& dialog) = 0;
};
