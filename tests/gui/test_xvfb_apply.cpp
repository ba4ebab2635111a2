// The real program under a virtual X server, driven as a user would: the
// window finds the simulated mouse, a click at Apply's place in the layout
// writes it, and the write shows in the simulated memory the program saves.
// A message box raised inside the read takes the keys the transfer keeps
// from the main window.
#include "window_fixture.h"

#include "device/simulated_mouse.h"
#include "image/default_image.h"
#include "image/image_layout.h"
#include "ui/language.h"
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

quint8 memoryByte(const QString &memoryFile, quint16 address)
{
    QFile file(memoryFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    return bytes.size() == SimulatedMouse::kMemorySize ? quint8(bytes.at(address)) : 0;
}

quint8 lastBlockByte(const QString &memoryFile)
{
    return memoryByte(memoryFile, kLastBlockByte);
}

// A simulated mouse holding `image`, its last parameter byte differing from
// what a write leaves there, saved where the program will find it.
bool saveMemory(const QString &memory, const QByteArray &image)
{
    SimulatedMouse mouse;
    if (!mouse.placeImage(image))
        return false;
    mouse.writeBytes(kLastBlockByte, QByteArray(1, '\0'));
    return mouse.saveMemoryFile(memory);
}

// A private X server and the program on it, over a simulated memory file.
class ProgramOnXvfb
{
public:
    ProgramOnXvfb() = default;
    ~ProgramOnXvfb()
    {
        m_program.terminate();
        m_program.waitForFinished(5000);
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

    // Empty when it started; otherwise why not.
    QString start(const QString &memory, const QString &folder)
    {
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        int number = 90 + int(getpid() % 100);
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            ++number;
        m_display = QStringLiteral(":%1").arg(number);
        m_server.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                       {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        if (!m_server.waitForStarted())
            return QStringLiteral("Xvfb did not start");
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) &&
               !deadline.hasExpired())
            QTest::qWait(50);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
        // Apply stores the desktop's mouse settings: into the test's own folder.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder);
        env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
        // libxkbcommon-x11 copies the X server's fixed-length keymap names
        // with strndup, which a strict sanitizer string check takes for an
        // overread; the rest of the sanitizer options stay as the suite set them.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) +
                           QStringLiteral(":strict_string_checks=0"));
        m_program.setProcessEnvironment(env);
        m_program.start(QStringLiteral(GM_GUI_PATH),
                        {QStringLiteral("--simulate"), QStringLiteral("b58"),
                         QStringLiteral("--sim-state"), memory});
        if (!m_program.waitForStarted())
            return QStringLiteral("the program did not start");
        // A sanitizer build on a busy machine takes its time to map the window.
        m_window = findWindow(QStringLiteral("^Gaming Mouse v1.0$"), 60000);
        if (m_window.isEmpty())
            return QStringLiteral("the window did not appear; the program said:\n") +
                   QString::fromLocal8Bit(m_program.readAllStandardError().right(4000));
        return {};
    }

    // The first visible window whose name matches, waiting up to `timeoutMs`.
    QString findWindow(const QString &namePattern, int timeoutMs)
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                        QStringLiteral("--onlyvisible"), QStringLiteral("--name"), namePattern},
                       timeoutMs)
            .split(QLatin1Char('\n'))
            .value(0);
    }
    // Whether a visible window of that name is there now.
    bool windowShown(const QString &namePattern)
    {
        return !xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--name"), namePattern})
                    .isEmpty();
    }
    // A left click at a point of the main window's client area.
    void clickAt(QPoint point)
    {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_window,
                 QString::number(point.x()), QString::number(point.y()), QStringLiteral("click"),
                 QStringLiteral("1")});
    }
    void key(const QString &name) { xdotool({QStringLiteral("key"), name}); }
    QString xdotool(const QStringList &arguments, int timeoutMs = 10000)
    {
        return run(m_xdotool, arguments, m_display, timeoutMs);
    }

private:
    QProcess m_server;
    QProcess m_program;
    QString m_display;
    QString m_xdotool;
    QString m_window;
};

bool toolsPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

// Apply's picture is 72 x 30 where the language-1 layout puts it.
QPoint applyPoint()
{
    const std::optional<LayoutToggle> apply = openPageLayout(1).toggle(QStringLiteral("Btn_A2"));
    return apply && apply->shown && apply->position ? *apply->position + QPoint(33, 15) : QPoint();
}
} // namespace

class TestXvfbApply : public QObject
{
    Q_OBJECT
private slots:
    void applyClickedWithXdotoolWritesTheMouse();
    void aBoxRaisedInsideTheReadTakesItsKeys();
};

void TestXvfbApply::applyClickedWithXdotoolWritesTheMouse()
{
    if (!toolsPresent())
        QSKIP("needs Xvfb and xdotool (apt-get install xvfb xdotool)");
    QTemporaryDir dir;
    const QString memory = dir.filePath(QStringLiteral("mouse.bin"));
    ImageBuffers image;
    QVERIFY(readDefaultImage(image));
    QVERIFY(saveMemory(memory, joinImage(image)));
    ProgramOnXvfb x;
    const QString failure = x.start(memory, dir.path());
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));

    const QPoint target = applyPoint();
    QVERIFY(!target.isNull());
    // The first tick comes 3.5 s after start and waits 2 s before it
    // searches; a click before the mouse is read only brings the "not
    // found" message, which Return closes before the next try.
    bool written = false;
    for (int attempt = 0; attempt < 6 && !written; ++attempt) {
        QTest::qWait(attempt == 0 ? 6500 : 1500);
        x.clickAt(target);
        QTest::qWait(1500);
        written = lastBlockByte(memory) == 0xFF;
        if (!written)
            x.key(QStringLiteral("Return"));
    }
    QVERIFY2(written, "no write reached the simulated mouse");
}

// The mouse starts in the Switch profile while no Main button has the switch
// function: the read raises the notice with the busy window still up. Return
// closes it, the window answers Apply again, and what Apply writes is the
// Switch profile, the tab the read selected.
void TestXvfbApply::aBoxRaisedInsideTheReadTakesItsKeys()
{
    if (!toolsPresent())
        QSKIP("needs Xvfb and xdotool (apt-get install xvfb xdotool)");
    QTemporaryDir dir;
    const QString memory = dir.filePath(QStringLiteral("mouse.bin"));
    QVERIFY(saveMemory(memory, switchProfileImageWithoutSwitchKey()));
    constexpr quint16 kProfileByte = 0x6000 + kParameterBOffset + 2;
    QCOMPARE(memoryByte(memory, kProfileByte), quint8(1));
    ProgramOnXvfb x;
    const QString failure = x.start(memory, dir.path());
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));

    const QString title =
        QLatin1Char('^') + LanguageText(OpenLanguage(1), u"Title") + QLatin1Char('$');
    const QString box = x.findWindow(title, 30000);
    QVERIFY2(!box.isEmpty(), "the notice did not appear");
    x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), box});
    x.key(QStringLiteral("Return"));
    QTRY_VERIFY_WITH_TIMEOUT(!x.windowShown(title), 10000);

    const QPoint target = applyPoint();
    QVERIFY(!target.isNull());
    bool written = false;
    for (int attempt = 0; attempt < 4 && !written; ++attempt) {
        x.clickAt(target);
        QTest::qWait(1500);
        written = lastBlockByte(memory) == 0xFF;
    }
    QVERIFY2(written, "the window did not answer Apply after the notice");
    QCOMPARE(memoryByte(memory, kProfileByte), quint8(1));
}

QTEST_MAIN(TestXvfbApply)
#include "test_xvfb_apply.moc"
