#include "ui/shell/statusline.h"

#include "ui/desktop/twips.h"

#include <QLabel>
#include <QStatusBar>

namespace {

constexpr int kHeight = 252;
// What the status bar says until something else is said.
constexpr QStringView kFirstText = u"Updated joy for mame 0.36b1...";

// A text said after what the bar says, unless that is the first text or nothing.
QString beside(const QString& before, const QString& text)
{
    if (before.isEmpty() || before == kFirstText)
        return text;
    return before + QStringLiteral("  ") + text;
}

} // namespace

StatusLine::StatusLine(QWidget* client)
    : QObject(client)
    , m_client(client)
    , m_bar(new QStatusBar(client))
    , m_text(new QLabel(kFirstText.toString(), m_bar))
{
    m_bar->setObjectName(QStringLiteral("StatusBar"));
    m_bar->setSizeGripEnabled(false);
    m_text->setObjectName(QStringLiteral("StatusBarText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_bar->addWidget(m_text, 1);
    place();
}

QString StatusLine::text() const
{
    return m_text->text();
}

void StatusLine::setText(const QString& text)
{
    m_text->setText(text);
    // A long text (ROM folders, a path) runs past the bar's end: the whole of it on hover.
    m_text->setToolTip(text);
}

void StatusLine::place()
{
    const int height = twips::toPixelsY(m_client, kHeight);
    m_bar->setGeometry(0, m_client->height() - height, m_client->width(), height);
    m_bar->raise();
}

void StatusLine::asking(const QString& program)
{
    m_beforeAsking = text();
    m_askingText =
        beside(m_beforeAsking, QStringLiteral("Asking %1 which MAME it is...").arg(program));
    setText(m_askingText);
    m_text->repaint(); // the question may take a moment: say so at once
}

void StatusLine::mameInUse(const MameInfo& info, const QString& word)
{
    if (!info.asked)
        return;
    const QString before = text() == m_askingText ? m_beforeAsking : text();
    setText(beside(before, u"MAME in use: " + describeMame(info, word) + u'.'));
}
