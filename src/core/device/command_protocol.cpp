#include "device/command_protocol.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr quint8 kFiller = 0xFF; // erased-flash value; the mouse takes the length from the command
} // namespace

CommandProtocol::CommandProtocol(HidTransport &transport, AppState &state)
    : m_transport(transport), m_state(state)
{
    m_receive.fill(0xFF);
}

bool CommandProtocol::SendCommand(quint8 code, quint8 p2, quint8 p3, quint8 p4, quint8 p5)
{
    if (m_state.CommandHandle == kInvalidHandle) {
        ++m_failedReports;
        return false;
    }
    m_transport.ReportBuffer() = {kCommandReportId, code, p2, p3, p4, p5, 0, 0};
    const bool ok = m_transport.SetFeatureReport(m_state.CommandHandle);
    if (!ok)
        ++m_failedReports;
    return ok;
}

bool CommandProtocol::SendData(const quint8 *sevenBytes)
{
    if (m_state.DataHandle == kInvalidHandle) {
        ++m_failedReports;
        return false;
    }
    HidReport &report = m_transport.ReportBuffer();
    report[0] = kDataReportId;
    std::memcpy(report.data() + 1, sevenBytes, kChunkSize);
    const bool ok = m_transport.SetFeatureReport(m_state.DataHandle);
    if (!ok)
        ++m_failedReports;
    return ok;
}

void CommandProtocol::ReceiveData()
{
    m_receive.fill(0xFF);
    if (m_state.DataHandle == kInvalidHandle) {
        ++m_failedReports;
        return;
    }
    HidReport &report = m_transport.ReportBuffer();
    report = {kDataReportId, 0, 0, 0, 0, 0, 0, 0};
    if (m_transport.GetFeatureReport(m_state.DataHandle))
        std::memcpy(m_receive.data(), report.data() + 1, kChunkSize);
    else
        ++m_failedReports;
}

bool CommandProtocol::readMemory(quint8 command, quint32 address, quint32 length,
                                 std::span<quint8> buffer, bool quiet)
{
    const size_t usable = std::min<size_t>(length, buffer.size());
    std::fill_n(buffer.begin(), usable, quint8(0xFF));
    if (length > kMaxTransferLength || length > buffer.size())
        return false;
    const quint8 high = command == DeviceCommand::ReadMemory8 ? 0 : quint8(address >> 8);
    if (!SendCommand(command, high, quint8(address), quint8(length >> 8), quint8(length)))
        return false;
    const int chunks = dataReportCount(length);
    for (int k = 0; k < chunks; ++k) {
        if (!quiet && m_progress)
            m_progress(k, chunks);
        ReceiveData();
        const quint32 offset = quint32(k) * kChunkSize;
        const quint32 take = std::min<quint32>(kChunkSize, length - offset);
        std::memcpy(buffer.data() + offset, m_receive.data(), take);
    }
    return true;
}

bool CommandProtocol::writeMemory(quint8 command, quint32 address, quint32 length,
                                  std::span<const quint8> buffer)
{
    if (length > kMaxTransferLength || length > buffer.size())
        return false;
    const quint8 high = command == DeviceCommand::WriteMemory8 ? 0 : quint8(address >> 8);
    if (!SendCommand(command, high, quint8(address), quint8(length >> 8), quint8(length)))
        return false;
    const int chunks = dataReportCount(length);
    quint8 chunk[kChunkSize];
    for (int k = 0; k < chunks; ++k) {
        if (m_progress)
            m_progress(k, chunks);
        const quint32 offset = quint32(k) * kChunkSize;
        const quint32 take = std::min<quint32>(kChunkSize, length - offset);
        std::memcpy(chunk, buffer.data() + offset, take);
        std::fill(chunk + take, chunk + kChunkSize, kFiller);
        SendData(chunk);
    }
    return true;
}

bool CommandProtocol::ReadMemory8(quint32 address, quint32 length, std::span<quint8> buffer)
{
    return readMemory(DeviceCommand::ReadMemory8, address, length, buffer, false);
}

bool CommandProtocol::ReadMemory8Quiet(quint32 address, quint32 length, std::span<quint8> buffer)
{
    return readMemory(DeviceCommand::ReadMemory8, address, length, buffer, true);
}

bool CommandProtocol::WriteMemory8(quint32 address, quint32 length, std::span<const quint8> buffer)
{
    return writeMemory(DeviceCommand::WriteMemory8, address, length, buffer);
}

bool CommandProtocol::ReadMemory16(quint32 address, quint32 length, std::span<quint8> buffer)
{
    return readMemory(DeviceCommand::ReadMemory16, address, length, buffer, false);
}

bool CommandProtocol::ReadMemory16Quiet(quint32 address, quint32 length, std::span<quint8> buffer)
{
    return readMemory(DeviceCommand::ReadMemory16, address, length, buffer, true);
}

bool CommandProtocol::WriteMemory16(quint32 address, quint32 length, std::span<const quint8> buffer)
{
    return writeMemory(DeviceCommand::WriteMemory16, address, length, buffer);
}

bool CommandProtocol::ReadMemory(quint32 address, quint32 length, std::span<quint8> buffer)
{
    switch (m_state.ReadMemory) {
    case AppState::Routines::FamilyA:
        return ReadMemory8(address, length, buffer);
    case AppState::Routines::FamilyB:
        return ReadMemory16(address, length, buffer);
    case AppState::Routines::None:
        break;
    }
    std::fill_n(buffer.begin(), std::min<size_t>(length, buffer.size()), quint8(0xFF));
    return false;
}

bool CommandProtocol::WriteMemory(quint32 address, quint32 length, std::span<const quint8> buffer)
{
    switch (m_state.WriteMemory) {
    case AppState::Routines::FamilyA:
        return WriteMemory8(address, length, buffer);
    case AppState::Routines::FamilyB:
        return WriteMemory16(address, length, buffer);
    case AppState::Routines::None:
        break;
    }
    return false;
}

std::optional<quint8> CommandProtocol::readRegister(quint16 reg)
{
    if (!SendCommand(DeviceCommand::ReadRegister, quint8(reg >> 8), quint8(reg), 0, 0))
        return std::nullopt;
    ReceiveData();
    return m_receive[0];
}

std::optional<IdentifyReply> CommandProtocol::identify()
{
    if (!SendCommand(DeviceCommand::Identify, 0, 0, 0, 0))
        return std::nullopt;
    ReceiveData();
    return IdentifyReply{m_receive[3], m_receive[5]};
}

bool CommandProtocol::erase(quint8 region)
{
    return SendCommand(DeviceCommand::EraseRegion, region, 0, 0, 0);
}

void CommandProtocol::eraseConfigurationRegions()
{
    for (int region = 0x60; region <= 0xF0; region += 0x10)
        erase(quint8(region));
}

void CommandProtocol::reloadSystem()
{
    if (!m_state.ReportRateChanged) {
        SendCommand(DeviceCommand::Reload, 0, 0, 0, 0);
        return;
    }
    SendCommand(DeviceCommand::ReportRateReload1, 0, 1, 0, 0);
    SendCommand(DeviceCommand::ReportRateReload2, 0, 0, 0, 0);
    m_state.ReportRateChanged = false;
}
