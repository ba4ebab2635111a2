#pragma once

#include "device/simulated_mouse.h"
#include "device/tracing_backend.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// What the virtual mouse answers, apart from how the reports reach it: K
// simulated mice (the model behind --simulate), each shown to the kernel as
// two HID devices, its command interface (feature report 0x40) and its data
// interface (0x41). Device d is interface d % 2 of mouse d / 2. Every report
// is traced in the programs' trace format, the interface numbered as the
// programs number it (0, 1, 2, ... in the order the devices were created).
class VirtualMouseFirmware
{
public:
    struct Options
    {
        QString family = QStringLiteral("b58");
        int count = 1;
        qint64 unplugAfter = -1; // destroy the devices after N feature reports
        qint64 replugAfter = -1; // destroy them and create them again after N
    };

    // What the devices must do after a report.
    enum class Plug
    {
        Stay,
        Unplug, // destroy every device for good
        Replug, // destroy every device and create them again
    };

    // nullopt with `error` for an unknown family or a count below 1.
    static std::unique_ptr<VirtualMouseFirmware> create(const Options &options, QString *error);

    // The report descriptor of device `device`: an ordinary mouse's input
    // report (id 1: three buttons, X and Y) and the vendor feature report of
    // its interface, 8 bytes with the id.
    static QByteArray reportDescriptor(int device);
    static quint8 featureReportId(int device) { return device % 2 == 0 ? 0x40 : 0x41; }

    int deviceCount() const { return m_options.count * 2; }
    QString deviceName(int device) const;

    // A set-feature that reached device `device` (report id first); false
    // when the device refuses it.
    bool setReport(int device, const QByteArray &report);
    // A get-feature of report `reportId`; the whole report (id first), or
    // nullopt when the device refuses it.
    std::optional<QByteArray> getReport(int device, quint8 reportId);
    // Asked after every report: whether the devices must go now.
    Plug afterReport();
    // The devices are there again (after a re-plug): fresh interfaces.
    void replugged();

    qint64 reportCount() const { return m_reports; }
    // Trace lines not yet taken.
    QStringList takeTrace();

    SimulatedMouse &mice() { return *m_mice; }

private:
    explicit VirtualMouseFirmware(const Options &options) : m_options(options) {}
    void openInterfaces();

    Options m_options;
    std::unique_ptr<SimulatedMouse> m_mice;
    std::unique_ptr<TracingBackend> m_tracer;
    QList<HidHandle> m_handles; // per device
    qint64 m_reports = 0;
    qsizetype m_traceTaken = 0;
    bool m_replugDone = false;
};
