#pragma once

#include "device/command_protocol.h"
#include "device/hid_backend.h"

#include <QByteArray>

#include <array>
#include <span>

struct SimulatedMouseConfig
{
    quint16 vendorId = 0x1209; // the ids the default image carries
    quint16 productId = 0x0001;
    quint8 chipByte = 0xA0;          // 0x50 family A; 0xA0, 0xA5, 0xAA family B
    quint8 layoutByte = 58;          // identify reply byte 3: 29 or 58
    quint8 modeRegister = 0;         // register 0x90E4
    quint8 flashTypeRegister = 0xC8; // register 0x0008: 0xC8 = 64, 0x9D = 32
    quint8 register90E7 = 0xAF;
    bool combinedInterface = false; // one interface takes both reports
    int featureReportLength = 8;
};

// One simulated mouse's firmware: the registers, the identify reply, 64 KB of
// memory with the device memory map, region erase and the reload commands.
// Family-B memory behaves as flash: a write only clears bits, so a missing
// erase shows.
class SimulatedFirmware
{
public:
    static constexpr int kMemorySize = 65536;

    explicit SimulatedFirmware(const SimulatedMouseConfig &config);

    SimulatedMouseConfig &config() { return m_config; }
    const SimulatedMouseConfig &config() const { return m_config; }

    // A command report (0x40), a data report (0x41) sent to the mouse, and
    // the data report it gives back.
    void command(const HidReport &report);
    void dataWrite(const HidReport &report);
    void dataRead(HidReport &report);
    // Forgets a command half done, as a mouse that lost its power.
    void dropPending() { m_pending = Pending::None; }

    // Memory: exactly 65536 bytes.
    std::span<quint8> memory() { return m_memory; }
    QByteArray memoryBytes() const;
    bool setMemory(const QByteArray &bytes);
    // A 34048-byte configuration image placed at the device memory map.
    bool placeImage(const QByteArray &image);
    QByteArray readBytes(quint16 address, int length) const;
    void writeBytes(quint16 address, const QByteArray &bytes);

    int reloadCount() const { return m_reloads; }
    int reportRateReloadCount() const { return m_reportRateReloads; }
    int eraseCount() const { return m_erases; }

private:
    enum class Pending
    {
        None,
        Reply,
        Read,
        Write
    };

    quint16 target(quint32 offset) const;
    void advance(quint32 take);

    SimulatedMouseConfig m_config;
    std::array<quint8, kMemorySize> m_memory;
    int m_reloads = 0;
    int m_reportRateReloads = 0;
    int m_erases = 0;
    bool m_reportRateStep1 = false;

    Pending m_pending = Pending::None;
    std::array<quint8, kChunkSize> m_reply{};
    bool m_eightBit = false;
    quint16 m_address = 0;
    quint32 m_remaining = 0;
};
