#include <QApplication>
#include <QLabel>

// Placeholder until the main window lands: shows that the window program
// builds and starts.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gaming-mouse"));
    QLabel window(QStringLiteral("Gaming Mouse"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
