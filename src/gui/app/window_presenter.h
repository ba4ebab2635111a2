#pragma once

#include "device/device_clock.h"
#include "device/device_observer.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class MainWindow;
class BusyWindow;
class WindowContent;

// The window's presenter of the device link's events: the busy-window
// convention around every transfer (menus closed before a write), the
// no-device page when the mouse is lost or rejected (menus closed, caption
// marquee stopped, pages and macro lists emptied), the pages after a
// read-all, the pressed pictures and their pause, the messages and the close after Confirm.
class WindowPresenter final : public QObject, public DeviceObserver
{
public:
    // The pressed picture of Confirm, Apply or Reset stays this long before
    // the write begins (and before the window closes after Confirm).
    static constexpr int kPressedSteps = 11;
    static constexpr int kPressedStepMs = 10;

    // Messages are worded through `text`, the window's current language.
    WindowPresenter(MainWindow &window, WindowContent &content, BusyWindow &busy,
                    DeviceClock &clock, const TextLookup &text);

    void transferStarted(TransferKind kind, int reportCount) override;
    void transferProgress(int chunk, int chunkCount) override;
    void transferEnded() override;
    void processEvents() override;
    void labelsChanged(const NoDeviceLabels &labels) override;
    void mouseLost(const NoDeviceLabels &page, bool macroListsShown) override;
    void mouseRejected(const NoDeviceLabels &page) override;
    void readCompleted(bool familyA, bool familyB) override;
    void defaultMacrosTaken() override;
    void writeRequested(WriteCommand command) override;
    void showMessage(const DeviceMessage &message) override;
    bool showMessageWithOffer(const DeviceMessage &message) override;
    void confirmFinished() override;

protected:
    // While a transfer runs, keyboard and mouse input to the window is
    // swallowed: the input cover stops clicks on the pictures and labels,
    // this also stops keys and the edit boxes the cover cannot reach. Boxes
    // and dialogs opened meanwhile are not covered.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The pressed picture's pause: the window keeps painting meanwhile.
    void pressedPause();
    bool coversInputOf(QObject *watched) const;

    MainWindow &m_window;
    WindowContent &m_content;
    BusyWindow &m_busy;
    DeviceClock &m_clock;
    const TextLookup &m_text;
    bool m_blocking = false;
    QList<QPointer<QWidget>> m_covered; // the windows open when a transfer began
};
