#pragma once

#include "mame/mame.h"

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;
class QWidget;

// The status bar along the bottom edge of the window's client area, with its one text, and
// what it says of the MAME in use.
class StatusLine final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLine)

public:
    // Made in client, along its bottom edge, as wide as it.
    explicit StatusLine(QWidget* client);

    QStatusBar* bar() const { return m_bar; }
    QString text() const;
    void setText(const QString& text);
    // Puts the bar back along the bottom edge, after the client area changed its size.
    void place();

    // A program is about to be asked which MAME it is: said at once, beside what was said.
    void asking(const QString& program);
    // Which MAME the options name, said when the program was asked, in place of the asking.
    void mameInUse(const MameInfo& info, const QString& word);

private:
    QWidget* m_client;
    QStatusBar* m_bar;
    QLabel* m_text;
    // What the bar says while a program is asked which MAME it is, and said before.
    QString m_askingText;
    QString m_beforeAsking;
};
