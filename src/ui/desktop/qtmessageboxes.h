#pragma once

#include "platform/messageboxes.h"

#include <QPointer>

class QWidget;

// Message boxes as QMessageBox, modal over the given parent window.
class QtMessageBoxes final : public MessageBoxes
{
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    MessageAnswer show(const QString& text, const QString& title, MessageButtons buttons,
                       const QString& details = {}) override;

private:
    QPointer<QWidget> m_parent;
};
