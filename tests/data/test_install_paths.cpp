#include "install_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestInstallPaths : public QObject
{
    Q_OBJECT

private slots:
    void guideNextToTheProgramWinsWhereverItIsInstalled()
    {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")));
        QVERIFY(root.mkpath(QStringLiteral("share/gaming-mouse")));
        const QString guide = root.filePath(QStringLiteral("share/gaming-mouse/user-guide.html"));
        QFile file(guide);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QCOMPARE(userGuidePath(root.filePath(QStringLiteral("bin"))), guide);
        // A folder named like the guide is not the guide.
        QVERIFY(QFile::remove(guide));
        QVERIFY(root.mkpath(QStringLiteral("share/gaming-mouse/user-guide.html")));
        QVERIFY(userGuidePath(root.filePath(QStringLiteral("bin"))) != guide);
    }

    void programInItsBuildFolderFindsTheGuideSomewhere()
    {
        // Installed on this machine or not, the source tree's copy is there.
        for (const QString &dir : {QString(), QStringLiteral("/nonexistent/bin")}) {
            const QString guide = userGuidePath(dir);
            QVERIFY2(guide.endsWith(QLatin1String("/user-guide.html")), qPrintable(guide));
            QVERIFY(QFileInfo(guide).isFile());
        }
    }
};

QTEST_GUILESS_MAIN(TestInstallPaths)
#include "test_install_paths.moc"
