#pragma once

#include <QPoint>
#include <QSize>
#include <QStringList>

#include <optional>

// A private X server (Xvfb) for the end-to-end tests, and what a user does on it. Input goes
// through xdotool, which uses the X test extension, so the program receives the events of a
// real mouse and keyboard. There is no window manager: xdotool gives the focus itself.
// Windows are named by their X id; positions and areas are relative to the window.
namespace xdesktop {

// The server of this test process, started on first use on a free display and ended with
// the process.
QString display();

std::optional<QString> findWindow(const QString& titlePattern); // the first mapped match
bool isViewable(const QString& window);
QString title(const QString& window);
QSize size(const QString& window);

void click(const QString& window, QPoint at);
// Focuses the window, then types the keys (xdotool's names: F5, Return, Down...). With no
// window, they go where the keyboard is already: an open list or menu grabs it.
void keys(const QString& window, const QStringList& names);

} // namespace xdesktop
