#pragma once

class QMainWindow;
class QWidget;

// The main window's design as data: every control with its place in twips, its caption and
// its face, and the menus with their items and shortcuts.
namespace mainlayout {

// Makes the groups, labels, separators, buttons, lists and text boxes of the design in
// client, and places them and the controls made before (the option panel's, the game list,
// the play button; found by name under client), each in its group, in the design's order.
void buildControls(QWidget* client);

// Makes the menu bar's menus and the list's context menu with their items, each item named
// as the program knows it.
void buildMenus(QMainWindow* window);

} // namespace mainlayout
