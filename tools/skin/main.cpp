// Draws every picture of the skin. Run by hand or through the build's "skin"
// target after changing a drawing or a layout:
//   make_skin <picture folder> <icon theme folder>
// writes <picture folder>/<name>.png for every picture and the application
// icon as <icon theme folder>/<N>x<N>/apps/gaming-mouse.png.
#include "skin_pictures.h"
#include "skin_style.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Quality 0 asks the PNG writer for its strongest compression.
    if (image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG", 0))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: make_skin <picture folder> <icon theme folder>\n";
        return 2;
    }
    const QDir pictures(args.at(1));
    const QDir icons(args.at(2));

    bool ok = true;
    int written = 0;
    // Every picture once as the window uses it and once at twice the size,
    // "<name>@2x.png", which the window takes on a display of double density.
    for (int scale : {1, 2}) {
        skin::setDrawingScale(scale);
        Pictures out;
        addControlPictures(out);
        for (int language = 1; language <= 3; ++language)
            addLanguagePictures(out, language);
        addDialogPictures(out);
        addBusyFrames(out);
        const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
        for (auto it = out.begin(); it != out.end(); ++it) {
            // The shaped pictures set their see-through pixels on purpose; on
            // every other one that colour would punch a hole into the window.
            if (!it.key().contains(QLatin1String("BackGround")) &&
                !it.key().endsWith(QLatin1String("Back")))
                skin::avoidWindowKey(it.value());
            ok = save(it.value(), pictures.filePath(it.key() + suffix)) && ok;
            ++written;
        }
    }
    // The icon is drawn at each of its sizes instead.
    skin::setDrawingScale(1);
    QImage icon = drawAppIcon(256);
    skin::avoidWindowKey(icon);
    ok = save(icon, pictures.filePath(QStringLiteral("app-icon.png"))) && ok;
    ++written;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            icons.filePath(QStringLiteral("%1x%1/apps/gaming-mouse.png").arg(size));
        ok = save(drawAppIcon(size), path) && ok;
    }
    QTextStream(stdout) << written << " pictures and 7 icons written\n";
    return ok ? 0 : 1;
}
