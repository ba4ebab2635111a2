#include "install_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestInstallPaths : public QObject
{
    Q_OBJECT

private slots:
    void userGuideIsFoundFromWhereTheProgramRuns()
    {
        QTemporaryDir prefix;
        QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")) &&
                root.mkpath(QStringLiteral("share/gaming-mouse")));
        const QString bin = root.filePath(QStringLiteral("bin"));
        const QString guide = root.filePath(QStringLiteral("share/gaming-mouse/user-guide.html"));
        QVERIFY(QFile(guide).open(QIODevice::WriteOnly));
        // Installed under any prefix: the copy next to the program wins.
        QCOMPARE(userGuidePath(bin), guide);

        // From the build folder (or with the copy gone) the installed or the
        // source tree's guide is found instead, never a folder of that name.
        QVERIFY(QFile::remove(guide) &&
                root.mkpath(QStringLiteral("share/gaming-mouse/user-guide.html")));
        const QString fallback = userGuidePath(bin);
        QVERIFY2(fallback != guide && QFileInfo(fallback).isFile(), qPrintable(fallback));
        QVERIFY(fallback.endsWith(QLatin1String("/user-guide.html")));
    }
};

QTEST_GUILESS_MAIN(TestInstallPaths)
#include "test_install_paths.moc"
