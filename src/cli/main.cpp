#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gaming-mousectl"));
    QTextStream(stdout) << "gaming-mousectl: nothing to do yet\n";
    return 0;
}
