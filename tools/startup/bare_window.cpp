// The yardstick of the start-up benchmark: a bare 800 x 600 Qt window that
// measures its first mapped and painted frame as gaming-mouse does.
#include "app/startup_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    new StartupProbe(&window);
    window.show();
    return QApplication::exec();
}
