#pragma once

#include "../testfiles.h"

#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
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
// A picture of the whole screen in path; false when none could be taken.
bool screenshot(const QString& path);

} // namespace xdesktop

// A program directory in a temporary folder (the real korvane binary, the stand-in emulator
// as MAME, KvCfg, INP, roms) and a home of its own, whose settings store knows nothing but
// that this version has been greeted; the program started there on the private X server.
class ProgramSession : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& relative) const { return root.filePath("mame/" + relative); }
    QString settingsFile() const { return root.filePath("home/.config/Korvane/Korvane.ini"); }
    void writeFile(const QString& relative, const QByteArray& bytes) const
    {
        testfiles::write(path(relative), bytes);
    }
    QByteArray readFile(const QString& relative) const { return testfiles::read(path(relative)); }
    QString setting(const QString& key) const;
    // The words that each run of the stand-in received so far.
    QList<QStringList> runs() const;

    void launch();
    ::testing::AssertionResult waitForMainWindow();
    ::testing::AssertionResult start()
    {
        launch();
        return waitForMainWindow();
    }
    void stop();

    // Positions and areas in the main window's client area, in twips.
    void clickAt(QPoint twips) { xdesktop::click(mainWindow, toPixels(twips)); }
    void chooseRow(int row); // a click in the first row, then the keyboard down to the row
    void chooseInCombo(QPoint twips, int steps); // opens its list, moves, takes the entry
    void chooseToolsItem(int position);          // counted from 1, separators not counted
    void press(const QStringList& keys) { xdesktop::keys(mainWindow, keys); }

    // Polls until done, for 20 seconds at the most.
    ::testing::AssertionResult waitUntil(const std::function<bool()>& done, const QString& what);
    ::testing::AssertionResult waitForCaption(int games);
    // Waits for the count-th run of MAME, which must have received words.
    ::testing::AssertionResult ranAs(int count, const QStringList& words);
    // Waits for a window of this exact title, then answers it with a key.
    ::testing::AssertionResult answer(const QString& title, const QString& key);

    QTemporaryDir root;
    QString mainWindow;

private:
    QPoint toPixels(QPoint twips) const;

    QProcess m_program;
    double m_pixelsPerTwip = 1.0 / 15;
    int m_menuBarHeight = 0;
};
