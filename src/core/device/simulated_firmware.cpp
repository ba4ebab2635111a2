#include "device/simulated_firmware.h"

#include "records/image_buffers.h"
#include "records/memory_map.h"

#include <algorithm>

namespace {
bool isFamilyB(quint8 chipByte)
{
    return chipByte == 0xA0 || chipByte == 0xA5 || chipByte == 0xAA;
}
} // namespace

SimulatedFirmware::SimulatedFirmware(const SimulatedMouseConfig &config)
    : m_config(config)
{
    m_memory.fill(0xFF);
}

QByteArray SimulatedFirmware::memoryBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(m_memory.data()), kMemorySize);
}

bool SimulatedFirmware::setMemory(const QByteArray &bytes)
{
    if (bytes.size() != kMemorySize)
        return false;
    std::copy(bytes.begin(), bytes.end(), m_memory.begin());
    return true;
}

bool SimulatedFirmware::placeImage(const QByteArray &image)
{
    if (image.size() != kImageSize)
        return false;
    const QByteArray block = image.left(kParameterBlockSize);
    writeBytes(memory_map::kParameterAddress, block);
    writeBytes(memory_map::kNameTableAddress, image.mid(kParameterBlockSize, kMacroNameTableSize));
    writeBytes(memory_map::kMacroAddress, image.mid(kParameterBlockSize + kMacroNameTableSize));
    // The two short sections also live in their own area.
    writeBytes(memory_map::kParameterBAddress, block.mid(27, 5));
    writeBytes(memory_map::kUserBreathAddress, block.mid(quint8(block.at(1)) == 29 ? 89 : 32, 4));
    return true;
}

QByteArray SimulatedFirmware::readBytes(quint16 address, int length) const
{
    QByteArray out;
    for (int i = 0; i < length; ++i)
        out.append(char(m_memory[quint16(address + i)]));
    return out;
}

void SimulatedFirmware::writeBytes(quint16 address, const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i)
        m_memory[quint16(address + i)] = quint8(bytes.at(i));
}

quint16 SimulatedFirmware::target(quint32 offset) const
{
    // The 8-bit routines only ever reach the parameter block.
    return m_eightBit ? quint16(memory_map::kParameterAddress | ((m_address + offset) & 0xFF))
                      : quint16(m_address + offset);
}

void SimulatedFirmware::advance(quint32 take)
{
    m_address = quint16(m_address + take);
    m_remaining -= take;
    if (m_remaining == 0)
        m_pending = Pending::None;
}

void SimulatedFirmware::command(const HidReport &report)
{
    const quint8 code = report[1];
    const quint16 address = quint16((report[2] << 8) | report[3]);
    const quint32 length = quint32((report[4] << 8) | report[5]);
    const bool step1 = m_reportRateStep1;
    m_reportRateStep1 = false;
    m_pending = Pending::None;
    switch (code) {
    case DeviceCommand::ReadRegister: {
        quint8 value = 0x00;
        if (address == 0x90E7)
            value = m_config.register90E7;
        else if (address == 0x90E4)
            value = m_config.modeRegister;
        else if (address == 0x0008)
            value = m_config.flashTypeRegister;
        m_reply.fill(0);
        m_reply[0] = value;
        m_pending = Pending::Reply;
        break;
    }
    case DeviceCommand::Identify:
        m_reply.fill(0);
        m_reply[3] = m_config.layoutByte;
        m_reply[5] = m_config.chipByte;
        m_pending = Pending::Reply;
        break;
    case DeviceCommand::ReadMemory8:
    case DeviceCommand::ReadMemory16:
    case DeviceCommand::WriteMemory8:
    case DeviceCommand::WriteMemory16:
        m_eightBit = code == DeviceCommand::ReadMemory8 || code == DeviceCommand::WriteMemory8;
        m_address = m_eightBit ? quint16(report[3]) : address;
        m_remaining = length;
        if (length > 0) {
            const bool read =
                code == DeviceCommand::ReadMemory8 || code == DeviceCommand::ReadMemory16;
            m_pending = read ? Pending::Read : Pending::Write;
        }
        break;
    case DeviceCommand::EraseRegion: {
        ++m_erases;
        const size_t start = size_t(report[2]) << 8;
        std::fill_n(m_memory.begin() + start, std::min<size_t>(4096, kMemorySize - start),
                    quint8(0xFF));
        break;
    }
    case DeviceCommand::Reload:
        ++m_reloads;
        break;
    case DeviceCommand::ReportRateReload1:
        m_reportRateStep1 = report[2] == 0 && report[3] == 1;
        break;
    case DeviceCommand::ReportRateReload2:
        if (step1)
            ++m_reportRateReloads;
        break;
    default:
        break;
    }
}

void SimulatedFirmware::dataWrite(const HidReport &report)
{
    if (m_pending != Pending::Write)
        return; // a data report without a write command (the search probe)
    const bool flash = isFamilyB(m_config.chipByte);
    const quint32 take = std::min<quint32>(kChunkSize, m_remaining);
    for (quint32 i = 0; i < take; ++i) {
        quint8 &cell = m_memory[target(i)];
        cell = flash ? quint8(cell & report[1 + i]) : report[1 + i];
    }
    advance(take);
}

void SimulatedFirmware::dataRead(HidReport &report)
{
    report[0] = kDataReportId;
    std::fill(report.begin() + 1, report.end(), quint8(0));
    if (m_pending == Pending::Reply) {
        std::copy(m_reply.begin(), m_reply.end(), report.begin() + 1);
        m_pending = Pending::None;
        return;
    }
    if (m_pending != Pending::Read)
        return;
    // Whole chunks come from memory; the mouse pads the last one itself.
    for (quint32 i = 0; i < kChunkSize; ++i)
        report[1 + i] = m_memory[target(i)];
    advance(std::min<quint32>(kChunkSize, m_remaining));
}
