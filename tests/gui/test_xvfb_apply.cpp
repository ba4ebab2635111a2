// The real program under a virtual X server, driven as a user would: the
// window finds the simulated mouse, a click at Apply's place in the layout
// writes it, and the write shows in the simulated memory the program saves.
#include "device/simulated_mouse.h"
#include "image/default_image.h"
#include "ui/layout.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
constexpr quint16 kLastBlockByte = 0x60FF; // a write-all always leaves it 0xFF

QString run(const QString &program, const QStringList &arguments, const QString &display,
            int timeoutMs = 10000)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

quint8 lastBlockByte(const QString &memoryFile)
{
    QFile file(memoryFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    return bytes.size() == SimulatedMouse::kMemorySize ? quint8(bytes.at(kLastBlockByte)) : 0;
}
} // namespace

class TestXvfbApply : public QObject
{
    Q_OBJECT
private slots:
    void applyClickedWithXdotoolWritesTheMouse();
};

void TestXvfbApply::applyClickedWithXdotoolWritesTheMouse()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty())
        QSKIP("needs Xvfb and xdotool (apt-get install xvfb xdotool)");

    QTemporaryDir dir;
    // A simulated mouse whose last parameter byte differs from what a write
    // leaves there.
    const QString memory = dir.filePath(QStringLiteral("mouse.bin"));
    {
        SimulatedMouse mouse;
        ImageBuffers image;
        QVERIFY(readDefaultImage(image));
        QVERIFY(mouse.placeImage(joinImage(image)));
        mouse.writeBytes(kLastBlockByte, QByteArray(1, '\0'));
        QVERIFY(mouse.saveMemoryFile(memory));
    }

    int number = 90 + int(getpid() % 100);
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
        ++number;
    const QString display = QStringLiteral(":%1").arg(number);
    QProcess server;
    server.start(xvfb, {display, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
    QVERIFY(server.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)),
                             10000);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    // Apply stores the desktop's mouse settings: into the test's own folder.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    // libxkbcommon-x11 copies the X server's fixed-length keymap names with
    // strndup, which a strict sanitizer string check takes for an overread;
    // the rest of the sanitizer options stay as the suite set them.
    if (env.contains(QStringLiteral("ASAN_OPTIONS")))
        env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) +
                                                       QStringLiteral(":strict_string_checks=0"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(GM_GUI_PATH), {QStringLiteral("--simulate"), QStringLiteral("b58"),
                                                QStringLiteral("--sim-state"), memory});
    QVERIFY(program.waitForStarted());

    const QString window =
        run(xdotool,
            {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--name"), QStringLiteral("^Gaming Mouse v1.0$")},
            // A sanitizer build on a busy machine takes its time to map the window.
            display, 60000)
            .split(QLatin1Char('\n'))
            .value(0);
    if (window.isEmpty())
        QFAIL(qPrintable(QStringLiteral("the window did not appear; the program said:\n") +
                         QString::fromLocal8Bit(program.readAllStandardError().right(4000))));

    // Apply's picture is 66 x 30 where the layout puts it.
    const std::optional<LayoutToggle> apply = openPageLayout(1).toggle(QStringLiteral("Btn_A2"));
    QVERIFY(apply && apply->shown && apply->position);
    const QPoint target = *apply->position + QPoint(33, 15);
    // The first tick comes 3.5 s after start and waits 2 s before it
    // searches; a click before the mouse is read only brings the "not
    // found" message, which Return closes before the next try.
    bool written = false;
    for (int attempt = 0; attempt < 6 && !written; ++attempt) {
        QTest::qWait(attempt == 0 ? 6500 : 1500);
        run(xdotool,
            {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
             QString::number(target.x()), QString::number(target.y()), QStringLiteral("click"),
             QStringLiteral("1")},
            display);
        QTest::qWait(1500);
        written = lastBlockByte(memory) == 0xFF;
        if (!written)
            run(xdotool, {QStringLiteral("key"), QStringLiteral("Return")}, display);
    }
    program.terminate();
    program.waitForFinished(5000);
    server.terminate();
    server.waitForFinished(5000);
    QVERIFY2(written, "no write reached the simulated mouse");
}

QTEST_MAIN(TestXvfbApply)
#include "test_xvfb_apply.moc"
