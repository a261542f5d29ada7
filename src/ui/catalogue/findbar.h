#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The field along the bottom edge of the game list where the user types what to find, with
// how many rows show. It turns the keys that leave it into requests; the list decides.
class FindBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindBar)

public:
    explicit FindBar(QWidget* parent = nullptr);

    QLineEdit* field() const { return m_field; }
    // "12 of 39,372": shown of all the rows of the list type.
    void showCount(int shown, int all);
    // Into the field, its text selected, so that typing replaces it.
    void takeFocus();

Q_SIGNALS:
    // The user changed the text.
    void textEdited(const QString& text);
    // Down: on into the list.
    void intoList();
    // Return or Enter: start the game.
    void startRequested();
    // Esc, or the field's close button.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    QLabel* m_count;
};
