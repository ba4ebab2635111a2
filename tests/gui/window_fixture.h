#pragma once

#include "app/main_window.h"
#include "device/simulated_mouse.h"

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

// Chooses `path` in the next file dialog that opens.
void chooseInNextFileDialog(const QString &path);

// What a message box showed before the test's closer pressed its button.
struct SeenMessage
{
    QString text;
    QString title;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString buttonText;
};

// Presses the button of every message box that opens while it lives and
// keeps what each showed; the modal boxes would otherwise stop the test.
class MessageCloser : public QObject
{
public:
    MessageCloser();
    QList<SeenMessage> seen;
    // Close boxes with the Return key sent through the application, as a
    // user would, instead of a click; a box the key leaves open is counted
    // and then clicked after all, so the test goes on.
    bool closeWithReturn = false;
    int keysIgnored = 0;
    // Runs while a box is open, before it is closed.
    std::function<void()> whileOpen;
    // The caption of the button to press when a box has one; else the first.
    QString press;

private:
    void closeOpenBoxes();
    QTimer m_poll;
};

// The whole window on a simulated mouse with an instant clock: nothing
// waits, the device link runs as in the program.
struct WindowFixture
{
    // `kind` as the program's --simulate: a58, b58, a42, b42.
    explicit WindowFixture(const QString &kind = QStringLiteral("b58"), bool plugged = true);
    ~WindowFixture();

    template <typename T = QWidget> T *get(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no element %s", qPrintable(name));
        return found;
    }
    bool shown(const QString &name) const { return get(name)->isVisibleTo(window.get()); }
    QString pictureOf(const QString &name) const;

    ManualClock clock;
    SimulatedMouse mouse;
    MessageCloser messages;
    std::unique_ptr<CoreSession> session;
    std::unique_ptr<MainWindow> window;
};

SimulatedMouseConfig simulatedKind(const QString &kind);

// The default image of a family-B, layout-58 mouse changed to start in the
// Switch profile while no Main button carries the switch function: a read
// of it names a profile whose tab a click cannot open.
QByteArray switchProfileImageWithoutSwitchKey();
