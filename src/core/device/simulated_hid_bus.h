#pragma once

#include "device/hid_backend.h"

#include <QByteArray>

#include <functional>
#include <vector>

// The machine's HID interfaces as the platform would list them: each
// simulated mouse has a command interface (report 0x40) and a data interface
// (0x41), or one interface for both; plain interfaces (keyboards and the like)
// belong to other devices and know neither report. The bus hands out handles,
// answers the enumeration, ids and feature report lengths, refuses a report on
// the interface that does not take it and traces every report; what a report
// does is the business of the device behind it.
class SimulatedHidBus final : public HidBackend
{
public:
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

    struct Interface
    {
        QByteArray path;
        int mouse = -1; // -1: a plain interface of some other device
        bool combined = false;
        bool acceptsCommand = false;
        bool acceptsData = false;
        bool present = true;
        bool openable = true;
        bool accessDenied = false; // present, but this user may not open it
        quint32 generation = 0;    // bumped on unplug; old handles go dead
        IdPair ids;
        int featureLength = 0;

        // Whether the interface takes a report with this id at all.
        bool accepts(quint8 reportId) const;
    };

    // What stands behind the mice's interfaces.
    class Devices
    {
    public:
        virtual ~Devices() = default;
        virtual IdPair mouseIds(int mouse) const = 0;
        virtual int mouseFeatureLength(int mouse) const = 0;
        // Both return whether the report was accepted.
        virtual bool setReport(const Interface &iface, const HidReport &report) = 0;
        virtual bool getReport(const Interface &iface, HidReport &report) = 0;
    };

    explicit SimulatedHidBus(Devices &devices);

    // Interfaces are enumerated in the order they were added.
    void addMouseInterfaces(int mouse, bool combined);
    void addPlainInterfaces(int count);
    void removePlainInterfaces(int count);
    int interfaceCount() const; // present ones
    int mouseInterface(int mouse, int which) const;
    // Unplugging a mouse kills the handles open on its interfaces.
    void setMousePresent(int mouse, bool present);

    void setReportAccepted(int interfaceIndex, quint8 reportId, bool accepted);
    void setOpenable(int interfaceIndex, bool openable);
    void setAccessDenied(int interfaceIndex, bool denied);
    int openHandleCount() const;
    void setEnumerationHook(std::function<void()> hook) { m_enumerationHook = std::move(hook); }

    const std::vector<TraceEntry> &trace() const { return m_trace; }
    void clearTrace() { m_trace.clear(); }
    void setTraceEnabled(bool enabled) { m_traceEnabled = enabled; }

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
    struct OpenSlot
    {
        int interfaceIndex = -1; // -1: free
        quint32 generation = 0;
        quint32 reuse = 0;
    };

    const Interface *interfaceFor(HidHandle handle, int *index = nullptr) const;
    IdPair idsOf(const Interface &iface) const;
    void record(TraceEntry::Direction direction, bool accepted, int index, const HidReport &bytes);

    Devices &m_devices;
    std::vector<Interface> m_interfaces;
    std::vector<OpenSlot> m_slots;
    std::vector<TraceEntry> m_trace;
    bool m_traceEnabled = true;
    int m_plainSerial = 0;
    std::function<void()> m_enumerationHook;
};
