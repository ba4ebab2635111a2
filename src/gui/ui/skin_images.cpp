#include "ui/skin_images.h"

#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>

Q_LOGGING_CATEGORY(lcSkin, "gaming-mouse.skin")

QPixmap skinPixmap(const QString &name)
{
    static QHash<QString, QPixmap> cache;
    static QSet<QString> reported;
    const auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    // A display of more than single density takes the picture drawn at
    // twice the size, where there is one; Qt then draws it at its size in
    // the window's units, with every pixel of the screen.
    QPixmap pixmap;
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        pixmap.load(QStringLiteral(":/skin/%1@2x.png").arg(name));
        pixmap.setDevicePixelRatio(2.0);
    }
    if (pixmap.isNull())
        pixmap.load(skinPicturePath(name));
    if (pixmap.isNull() && !reported.contains(name)) {
        reported.insert(name);
        qCWarning(lcSkin) << "no skin picture" << name;
    }
    cache.insert(name, pixmap);
    return pixmap;
}

QString skinPicturePath(const QString &name)
{
    return QStringLiteral(":/skin/%1.png").arg(name);
}

QString pagePictureName(int language, int page)
{
    return QStringLiteral("L%1_Back%2").arg(language).arg(page);
}

QString backgroundPictureName(int language)
{
    return QStringLiteral("L%1_BackGround").arg(language);
}
