#include "ui/catalogue/findbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>

FindBar::FindBar(QWidget* parent)
    : QWidget(parent)
    , m_field(new QLineEdit(this))
    , m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("FindBar"));
    m_field->setObjectName(QStringLiteral("FindText"));
    m_field->setPlaceholderText(QStringLiteral("Words of a title, short name, maker or year"));
    m_count->setObjectName(QStringLiteral("FindCount"));
    m_count->setTextFormat(Qt::PlainText);
    auto* label = new QLabel(QStringLiteral("&Find:"), this);
    label->setBuddy(m_field);
    // Closing is its own button: emptying the field by Backspace shows every row again but
    // leaves the field open for the next words.
    QAction* close = m_field->addAction(style()->standardIcon(QStyle::SP_LineEditClearButton),
                                        QLineEdit::TrailingPosition);
    close->setObjectName(QStringLiteral("FindClose"));
    close->setToolTip(QStringLiteral("Close (Esc)"));
    connect(close, &QAction::triggered, this, &FindBar::closeRequested);
    connect(m_field, &QLineEdit::textEdited, this, &FindBar::textEdited);
    m_field->installEventFilter(this);

    // Over the full window's list it covers other controls: none may show through.
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 3, 2, 0);
    layout->setSpacing(6);
    layout->addWidget(label);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);
    hide();
}

void FindBar::showCount(int shown, int all)
{
    const QLocale locale;
    m_count->setText(QStringLiteral("%1 of %2").arg(locale.toString(shown), locale.toString(all)));
}

void FindBar::takeFocus()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Down:
        Q_EMIT intoList();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT startRequested();
        return true;
    case Qt::Key_Escape:
        Q_EMIT closeRequested();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
