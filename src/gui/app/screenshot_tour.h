#pragma once

#include <QString>

class SimulatedMouse;
class MainWindow;

// Renders the window into PNG files in `folder` (created when missing): every
// page in language 1, the Main page in languages 2 and 3, the no-device state
// and the busy window over the main window. Needs a simulated mouse, which
// it connects and at the end unplugs. False when a file could not be written,
// or with a line on standard error when the simulated mouse failed (a
// message the window would have shown in a box, which nobody could close).
bool renderScreenshots(MainWindow &window, SimulatedMouse *mouse, const QString &folder);
