#pragma once

#include "device/command_protocol.h"
#include "device/device_clock.h"
#include "device/device_observer.h"
#include "device/mouse_system_settings.h"
#include "image/configuration.h"

#include <array>
#include <functional>

// Moves the whole configuration between the mouse and the working buffers:
// the read-all after every identification and the three write actions.
//
// Unlike the bare protocol, the transfers do not let failed reports pass:
// a read-all whose parameter block came back incomplete leaves the window as
// it was, and a write-all or reset that lost reports says how many.
class ConfigurationTransfer
{
public:
    ConfigurationTransfer(Configuration &config, CommandProtocol &protocol, DeviceClock &clock);

    void setObserver(DeviceObserver *observer) { m_observer = observer ? observer : &m_silent; }
    // May be null: the desktop settings are then neither shown nor applied.
    void setMouseSystemSettings(MouseSystemSettings *settings) { m_systemSettings = settings; }
    // Takes the macro names of the macro page into MacroNameTable before a
    // family-B write.
    std::function<void()> UIToMacroName;

    // Read-all. True when the mouse's parameter block was read completely
    // and is shown; a family-B area that could not be read keeps its old
    // content and is reported, but still counts as read.
    bool Btn_Read();
    void ShowDevicePages();

    void Btn_ConfirmClick();
    void Btn_ApplyClick();
    void Btn_ResetClick();

    // Write-all and reset; true only when every report was accepted.
    bool DownloadParameter();
    bool DefaultParameter();

    bool busy() const { return m_busy; }
    // Reports lost by the last transfer (0 after a clean one).
    quint32 lastFailedReports() const { return m_lastFailed; }
    // False when the last read-all left some of the mouse's data unread.
    bool lastReadComplete() const { return m_lastReadComplete; }

    static constexpr int kPressedSteps = 11;
    static constexpr int kPressedStepMs = 10;

private:
    class BusyScope;
    enum class WriteKind
    {
        Confirm,
        Apply,
        Reset
    };

    void writeAction(WriteKind kind);
    bool deviceReady() const;
    void pressedPause();
    // Piece by piece through StagingBuffer, results ignored (counted).
    void writeMacroArea(const QByteArray &nameTable, const QByteArray &macroBlocks);
    void writeShortSections();
    bool readInto(quint32 address, std::span<quint8> scratch);
    void reportWriteFailure();
    QString text(const QString &key, quint32 count) const;

    Configuration &m_config;
    AppState &m_state;
    CommandProtocol &m_protocol;
    DeviceClock &m_clock;
    DeviceObserver m_silent;
    DeviceObserver *m_observer = &m_silent;
    MouseSystemSettings *m_systemSettings = nullptr;
    std::array<quint8, 256> StagingBuffer{};
    std::array<quint8, 1024> m_scratch{};
    bool m_busy = false;
    quint32 m_lastFailed = 0;
    bool m_lastReadComplete = true;
};
