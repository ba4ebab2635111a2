#pragma once

#include "device/device_clock.h"
#include "device/hid_backend.h"
#include "device/simulated_faults.h"
#include "device/simulated_firmware.h"
#include "device/simulated_hid_bus.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <vector>

// A machine's HID interfaces with one or more simulated mice on them: the
// bus (SimulatedHidBus) with each mouse's firmware (SimulatedFirmware) behind
// its interfaces and the injected faults (SimulatedFaults) in between. Plain
// interfaces (keyboards and the like) change only the count.
//
// Every report is traced (direction, interface index, the 8 bytes) unless
// tracing is off; faults can be injected per mouse or per interface.
class SimulatedMouse final : public HidBackend, private SimulatedHidBus::Devices
{
public:
    static constexpr int kMemorySize = SimulatedFirmware::kMemorySize;
    using TraceEntry = SimulatedHidBus::TraceEntry;

    explicit SimulatedMouse(const SimulatedMouseConfig &config = {});
    ~SimulatedMouse() override;

    // Machine layout. Interfaces are enumerated in the order they were added.
    int addMouse(const SimulatedMouseConfig &config); // returns the mouse index
    void addPlainInterfaces(int count) { m_bus.addPlainInterfaces(count); }
    void removePlainInterfaces(int count) { m_bus.removePlainInterfaces(count); }
    int interfaceCount() const { return m_bus.interfaceCount(); } // present ones
    // Interface index of a mouse's command (which 0) or data (which 1) interface.
    int mouseInterface(int mouse, int which) const { return m_bus.mouseInterface(mouse, which); }
    void setPlugged(bool plugged, int mouse = 0);
    bool isPlugged(int mouse = 0) const;

    SimulatedMouseConfig &config(int mouse = 0) { return firmware(mouse).config(); }
    SimulatedFirmware &firmware(int mouse = 0);
    const SimulatedFirmware &firmware(int mouse = 0) const;

    // Memory: exactly 65536 bytes.
    std::span<quint8> memory(int mouse = 0) { return firmware(mouse).memory(); }
    QByteArray memoryBytes(int mouse = 0) const { return firmware(mouse).memoryBytes(); }
    bool setMemory(const QByteArray &bytes, int mouse = 0);
    bool loadMemoryFile(const QString &path, int mouse = 0);
    bool saveMemoryFile(const QString &path, int mouse = 0) const;
    // A 34048-byte configuration image placed at the device memory map.
    bool placeImage(const QByteArray &image, int mouse = 0);
    QByteArray readBytes(quint16 address, int length, int mouse = 0) const;
    void writeBytes(quint16 address, const QByteArray &bytes, int mouse = 0);

    int reloadCount(int mouse = 0) const { return firmware(mouse).reloadCount(); }
    int reportRateReloadCount(int mouse = 0) const;
    int eraseCount(int mouse = 0) const { return firmware(mouse).eraseCount(); }

    const std::vector<TraceEntry> &trace() const { return m_bus.trace(); }
    void clearTrace() { m_bus.clearTrace(); }
    void setTraceEnabled(bool enabled) { m_bus.setTraceEnabled(enabled); }

    // Faults.
    void setReportAccepted(int interfaceIndex, quint8 reportId, bool accepted);
    void setOpenable(int interfaceIndex, bool openable);
    // The interface stays present but open() fails as for a user without
    // permission on its node; deniedInterface() then names its ids.
    void setAccessDenied(int interfaceIndex, bool denied);
    void setFailEveryNthGet(int n) { m_faults.setFailEveryNthGet(n); } // 0 = never
    void setGarbageReplies(bool garbage) { m_faults.setGarbageReplies(garbage); }
    // The mouse vanishes after it saw `reports` more reports; -1 = never.
    void unplugAfterReports(qint64 reports, int mouse = 0);
    // The n-th report (set or get, counted from 1 from now on) that reaches
    // a mouse is refused, once; 0 = never.
    void failReportNumber(qint64 n) { m_faults.failReportNumber(n); }
    // From the n-th report (counted as above) on, every reply the mouse gives
    // keeps its report id but carries random payload bytes; 0 = never.
    void garbleRepliesFrom(qint64 n) { m_faults.garbleRepliesFrom(n); }
    void setLatency(DeviceClock *clock, int msPerReport);
    int openHandleCount() const { return m_bus.openHandleCount(); }
    // Runs before every enumeration, so a test can script a changing count.
    void setEnumerationHook(std::function<void()> hook);

    // HidBackend
    QList<QByteArray> enumerateInterfaces() override { return m_bus.enumerateInterfaces(); }
    HidHandle open(const QByteArray &path) override { return m_bus.open(path); }
    void close(HidHandle handle) override { m_bus.close(handle); }
    std::optional<IdPair> deniedInterface(const QByteArray &path) override;
    bool isAlive(HidHandle handle) override { return m_bus.isAlive(handle); }
    std::optional<IdPair> attributes(HidHandle handle) override;
    int featureReportLength(HidHandle handle) override;
    bool setFeature(HidHandle handle, const HidReport &report) override;
    bool getFeature(HidHandle handle, HidReport &report) override;

private:
    struct Mouse
    {
        explicit Mouse(const SimulatedMouseConfig &config)
            : firmware(config)
        {
        }
        SimulatedFirmware firmware;
        bool plugged = true;
    };

    // SimulatedHidBus::Devices
    IdPair mouseIds(int mouse) const override;
    int mouseFeatureLength(int mouse) const override;
    bool setReport(const SimulatedHidBus::Interface &iface, const HidReport &report) override;
    bool getReport(const SimulatedHidBus::Interface &iface, HidReport &report) override;

    bool admitReport(const SimulatedHidBus::Interface &iface, quint8 reportId);

    std::vector<std::unique_ptr<Mouse>> m_mice;
    SimulatedFaults m_faults;
    SimulatedHidBus m_bus{*this};
};
