#include "ui/desktop/qtmessageboxes.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// A text longer than this many lines (MAME's answer for a bad set can run to fifty) is shown
// in a box that scrolls, so that its buttons stay on the screen.
constexpr qsizetype kLongestPlainMessage = 24;

MessageAnswer showScrolling(const QString& text, const QString& title, MessageButtons buttons,
                            QWidget* parent)
{
    QDialog box(parent);
    box.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&box);

    // The first line is the message; the rest is the emulator's output, whose columns line
    // up only in a fixed-pitch font.
    const qsizetype firstBreak = text.indexOf(u'\n');
    layout->addWidget(new QLabel(text.left(firstBreak), &box));
    auto* view = new QPlainTextEdit(text.mid(firstBreak + 1).trimmed(), &box);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view);

    auto* choices = new QDialogButtonBox(&box);
    QPushButton* ok = choices->addButton(QDialogButtonBox::Ok);
    ok->setDefault(true);
    if (buttons == MessageButtons::OkCancel)
        choices->addButton(QDialogButtonBox::Cancel);
    for (QAbstractButton* button : choices->buttons())
        button->setIcon(QIcon());
    QObject::connect(choices, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(choices, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(choices);

    // Wide enough for the longest line, as tall as half the screen, never beyond it.
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const QRect screen =
        (parent && parent->screen() ? parent->screen() : box.screen())->availableGeometry();
    box.resize(std::min(widest + 80, screen.width() * 4 / 5), screen.height() / 2);
    // Escape and the window's close button answer Cancel when there is one, Ok otherwise.
    const int result = box.exec();
    return result == QDialog::Accepted || buttons == MessageButtons::Ok ? MessageAnswer::Ok
                                                                        : MessageAnswer::Cancel;
}

} // namespace

MessageAnswer QtMessageBoxes::show(const QString& text, const QString& title,
                                   MessageButtons buttons, const QString& details)
{
    // Over the window when it is on screen; before it is shown (messages at start-up), in
    // the middle of the screen.
    QWidget* parent = m_parent && m_parent->isVisible() ? m_parent.data() : nullptr;
    // Texts keep the CR LF they are written with; a label breaks lines at LF alone.
    const QString shown = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (details.isEmpty() && shown.count(u'\n') >= kLongestPlainMessage)
        return showScrolling(shown, title, buttons, parent);

    QMessageBox box(parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    // Texts are shown as they stand: a name in a message must never turn into markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    box.setDetailedText(details);
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    // Plain buttons: some desktop themes put pictures on them.
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes ? MessageAnswer::Ok
                                                                   : MessageAnswer::Cancel;
}
