#pragma once

#include "records/app_state.h"
#include "device/hid_transport.h"

#include <array>
#include <functional>
#include <optional>
#include <span>

// Called once per 7-byte chunk of a memory transfer that keeps the busy
// window alive (every routine except the two quiet reads).
using ChunkProgress = std::function<void(int chunk, int chunkCount)>;

struct IdentifyReply
{
    quint8 layoutByte = 0xFF; // 29 or 58
    quint8 chipByte = 0xFF;   // 0x50, 0xA0, 0xA5 or 0xAA
};

namespace DeviceCommand {
inline constexpr quint8 ReportRateReload1 = 0x03;
inline constexpr quint8 ReadRegister = 0x04;
inline constexpr quint8 WriteMemory8 = 0x09;
inline constexpr quint8 ReadMemory8 = 0x0B;
inline constexpr quint8 ReadMemory16 = 0x0E;
inline constexpr quint8 EraseRegion = 0x11;
inline constexpr quint8 WriteMemory16 = 0x12;
inline constexpr quint8 Identify = 0x16;
inline constexpr quint8 ReportRateReload2 = 0x18;
inline constexpr quint8 Reload = 0x19;
} // namespace DeviceCommand

inline constexpr quint8 kCommandReportId = 0x40;
inline constexpr quint8 kDataReportId = 0x41;
inline constexpr int kChunkSize = 7;
inline constexpr quint32 kMaxTransferLength = 0xFFFF;

// The data reports a memory routine moves for `length` bytes.
constexpr int dataReportCount(quint32 length)
{
    return int((length + kChunkSize - 1) / kChunkSize);
}

// The command report on CommandHandle and the data reports on DataHandle.
// A read command is followed by as many data reads as the length needs, a
// write command by as many data writes; the mouse acknowledges nothing.
class CommandProtocol
{
public:
    CommandProtocol(HidTransport &transport, AppState &state);

    bool SendCommand(quint8 code, quint8 p2, quint8 p3, quint8 p4, quint8 p5);
    bool SendData(const quint8 *sevenBytes);
    // Leaves seven 0xFF bytes in ReceiveBuffer when nothing could be read.
    void ReceiveData();
    const std::array<quint8, kChunkSize> &ReceiveBuffer() const { return m_receive; }

    // Memory routines. `length` bytes of `buffer` are used; a length beyond
    // the buffer or beyond one transfer (65535) fails before anything is
    // sent. Reads pre-fill the destination with 0xFF, so failed data reports
    // leave 0xFF; failed reports never stop a transfer but are counted
    // (failedReports()).
    bool ReadMemory8(quint32 address, quint32 length, std::span<quint8> buffer);
    bool ReadMemory8Quiet(quint32 address, quint32 length, std::span<quint8> buffer);
    bool WriteMemory8(quint32 address, quint32 length, std::span<const quint8> buffer);
    bool ReadMemory16(quint32 address, quint32 length, std::span<quint8> buffer);
    bool ReadMemory16Quiet(quint32 address, quint32 length, std::span<quint8> buffer);
    bool WriteMemory16(quint32 address, quint32 length, std::span<const quint8> buffer);

    // The pair chosen for the connected chip family (AppState::ReadMemory /
    // WriteMemory); false without sending when none was chosen.
    bool ReadMemory(quint32 address, quint32 length, std::span<quint8> buffer);
    bool WriteMemory(quint32 address, quint32 length, std::span<const quint8> buffer);

    // nullopt when the command was refused; a failed data read gives 0xFF.
    std::optional<quint8> readRegister(quint16 reg);
    std::optional<IdentifyReply> identify();
    bool erase(quint8 region);
    // Regions 0x60 ... 0xF0, the whole configuration area of a family-B mouse.
    void eraseConfigurationRegions();
    // Tells the mouse to take the new parameters; the report-rate variant
    // when ReportRateChanged is set (and clears it).
    void reloadSystem();

    void setChunkProgress(ChunkProgress progress) { m_progress = std::move(progress); }

    // Reports that were refused or could not be read since the last reset
    // (commands and data, also those sent without a valid handle).
    quint32 failedReports() const { return m_failedReports; }
    void resetFailedReports() { m_failedReports = 0; }

private:
    bool readMemory(quint8 command, quint32 address, quint32 length, std::span<quint8> buffer,
                    bool quiet);
    bool writeMemory(quint8 command, quint32 address, quint32 length,
                     std::span<const quint8> buffer);

    HidTransport &m_transport;
    AppState &m_state;
    std::array<quint8, kChunkSize> m_receive{};
    ChunkProgress m_progress;
    quint32 m_failedReports = 0;
};
