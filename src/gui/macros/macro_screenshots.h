#pragma once

#include <QDir>

class TForm1;

// The macro page with a recorded macro ("page-macro-recorded.png") and with
// the insert panel open for recorded keys ("page-macro-insert.png"). The
// macro is recorded into the window's image only; nothing reaches the mouse.
bool renderMacroScreenshots(TForm1 &window, const QDir &folder);
