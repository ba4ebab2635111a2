#include "ui/skin_images.h"

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
    QPixmap pixmap(QStringLiteral(":/skin/%1.png").arg(name));
    if (pixmap.isNull() && !reported.contains(name)) {
        reported.insert(name);
        qCWarning(lcSkin) << "no skin picture" << name;
    }
    cache.insert(name, pixmap);
    return pixmap;
}

QString pagePictureName(int language, int page)
{
    return QStringLiteral("L%1_Back%2").arg(language).arg(page);
}

QString backgroundPictureName(int language)
{
    return QStringLiteral("L%1_BackGround").arg(language);
}
