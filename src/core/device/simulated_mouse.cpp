#include "device/simulated_mouse.h"

#include "app/image_buffers.h"
#include "device/command_protocol.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <array>

namespace {
constexpr int kMaxSlots = 1024; // open handles at one time
constexpr int kSlotBits = 10;

constexpr quint16 kParameterAddress = 0x6000;
constexpr quint16 kNameTableAddress = 0x6400;
constexpr quint16 kParameterBAddress = 0x7000;
constexpr quint16 kUserBreathAddress = 0x7005;
constexpr quint16 kMacroAddress = 0x8000;

bool isFamilyB(quint8 chipByte)
{
    return chipByte == 0xA0 || chipByte == 0xA5 || chipByte == 0xAA;
}
} // namespace

struct SimulatedMouse::Mouse
{
    SimulatedMouseConfig config;
    std::array<quint8, kMemorySize> memory;
    bool plugged = true;
    qint64 unplugAfter = -1; // remaining reports before it vanishes
    int reloads = 0;
    int reportRateReloads = 0;
    int erases = 0;
    bool reportRateStep1 = false;

    enum class Pending
    {
        None,
        Reply,
        Read,
        Write
    };
    Pending pending = Pending::None;
    std::array<quint8, kChunkSize> reply{};
    bool eightBit = false;
    quint16 address = 0;
    quint32 remaining = 0;

    Mouse() { memory.fill(0xFF); }

    quint16 target(quint32 offset) const
    {
        // The 8-bit routines only ever reach the parameter block.
        return eightBit ? quint16(kParameterAddress | ((address + offset) & 0xFF))
                        : quint16(address + offset);
    }
};

struct SimulatedMouse::Interface
{
    QByteArray path;
    int mouse = -1; // -1: a plain interface of some other device
    bool acceptsCommand = false;
    bool acceptsData = false;
    bool present = true;
    bool openable = true;
    bool accessDenied = false; // present, but this user may not open it
    quint32 generation = 0;    // bumped on unplug; old handles go dead
    IdPair ids;
    int featureLength = 0;
};

struct SimulatedMouse::OpenSlot
{
    int interfaceIndex = -1; // -1: free
    quint32 generation = 0;
    quint32 reuse = 0;
};

SimulatedMouse::SimulatedMouse(const SimulatedMouseConfig &config)
{
    m_trace.reserve(8192);
    addMouse(config);
}

SimulatedMouse::~SimulatedMouse() = default;

int SimulatedMouse::addMouse(const SimulatedMouseConfig &config)
{
    const int index = int(m_mice.size());
    auto mouse = std::make_unique<Mouse>();
    mouse->config = config;
    m_mice.push_back(std::move(mouse));
    const int interfaces = config.combinedInterface ? 1 : 2;
    for (int i = 0; i < interfaces; ++i) {
        Interface iface;
        iface.path = "sim:mouse" + QByteArray::number(index) + ":if" + QByteArray::number(i);
        iface.mouse = index;
        iface.acceptsCommand = config.combinedInterface || i == 0;
        iface.acceptsData = config.combinedInterface || i == 1;
        m_interfaces.push_back(iface);
    }
    return index;
}

void SimulatedMouse::addPlainInterfaces(int count)
{
    for (int i = 0; i < count; ++i) {
        Interface iface;
        iface.path = "sim:plain" + QByteArray::number(m_plainSerial++);
        iface.ids = {0x046D, 0xC31C};
        m_interfaces.push_back(iface);
    }
}

void SimulatedMouse::removePlainInterfaces(int count)
{
    for (auto it = m_interfaces.rbegin(); it != m_interfaces.rend() && count > 0; ++it) {
        if (it->mouse < 0 && it->present) {
            it->present = false;
            ++it->generation;
            --count;
        }
    }
}

int SimulatedMouse::interfaceCount() const
{
    return int(std::count_if(m_interfaces.begin(), m_interfaces.end(),
                             [](const Interface &iface) { return iface.present; }));
}

int SimulatedMouse::mouseInterface(int mouse, int which) const
{
    int seen = 0;
    for (size_t i = 0; i < m_interfaces.size(); ++i) {
        if (m_interfaces[i].mouse != mouse)
            continue;
        if (seen == which || m_mice[size_t(mouse)]->config.combinedInterface)
            return int(i);
        ++seen;
    }
    return -1;
}

void SimulatedMouse::setPlugged(bool plugged, int mouse)
{
    Mouse &m = *m_mice.at(size_t(mouse));
    if (m.plugged == plugged)
        return;
    m.plugged = plugged;
    m.pending = Mouse::Pending::None;
    for (Interface &iface : m_interfaces) {
        if (iface.mouse == mouse) {
            iface.present = plugged;
            ++iface.generation;
        }
    }
}

bool SimulatedMouse::isPlugged(int mouse) const
{
    return m_mice.at(size_t(mouse))->plugged;
}

SimulatedMouseConfig &SimulatedMouse::config(int mouse)
{
    return m_mice.at(size_t(mouse))->config;
}

std::span<quint8> SimulatedMouse::memory(int mouse)
{
    return m_mice.at(size_t(mouse))->memory;
}

QByteArray SimulatedMouse::memoryBytes(int mouse) const
{
    const auto &memory = m_mice.at(size_t(mouse))->memory;
    return QByteArray(reinterpret_cast<const char *>(memory.data()), kMemorySize);
}

bool SimulatedMouse::setMemory(const QByteArray &bytes, int mouse)
{
    if (bytes.size() != kMemorySize)
        return false;
    std::copy(bytes.begin(), bytes.end(), m_mice.at(size_t(mouse))->memory.begin());
    return true;
}

bool SimulatedMouse::loadMemoryFile(const QString &path, int mouse)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != kMemorySize)
        return false;
    return setMemory(file.read(kMemorySize + 1), mouse);
}

bool SimulatedMouse::saveMemoryFile(const QString &path, int mouse) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(memoryBytes(mouse)) != kMemorySize)
        return false;
    return file.commit();
}

bool SimulatedMouse::placeImage(const QByteArray &image, int mouse)
{
    if (image.size() != kImageSize)
        return false;
    const QByteArray block = image.left(kParameterBlockSize);
    writeBytes(kParameterAddress, block, mouse);
    writeBytes(kNameTableAddress, image.mid(kParameterBlockSize, kMacroNameTableSize), mouse);
    writeBytes(kMacroAddress, image.mid(kParameterBlockSize + kMacroNameTableSize), mouse);
    // The two short sections also live in their own area.
    writeBytes(kParameterBAddress, block.mid(27, 5), mouse);
    writeBytes(kUserBreathAddress, block.mid(quint8(block.at(1)) == 29 ? 89 : 32, 4), mouse);
    return true;
}

QByteArray SimulatedMouse::readBytes(quint16 address, int length, int mouse) const
{
    const auto &memory = m_mice.at(size_t(mouse))->memory;
    QByteArray out;
    for (int i = 0; i < length; ++i)
        out.append(char(memory[quint16(address + i)]));
    return out;
}

void SimulatedMouse::writeBytes(quint16 address, const QByteArray &bytes, int mouse)
{
    auto &memory = m_mice.at(size_t(mouse))->memory;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        memory[quint16(address + i)] = quint8(bytes.at(i));
}

int SimulatedMouse::reloadCount(int mouse) const
{
    return m_mice.at(size_t(mouse))->reloads;
}

int SimulatedMouse::reportRateReloadCount(int mouse) const
{
    return m_mice.at(size_t(mouse))->reportRateReloads;
}

int SimulatedMouse::eraseCount(int mouse) const
{
    return m_mice.at(size_t(mouse))->erases;
}

void SimulatedMouse::setReportAccepted(int interfaceIndex, quint8 reportId, bool accepted)
{
    Interface &iface = m_interfaces.at(size_t(interfaceIndex));
    if (reportId == kCommandReportId)
        iface.acceptsCommand = accepted;
    else if (reportId == kDataReportId)
        iface.acceptsData = accepted;
}

void SimulatedMouse::setOpenable(int interfaceIndex, bool openable)
{
    m_interfaces.at(size_t(interfaceIndex)).openable = openable;
}

void SimulatedMouse::setAccessDenied(int interfaceIndex, bool denied)
{
    if (interfaceIndex >= 0 && size_t(interfaceIndex) < m_interfaces.size())
        m_interfaces.at(size_t(interfaceIndex)).accessDenied = denied;
}

std::optional<IdPair> SimulatedMouse::deniedInterface(const QByteArray &path)
{
    for (const Interface &iface : m_interfaces) {
        if (!iface.present || !iface.accessDenied || iface.path != path)
            continue;
        if (iface.mouse < 0)
            return iface.ids;
        const SimulatedMouseConfig &config = m_mice[size_t(iface.mouse)]->config;
        return IdPair{config.vendorId, config.productId};
    }
    return std::nullopt;
}

void SimulatedMouse::setFailEveryNthGet(int n)
{
    m_failEveryNthGet = std::max(0, n);
    m_getCount = 0;
}

void SimulatedMouse::setGarbageReplies(bool garbage)
{
    m_garbage = garbage;
}

void SimulatedMouse::unplugAfterReports(qint64 reports, int mouse)
{
    m_mice.at(size_t(mouse))->unplugAfter = reports;
}

void SimulatedMouse::failReportNumber(qint64 n)
{
    m_failReport = n > 0 ? m_mouseReports + n : 0;
}

void SimulatedMouse::garbleRepliesFrom(qint64 n)
{
    m_garbleFrom = n > 0 ? m_mouseReports + n : 0;
}

void SimulatedMouse::setLatency(DeviceClock *clock, int msPerReport)
{
    m_clock = clock;
    m_latencyMs = msPerReport;
}

int SimulatedMouse::openHandleCount() const
{
    return int(std::count_if(m_slots.begin(), m_slots.end(),
                             [](const OpenSlot &slot) { return slot.interfaceIndex >= 0; }));
}

QList<QByteArray> SimulatedMouse::enumerateInterfaces()
{
    if (m_enumerationHook)
        m_enumerationHook();
    QList<QByteArray> paths;
    paths.reserve(qsizetype(m_interfaces.size()));
    for (const Interface &iface : m_interfaces) {
        if (iface.present)
            paths.append(iface.path);
    }
    return paths;
}

HidHandle SimulatedMouse::open(const QByteArray &path)
{
    for (size_t i = 0; i < m_interfaces.size(); ++i) {
        const Interface &iface = m_interfaces[i];
        if (!iface.present || !iface.openable || iface.accessDenied || iface.path != path)
            continue;
        size_t slot = 0;
        while (slot < m_slots.size() && m_slots[slot].interfaceIndex >= 0)
            ++slot;
        if (slot == m_slots.size()) {
            if (slot == kMaxSlots)
                return kInvalidHandle;
            m_slots.emplace_back();
        }
        OpenSlot &s = m_slots[slot];
        s.interfaceIndex = int(i);
        s.generation = iface.generation;
        // A reused slot gets a new number, so a stale handle never reaches
        // the interface opened after it.
        s.reuse = (s.reuse + 1) & 0xFFFFF;
        return HidHandle((s.reuse << kSlotBits) | slot);
    }
    return kInvalidHandle;
}

void SimulatedMouse::close(HidHandle handle)
{
    if (handle < 0)
        return;
    const size_t slot = size_t(handle) & (kMaxSlots - 1);
    if (slot < m_slots.size() && (quint32(handle) >> kSlotBits) == m_slots[slot].reuse)
        m_slots[slot].interfaceIndex = -1;
}

SimulatedMouse::Interface *SimulatedMouse::interfaceFor(HidHandle handle, int *index)
{
    if (handle < 0)
        return nullptr;
    const size_t slot = size_t(handle) & (kMaxSlots - 1);
    if (slot >= m_slots.size())
        return nullptr;
    const OpenSlot &s = m_slots[slot];
    if (s.interfaceIndex < 0 || (quint32(handle) >> kSlotBits) != s.reuse)
        return nullptr;
    Interface &iface = m_interfaces[size_t(s.interfaceIndex)];
    if (!iface.present || iface.generation != s.generation)
        return nullptr; // unplugged since it was opened
    if (index)
        *index = s.interfaceIndex;
    return &iface;
}

std::optional<IdPair> SimulatedMouse::attributes(HidHandle handle)
{
    const Interface *iface = interfaceFor(handle);
    if (!iface)
        return std::nullopt;
    if (iface->mouse < 0)
        return iface->ids;
    const SimulatedMouseConfig &config = m_mice[size_t(iface->mouse)]->config;
    return IdPair{config.vendorId, config.productId};
}

int SimulatedMouse::featureReportLength(HidHandle handle)
{
    const Interface *iface = interfaceFor(handle);
    if (!iface)
        return 0;
    return iface->mouse < 0 ? iface->featureLength
                            : m_mice[size_t(iface->mouse)]->config.featureReportLength;
}

bool SimulatedMouse::admitReport(const Interface &iface, quint8 reportId)
{
    if (m_clock && m_latencyMs > 0)
        m_clock->waitMs(m_latencyMs);
    if (iface.mouse < 0)
        return false; // plain interfaces know neither report
    Mouse &mouse = *m_mice[size_t(iface.mouse)];
    if (mouse.unplugAfter == 0) {
        mouse.unplugAfter = -1;
        setPlugged(false, iface.mouse);
        return false;
    }
    if (mouse.unplugAfter > 0)
        --mouse.unplugAfter;
    if (++m_mouseReports == m_failReport)
        return false;
    return reportId == kCommandReportId ? iface.acceptsCommand
                                        : reportId == kDataReportId && iface.acceptsData;
}

void SimulatedMouse::record(TraceEntry::Direction direction, bool accepted, int index,
                            const HidReport &bytes)
{
    if (m_traceEnabled)
        m_trace.push_back(TraceEntry{direction, accepted, index, bytes});
}

bool SimulatedMouse::setFeature(HidHandle handle, const HidReport &report)
{
    int index = -1;
    Interface *iface = interfaceFor(handle, &index);
    if (!iface) {
        record(TraceEntry::Set, false, -1, report);
        return false;
    }
    const bool accepted = admitReport(*iface, report[0]);
    record(TraceEntry::Set, accepted, index, report);
    if (!accepted)
        return false;
    Mouse &mouse = *m_mice[size_t(iface->mouse)];
    if (report[0] == kCommandReportId)
        handleCommand(mouse, report);
    else
        handleDataWrite(mouse, report);
    return true;
}

bool SimulatedMouse::getFeature(HidHandle handle, HidReport &report)
{
    int index = -1;
    Interface *iface = interfaceFor(handle, &index);
    if (!iface) {
        record(TraceEntry::Get, false, -1, report);
        return false;
    }
    bool accepted = admitReport(*iface, report[0]) && report[0] == kDataReportId;
    if (accepted && m_failEveryNthGet > 0 && ++m_getCount % quint64(m_failEveryNthGet) == 0) {
        // The reply is lost on the way: the mouse has moved on all the same.
        HidReport lost = report;
        fillDataRead(*m_mice[size_t(iface->mouse)], lost);
        accepted = false;
    }
    if (accepted) {
        fillDataRead(*m_mice[size_t(iface->mouse)], report);
        if (m_garbage || (m_garbleFrom > 0 && m_mouseReports >= m_garbleFrom)) {
            for (int i = 1; i < kReportSize; ++i) {
                m_garbageSeed = m_garbageSeed * 1103515245u + 12345u;
                report[size_t(i)] = quint8(m_garbageSeed >> 16);
            }
        }
    }
    record(TraceEntry::Get, accepted, index, report);
    return accepted;
}

void SimulatedMouse::handleCommand(Mouse &mouse, const HidReport &report)
{
    const quint8 code = report[1];
    const quint16 address = quint16((report[2] << 8) | report[3]);
    const quint32 length = quint32((report[4] << 8) | report[5]);
    const bool step1 = mouse.reportRateStep1;
    mouse.reportRateStep1 = false;
    mouse.pending = Mouse::Pending::None;
    switch (code) {
    case DeviceCommand::ReadRegister: {
        quint8 value = 0x00;
        if (address == 0x90E7)
            value = mouse.config.register90E7;
        else if (address == 0x90E4)
            value = mouse.config.modeRegister;
        else if (address == 0x0008)
            value = mouse.config.flashTypeRegister;
        mouse.reply.fill(0);
        mouse.reply[0] = value;
        mouse.pending = Mouse::Pending::Reply;
        break;
    }
    case DeviceCommand::Identify:
        mouse.reply.fill(0);
        mouse.reply[3] = mouse.config.layoutByte;
        mouse.reply[5] = mouse.config.chipByte;
        mouse.pending = Mouse::Pending::Reply;
        break;
    case DeviceCommand::ReadMemory8:
    case DeviceCommand::ReadMemory16:
    case DeviceCommand::WriteMemory8:
    case DeviceCommand::WriteMemory16:
        mouse.eightBit = code == DeviceCommand::ReadMemory8 || code == DeviceCommand::WriteMemory8;
        mouse.address = mouse.eightBit ? quint16(report[3]) : address;
        mouse.remaining = length;
        if (length > 0) {
            const bool read =
                code == DeviceCommand::ReadMemory8 || code == DeviceCommand::ReadMemory16;
            mouse.pending = read ? Mouse::Pending::Read : Mouse::Pending::Write;
        }
        break;
    case DeviceCommand::EraseRegion: {
        ++mouse.erases;
        const size_t start = size_t(report[2]) << 8;
        std::fill_n(mouse.memory.begin() + start, std::min<size_t>(4096, kMemorySize - start),
                    quint8(0xFF));
        break;
    }
    case DeviceCommand::Reload:
        ++mouse.reloads;
        break;
    case DeviceCommand::ReportRateReload1:
        mouse.reportRateStep1 = report[2] == 0 && report[3] == 1;
        break;
    case DeviceCommand::ReportRateReload2:
        if (step1)
            ++mouse.reportRateReloads;
        break;
    default:
        break;
    }
}

void SimulatedMouse::handleDataWrite(Mouse &mouse, const HidReport &report)
{
    if (mouse.pending != Mouse::Pending::Write)
        return; // a data report without a write command (the search probe)
    const bool flash = isFamilyB(mouse.config.chipByte);
    const quint32 take = std::min<quint32>(kChunkSize, mouse.remaining);
    for (quint32 i = 0; i < take; ++i) {
        quint8 &cell = mouse.memory[mouse.target(i)];
        cell = flash ? quint8(cell & report[1 + i]) : report[1 + i];
    }
    mouse.address = quint16(mouse.address + take);
    mouse.remaining -= take;
    if (mouse.remaining == 0)
        mouse.pending = Mouse::Pending::None;
}

void SimulatedMouse::fillDataRead(Mouse &mouse, HidReport &report)
{
    report[0] = kDataReportId;
    std::fill(report.begin() + 1, report.end(), quint8(0));
    if (mouse.pending == Mouse::Pending::Reply) {
        std::copy(mouse.reply.begin(), mouse.reply.end(), report.begin() + 1);
        mouse.pending = Mouse::Pending::None;
        return;
    }
    if (mouse.pending != Mouse::Pending::Read)
        return;
    // Whole chunks come from memory; the mouse pads the last one itself.
    for (quint32 i = 0; i < kChunkSize; ++i)
        report[1 + i] = mouse.memory[mouse.target(i)];
    const quint32 take = std::min<quint32>(kChunkSize, mouse.remaining);
    mouse.address = quint16(mouse.address + take);
    mouse.remaining -= take;
    if (mouse.remaining == 0)
        mouse.pending = Mouse::Pending::None;
}
