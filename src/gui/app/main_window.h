#pragma once

#include "backup/backup_store.h"
#include "device/device_link.h"
#include "configuration/configuration.h"
#include "session/core_session.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class DesktopMouseSettings;
class MacroEditor;
class QSystemTrayIcon;
class BusyWindow;
class WindowContent;
class WindowPresenter;

// The main window: frameless 800 x 600, shaped by its background picture,
// centred on the screen. It is the front end of the run's core session (the
// configuration, the device link, the macro list): it owns the hot-plug
// timer DevTimer and the busy window; the skinned content on its client area
// shows the pages.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static inline const QString kCaption = QStringLiteral("Gaming Mouse v1.0");

    // Builds the content on the client area; the factory lets tests and the
    // program choose it. The session outlives the window.
    using ContentFactory = std::function<WindowContent *(QWidget *client, Configuration &)>;
    MainWindow(CoreSession &session, const ContentFactory &makeContent, QWidget *parent = nullptr);
    ~MainWindow() override;

    CoreSession &session() { return m_session; }
    Configuration &config() { return m_config; }
    DeviceLink &link() { return *m_link; }
    MacroEditor &macros() { return *m_macros; }
    WindowContent &content() { return *m_content; }
    QWidget *clientArea() { return m_client; }
    BusyWindow &busyWindow() { return *m_busy; }
    QTimer &devTimer() { return m_devTimer; }
    QSystemTrayIcon *trayIcon() { return m_tray; }

    // Top-left corner that centres the window on a screen of `screen`
    // pixels; each half truncates toward zero.
    static QPoint centredPosition(QSize screen);

    // --- handlers ------------------------------------------------------------
    void DevTimerTimer();
    // A HID node came or went: the tick runs now rather than at its time.
    void hidDevicesChanged();
    void Btn_ConfirmClick();
    void Btn_ApplyClick();
    void Btn_ResetClick();
    void Btn_ExitClick();
    void Btn_SaveClick();
    void Btn_LoadClick();

    // A message box without icon, with one OK button, titled with the
    // application title. Modal; the text is also kept for lastMessage().
    void showMessage(const QString &text);
    // The same box with a second button captioned `second` after OK; true
    // when that one was pressed.
    bool showMessageWithChoice(const QString &text, const QString &second);
    // "Gaming Mouse" until a language gave its Title.
    QString applicationTitle() const;
    QString lastMessage() const { return m_lastMessage; }
    // Asks the window to close; inside device work the close waits for its end.
    void requestClose();
    // True while the device link runs (a tick, a transfer, a write action).
    bool deviceWorkRunning() const { return m_deviceWork > 0; }

    // Called by the observer around transfers and by the marquee.
    void setTransferRunning(bool running);
    void setMarqueeRunning(bool running);

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    class DeviceWork;

    void FormCreate();
    void placeWindow();
    void connectContent();
    void startSystemMove();
    void updateDevTimer();
    void runWrite(const std::function<void()> &action);

    CoreSession &m_session;
    Configuration &m_config;
    MacroEditor *m_macros;
    DeviceLink *m_link;
    std::unique_ptr<DesktopMouseSettings> m_desktopSettings;
    std::unique_ptr<WindowPresenter> m_observer;
    QWidget *m_client = nullptr;
    WindowContent *m_content = nullptr;
    BusyWindow *m_busy = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QTimer m_devTimer;
    // One retry of a hot-plug event that came while a tick was under way;
    // events that come in a burst share it.
    QTimer m_hotPlugRetry;
    static constexpr int kHotPlugRetryMs = 250;
    QString m_lastMessage;
    // The session's backups: every write saves the mouse's configuration there first.
    BackupStore &m_backups;
    // The folder the Import setting dialog was last accepted in.
    QString m_loadFolder;
    int m_deviceWork = 0;
    bool m_transferRunning = false;
    bool m_marqueeRunning = false;
    bool m_closeRequested = false;
};
