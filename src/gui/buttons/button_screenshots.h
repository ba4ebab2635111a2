#pragma once

class QDir;
class MainWindow;

// Pictures of the button pages for the documentation: the Main profile page
// with a menu and two of its sub-menus open ("button-menu.png") and the
// key-combination dialog over the window ("key-combination.png"). The window
// must show the Main profile page. False when a picture could not be written.
bool renderButtonScreenshots(MainWindow &window, const QDir &folder);
