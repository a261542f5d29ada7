#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <functional>
#include <vector>

class QMainWindow;
class QWidget;
class SettingsStore;

// The main window's size. At its design size every control sits where it was designed. What
// the user adds by resizing or maximising goes to the list; the controls right of it and below
// it keep their distance to the window's right and bottom edges. The size is kept for the next
// start.
class WindowSize final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowSize)

public:
    struct Parts
    {
        QMainWindow* window;
        QWidget* client; // the client area, its controls placed at their design places already
        std::function<void(QSize)> growList; // the list takes this many pixels more
        std::function<void()> placeStatusBar;
        std::function<void(const QString&)> reportStatus;
    };

    // design: the client area's size in twips.
    WindowSize(Parts parts, SettingsStore& settings, QSize design, QObject* parent = nullptr);

    // Before the window first shows: the size and the maximised state kept at the last start.
    void restore();
    // Makes the window taller (or, negative, shorter) by a length in twips, without moving a
    // control: the design height itself changes.
    void changeHeight(int twips);
    // Stores a size change still waiting for its moment.
    void flush();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each control where its edges put it for the client area's size now.
    void place();
    void save();

    struct Anchored
    {
        QWidget* widget;
        QRect design; // in pixels
        bool right;   // keeps its distance to the right edge
        bool bottom;  // keeps its distance to the bottom edge
        bool stretch; // its right edge keeps its distance to the window's, its left edge stays
    };

    Parts m_parts;
    SettingsStore& m_settings;
    QSize m_design; // pixels, the height as End and Home in FlickerText left it
    QSize m_designTwips;
    std::vector<Anchored> m_anchored;
    QTimer m_saving; // a drag resizes many times: stored once it rests
    bool m_reported = false;
};
