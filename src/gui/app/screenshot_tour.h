#pragma once

#include <QString>

class SimulatedMouse;
class TForm1;

// Renders the window into PNG files in `folder` (created when missing): every
// page in language 1, the Main page in languages 2 and 3, the no-device state
// and the busy window over the main window. Needs a simulated mouse, which
// it connects and at the end unplugs. False when a file could not be written.
bool renderScreenshots(TForm1 &window, SimulatedMouse *mouse, const QString &folder);
