#include "device/simulated_mouse.h"

#include "device/command_protocol.h"
#include "device/simulated_memory_file.h"

SimulatedMouse::SimulatedMouse(const SimulatedMouseConfig &config)
{
    addMouse(config);
}

SimulatedMouse::~SimulatedMouse() = default;

int SimulatedMouse::addMouse(const SimulatedMouseConfig &config)
{
    const int index = int(m_mice.size());
    m_mice.push_back(std::make_unique<Mouse>(config));
    m_bus.addMouseInterfaces(index, config.combinedInterface);
    return index;
}

void SimulatedMouse::setPlugged(bool plugged, int mouse)
{
    Mouse &m = *m_mice.at(size_t(mouse));
    if (m.plugged == plugged)
        return;
    m.plugged = plugged;
    m.firmware.dropPending();
    m_bus.setMousePresent(mouse, plugged);
}

bool SimulatedMouse::isPlugged(int mouse) const
{
    return m_mice.at(size_t(mouse))->plugged;
}

SimulatedFirmware &SimulatedMouse::firmware(int mouse)
{
    return m_mice.at(size_t(mouse))->firmware;
}

const SimulatedFirmware &SimulatedMouse::firmware(int mouse) const
{
    return m_mice.at(size_t(mouse))->firmware;
}

bool SimulatedMouse::setMemory(const QByteArray &bytes, int mouse)
{
    return firmware(mouse).setMemory(bytes);
}

bool SimulatedMouse::loadMemoryFile(const QString &path, int mouse)
{
    return SimulatedMemoryFile::load(path, firmware(mouse));
}

bool SimulatedMouse::saveMemoryFile(const QString &path, int mouse) const
{
    return SimulatedMemoryFile::save(path, firmware(mouse));
}

bool SimulatedMouse::placeImage(const QByteArray &image, int mouse)
{
    return firmware(mouse).placeImage(image);
}

QByteArray SimulatedMouse::readBytes(quint16 address, int length, int mouse) const
{
    return firmware(mouse).readBytes(address, length);
}

void SimulatedMouse::writeBytes(quint16 address, const QByteArray &bytes, int mouse)
{
    firmware(mouse).writeBytes(address, bytes);
}

int SimulatedMouse::reportRateReloadCount(int mouse) const
{
    return firmware(mouse).reportRateReloadCount();
}

void SimulatedMouse::setReportAccepted(int interfaceIndex, quint8 reportId, bool accepted)
{
    m_bus.setReportAccepted(interfaceIndex, reportId, accepted);
}

void SimulatedMouse::setOpenable(int interfaceIndex, bool openable)
{
    m_bus.setOpenable(interfaceIndex, openable);
}

void SimulatedMouse::setAccessDenied(int interfaceIndex, bool denied)
{
    m_bus.setAccessDenied(interfaceIndex, denied);
}

void SimulatedMouse::unplugAfterReports(qint64 reports, int mouse)
{
    m_faults.unplugAfterReports(reports, mouse);
}

void SimulatedMouse::setLatency(DeviceClock *clock, int msPerReport)
{
    m_faults.setLatency(clock, msPerReport);
}

void SimulatedMouse::setEnumerationHook(std::function<void()> hook)
{
    m_bus.setEnumerationHook(std::move(hook));
}

std::optional<IdPair> SimulatedMouse::deniedInterface(const QByteArray &path)
{
    return m_bus.deniedInterface(path);
}

std::optional<IdPair> SimulatedMouse::attributes(HidHandle handle)
{
    return m_bus.attributes(handle);
}

int SimulatedMouse::featureReportLength(HidHandle handle)
{
    return m_bus.featureReportLength(handle);
}

bool SimulatedMouse::setFeature(HidHandle handle, const HidReport &report)
{
    return m_bus.setFeature(handle, report);
}

bool SimulatedMouse::getFeature(HidHandle handle, HidReport &report)
{
    return m_bus.getFeature(handle, report);
}

IdPair SimulatedMouse::mouseIds(int mouse) const
{
    const SimulatedMouseConfig &config = firmware(mouse).config();
    return IdPair{config.vendorId, config.productId};
}

int SimulatedMouse::mouseFeatureLength(int mouse) const
{
    return firmware(mouse).config().featureReportLength;
}

bool SimulatedMouse::admitReport(const SimulatedHidBus::Interface &iface, quint8 reportId)
{
    m_faults.waitLatency();
    if (iface.mouse < 0)
        return false; // plain interfaces know neither report
    switch (m_faults.admit(iface.mouse)) {
    case SimulatedFaults::Admission::Unplug:
        setPlugged(false, iface.mouse);
        return false;
    case SimulatedFaults::Admission::Refuse:
        return false;
    case SimulatedFaults::Admission::Pass:
        break;
    }
    return iface.accepts(reportId);
}

bool SimulatedMouse::setReport(const SimulatedHidBus::Interface &iface, const HidReport &report)
{
    if (!admitReport(iface, report[0]))
        return false;
    SimulatedFirmware &mouse = firmware(iface.mouse);
    if (report[0] == kCommandReportId)
        mouse.command(report);
    else
        mouse.dataWrite(report);
    return true;
}

bool SimulatedMouse::getReport(const SimulatedHidBus::Interface &iface, HidReport &report)
{
    if (!admitReport(iface, report[0]) || report[0] != kDataReportId)
        return false;
    SimulatedFirmware &mouse = firmware(iface.mouse);
    if (m_faults.loseReply()) {
        // The reply is lost on the way: the mouse has moved on all the same.
        HidReport lost = report;
        mouse.dataRead(lost);
        return false;
    }
    mouse.dataRead(report);
    m_faults.garble(report);
    return true;
}
