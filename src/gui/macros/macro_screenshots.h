#pragma once

#include <QDir>

class MainWindow;

// The macro page with a recorded macro ("page-macro-recorded.png") and with
// the insert panel open for recorded keys ("page-macro-insert.png"). The
// macro is recorded into the window's image only; nothing reaches the mouse.
bool renderMacroScreenshots(MainWindow &window, const QDir &folder);
