#include "app/single_instance.h"

#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartAsksTheFirstToComeForward();
    void socketLeftByADeadProgramIsTakenOver();
    void defaultNameIsPerUser();
};

void TestSingleInstance::secondStartAsksTheFirstToComeForward()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("guard"));
    SingleInstance first(name);
    QVERIFY(first.claim());
    QSignalSpy activated(&first, &SingleInstance::activationRequested);
    // The second start runs in its own thread here, as it would in its own
    // process, so the first can answer meanwhile.
    bool secondClaimed = true;
    QThread *second = QThread::create([&] {
        SingleInstance other(name);
        secondClaimed = other.claim();
    });
    second->start();
    QTRY_VERIFY(second->isFinished());
    delete second;
    QVERIFY(!secondClaimed);
    QTRY_COMPARE(activated.size(), 1);
}

void TestSingleInstance::socketLeftByADeadProgramIsTakenOver()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("guard"));
    {
        // A socket file nobody listens on any more.
        QLocalServer dead;
        QVERIFY(dead.listen(name));
        dead.setMaxPendingConnections(0);
        dead.close();
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance instance(name);
    QVERIFY(instance.claim());
}

void TestSingleInstance::defaultNameIsPerUser()
{
    const QString name = SingleInstance::defaultName();
    QVERIFY(name.contains(QString::number(getuid())));
    QVERIFY(QDir::isAbsolutePath(name));
}

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
