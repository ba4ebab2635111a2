#include "device/simulated_hid_bus.h"

#include "device/command_protocol.h"

#include <algorithm>

namespace {
constexpr int kMaxSlots = 1024; // open handles at one time
constexpr int kSlotBits = 10;
} // namespace

bool SimulatedHidBus::Interface::accepts(quint8 reportId) const
{
    if (mouse < 0)
        return false; // plain interfaces know neither report
    return reportId == kCommandReportId ? acceptsCommand
                                        : reportId == kDataReportId && acceptsData;
}

SimulatedHidBus::SimulatedHidBus(Devices &devices)
    : m_devices(devices)
{
    m_trace.reserve(8192);
}

void SimulatedHidBus::addMouseInterfaces(int mouse, bool combined)
{
    const int interfaces = combined ? 1 : 2;
    for (int i = 0; i < interfaces; ++i) {
        Interface iface;
        iface.path = "sim:mouse" + QByteArray::number(mouse) + ":if" + QByteArray::number(i);
        iface.mouse = mouse;
        iface.combined = combined;
        iface.acceptsCommand = combined || i == 0;
        iface.acceptsData = combined || i == 1;
        m_interfaces.push_back(iface);
    }
}

void SimulatedHidBus::addPlainInterfaces(int count)
{
    for (int i = 0; i < count; ++i) {
        Interface iface;
        iface.path = "sim:plain" + QByteArray::number(m_plainSerial++);
        iface.ids = {0x046D, 0xC31C};
        m_interfaces.push_back(iface);
    }
}

void SimulatedHidBus::removePlainInterfaces(int count)
{
    for (auto it = m_interfaces.rbegin(); it != m_interfaces.rend() && count > 0; ++it) {
        if (it->mouse < 0 && it->present) {
            it->present = false;
            ++it->generation;
            --count;
        }
    }
}

int SimulatedHidBus::interfaceCount() const
{
    return int(std::count_if(m_interfaces.begin(), m_interfaces.end(),
                             [](const Interface &iface) { return iface.present; }));
}

int SimulatedHidBus::mouseInterface(int mouse, int which) const
{
    int seen = 0;
    for (size_t i = 0; i < m_interfaces.size(); ++i) {
        if (m_interfaces[i].mouse != mouse)
            continue;
        if (seen == which || m_interfaces[i].combined)
            return int(i);
        ++seen;
    }
    return -1;
}

void SimulatedHidBus::setMousePresent(int mouse, bool present)
{
    for (Interface &iface : m_interfaces) {
        if (iface.mouse == mouse) {
            iface.present = present;
            ++iface.generation;
        }
    }
}

void SimulatedHidBus::setReportAccepted(int interfaceIndex, quint8 reportId, bool accepted)
{
    Interface &iface = m_interfaces.at(size_t(interfaceIndex));
    if (reportId == kCommandReportId)
        iface.acceptsCommand = accepted;
    else if (reportId == kDataReportId)
        iface.acceptsData = accepted;
}

void SimulatedHidBus::setOpenable(int interfaceIndex, bool openable)
{
    m_interfaces.at(size_t(interfaceIndex)).openable = openable;
}

void SimulatedHidBus::setAccessDenied(int interfaceIndex, bool denied)
{
    if (interfaceIndex >= 0 && size_t(interfaceIndex) < m_interfaces.size())
        m_interfaces.at(size_t(interfaceIndex)).accessDenied = denied;
}

int SimulatedHidBus::openHandleCount() const
{
    return int(std::count_if(m_slots.begin(), m_slots.end(),
                             [](const OpenSlot &slot) { return slot.interfaceIndex >= 0; }));
}

IdPair SimulatedHidBus::idsOf(const Interface &iface) const
{
    return iface.mouse < 0 ? iface.ids : m_devices.mouseIds(iface.mouse);
}

std::optional<IdPair> SimulatedHidBus::deniedInterface(const QByteArray &path)
{
    for (const Interface &iface : m_interfaces) {
        if (iface.present && iface.accessDenied && iface.path == path)
            return idsOf(iface);
    }
    return std::nullopt;
}

QList<QByteArray> SimulatedHidBus::enumerateInterfaces()
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

HidHandle SimulatedHidBus::open(const QByteArray &path)
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

void SimulatedHidBus::close(HidHandle handle)
{
    if (handle < 0)
        return;
    const size_t slot = size_t(handle) & (kMaxSlots - 1);
    if (slot < m_slots.size() && (quint32(handle) >> kSlotBits) == m_slots[slot].reuse)
        m_slots[slot].interfaceIndex = -1;
}

const SimulatedHidBus::Interface *SimulatedHidBus::interfaceFor(HidHandle handle,
                                                                int *index) const
{
    if (handle < 0)
        return nullptr;
    const size_t slot = size_t(handle) & (kMaxSlots - 1);
    if (slot >= m_slots.size())
        return nullptr;
    const OpenSlot &s = m_slots[slot];
    if (s.interfaceIndex < 0 || (quint32(handle) >> kSlotBits) != s.reuse)
        return nullptr;
    const Interface &iface = m_interfaces[size_t(s.interfaceIndex)];
    if (!iface.present || iface.generation != s.generation)
        return nullptr; // unplugged since it was opened
    if (index)
        *index = s.interfaceIndex;
    return &iface;
}

std::optional<IdPair> SimulatedHidBus::attributes(HidHandle handle)
{
    const Interface *iface = interfaceFor(handle);
    if (!iface)
        return std::nullopt;
    return idsOf(*iface);
}

int SimulatedHidBus::featureReportLength(HidHandle handle)
{
    const Interface *iface = interfaceFor(handle);
    if (!iface)
        return 0;
    return iface->mouse < 0 ? iface->featureLength : m_devices.mouseFeatureLength(iface->mouse);
}

void SimulatedHidBus::record(TraceEntry::Direction direction, bool accepted, int index,
                             const HidReport &bytes)
{
    if (m_traceEnabled)
        m_trace.push_back(TraceEntry{direction, accepted, index, bytes});
}

bool SimulatedHidBus::setFeature(HidHandle handle, const HidReport &report)
{
    int index = -1;
    const Interface *iface = interfaceFor(handle, &index);
    const bool accepted = iface && m_devices.setReport(*iface, report);
    record(TraceEntry::Set, accepted, iface ? index : -1, report);
    return accepted;
}

bool SimulatedHidBus::getFeature(HidHandle handle, HidReport &report)
{
    int index = -1;
    const Interface *iface = interfaceFor(handle, &index);
    const bool accepted = iface && m_devices.getReport(*iface, report);
    record(TraceEntry::Get, accepted, iface ? index : -1, report);
    return accepted;
}
