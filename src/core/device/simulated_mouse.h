#pragma once

#include "device/device_clock.h"
#include "device/hid_backend.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <vector>

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

// A machine's HID interfaces with one or more simulated mice on them. Each
// mouse has a command interface (report 0x40) and a data interface (0x41), or
// one interface for both; registers, the identify reply, 64 KB of memory with
// the device memory map, region erase and the reload commands. Family-B
// memory behaves as flash: a write only clears bits, so a missing erase
// shows. Plain interfaces (keyboards and the like) change only the count.
//
// Every report is traced (direction, interface index, the 8 bytes) unless
// tracing is off; faults can be injected per mouse or per interface.
class SimulatedMouse final : public HidBackend
{
public:
    static constexpr int kMemorySize = 65536;

    struct TraceEntry
    {
        enum Direction : quint8
        {
            Set,
            Get
        };
        Direction direction = Set;
        bool accepted = false;
        int interfaceIndex = -1;
        HidReport bytes{}; // sent bytes; for Get the reply (or the request if refused)
    };

    explicit SimulatedMouse(const SimulatedMouseConfig &config = {});
    ~SimulatedMouse() override;

    // Machine layout. Interfaces are enumerated in the order they were added.
    int addMouse(const SimulatedMouseConfig &config); // returns the mouse index
    void addPlainInterfaces(int count);
    void removePlainInterfaces(int count);
    int interfaceCount() const; // present ones
    // Interface index of a mouse's command (which 0) or data (which 1) interface.
    int mouseInterface(int mouse, int which) const;
    void setPlugged(bool plugged, int mouse = 0);
    bool isPlugged(int mouse = 0) const;

    SimulatedMouseConfig &config(int mouse = 0);

    // Memory: exactly 65536 bytes.
    std::span<quint8> memory(int mouse = 0);
    QByteArray memoryBytes(int mouse = 0) const;
    bool setMemory(const QByteArray &bytes, int mouse = 0);
    bool loadMemoryFile(const QString &path, int mouse = 0);
    bool saveMemoryFile(const QString &path, int mouse = 0) const;
    // A 34048-byte configuration image placed at the device memory map.
    bool placeImage(const QByteArray &image, int mouse = 0);
    QByteArray readBytes(quint16 address, int length, int mouse = 0) const;
    void writeBytes(quint16 address, const QByteArray &bytes, int mouse = 0);

    int reloadCount(int mouse = 0) const;
    int reportRateReloadCount(int mouse = 0) const;
    int eraseCount(int mouse = 0) const;

    const std::vector<TraceEntry> &trace() const { return m_trace; }
    void clearTrace() { m_trace.clear(); }
    void setTraceEnabled(bool enabled) { m_traceEnabled = enabled; }

    // Faults.
    void setReportAccepted(int interfaceIndex, quint8 reportId, bool accepted);
    void setOpenable(int interfaceIndex, bool openable);
    // The interface stays present but open() fails as for a user without
    // permission on its node; deniedInterface() then names its ids.
    void setAccessDenied(int interfaceIndex, bool denied);
    void setFailEveryNthGet(int n); // 0 = never
    void setGarbageReplies(bool garbage);
    // The mouse vanishes after it saw `reports` more reports; -1 = never.
    void unplugAfterReports(qint64 reports, int mouse = 0);
    // The n-th report (set or get, counted from 1 from now on) that reaches
    // a mouse is refused, once; 0 = never.
    void failReportNumber(qint64 n);
    // From the n-th report (counted as above) on, every reply the mouse gives
    // keeps its report id but carries random payload bytes; 0 = never.
    void garbleRepliesFrom(qint64 n);
    void setLatency(DeviceClock *clock, int msPerReport);
    int openHandleCount() const;
    // Runs before every enumeration, so a test can script a changing count.
    void setEnumerationHook(std::function<void()> hook) { m_enumerationHook = std::move(hook); }

    // HidBackend
    QList<QByteArray> enumerateInterfaces() override;
    HidHandle open(const QByteArray &path) override;
    void close(HidHandle handle) override;
    std::optional<IdPair> deniedInterface(const QByteArray &path) override;
    bool isAlive(HidHandle handle) override { return interfaceFor(handle) != nullptr; }
    std::optional<IdPair> attributes(HidHandle handle) override;
    int featureReportLength(HidHandle handle) override;
    bool setFeature(HidHandle handle, const HidReport &report) override;
    bool getFeature(HidHandle handle, HidReport &report) override;

private:
    struct Mouse;
    struct Interface;
    struct OpenSlot;

    Interface *interfaceFor(HidHandle handle, int *index = nullptr);
    bool admitReport(const Interface &iface, quint8 reportId);
    void record(TraceEntry::Direction direction, bool accepted, int index, const HidReport &bytes);
    void handleCommand(Mouse &mouse, const HidReport &report);
    void handleDataWrite(Mouse &mouse, const HidReport &report);
    void fillDataRead(Mouse &mouse, HidReport &report);

    std::vector<std::unique_ptr<Mouse>> m_mice;
    std::vector<Interface> m_interfaces;
    std::vector<OpenSlot> m_slots;
    std::vector<TraceEntry> m_trace;
    bool m_traceEnabled = true;
    int m_failEveryNthGet = 0;
    quint64 m_getCount = 0;
    qint64 m_mouseReports = 0; // reports that reached a mouse so far
    qint64 m_failReport = 0;   // as a number of m_mouseReports; 0 = none
    qint64 m_garbleFrom = 0;   // likewise
    bool m_garbage = false;
    quint32 m_garbageSeed = 0x12345678;
    DeviceClock *m_clock = nullptr;
    int m_latencyMs = 0;
    int m_plainSerial = 0;
    std::function<void()> m_enumerationHook;
};
