#include "install_paths.h"

#include <QDir>
#include <QFileInfo>

// Set for this file by CMakeLists.txt from GNUInstallDirs.
#ifndef GM_BIN_TO_DATA
#define GM_BIN_TO_DATA "../share/gaming-mouse"
#endif
#ifndef GM_INSTALLED_DATA
#define GM_INSTALLED_DATA "/usr/share/gaming-mouse"
#endif
#ifndef GM_SOURCE_DOCS
#define GM_SOURCE_DOCS ""
#endif

namespace {
constexpr char kUserGuide[] = "user-guide.html";
} // namespace

QString userGuidePath(const QString &applicationDir)
{
    QStringList folders;
    if (!applicationDir.isEmpty())
        folders << QDir(applicationDir).filePath(QStringLiteral(GM_BIN_TO_DATA));
    folders << QStringLiteral(GM_INSTALLED_DATA);
    if (!QStringLiteral(GM_SOURCE_DOCS).isEmpty())
        folders << QStringLiteral(GM_SOURCE_DOCS);
    for (const QString &folder : std::as_const(folders)) {
        const QFileInfo guide(QDir(folder).filePath(QLatin1String(kUserGuide)));
        if (guide.isFile())
            return QDir::cleanPath(guide.absoluteFilePath());
    }
    return QString();
}
