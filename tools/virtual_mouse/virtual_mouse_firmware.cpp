#include "virtual_mouse_firmware.h"

#include "device/simulator_setup.h"

namespace {

// Report 1: three buttons and a relative X and Y, as any USB mouse sends.
constexpr quint8 kMouseInput[] = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05,
    0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01,
    0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x03, 0x05, 0x01, 0x09, 0x30, 0x09,
    0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0,
};

// A vendor collection with one feature report of seven data bytes; the id
// byte (0x40 or 0x41) is filled in.
constexpr quint8 kVendorFeature[] = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x00, 0x09, 0x01, 0x15,
    0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0,
};
constexpr int kFeatureIdOffset = 8;

HidReport toReport(const QByteArray &bytes)
{
    HidReport report{};
    for (int i = 0; i < kReportSize && i < bytes.size(); ++i)
        report[size_t(i)] = quint8(bytes.at(i));
    return report;
}

} // namespace

std::unique_ptr<VirtualMouseFirmware> VirtualMouseFirmware::create(const Options &options,
                                                                   QString *error)
{
    const std::optional<SimulatedMouseConfig> config = SimulatorSetup::mouseConfig(options.family);
    if (!config) {
        *error = QStringLiteral("unknown mouse family \"%1\" (use a58, b58, a42 or b42)")
                     .arg(options.family);
        return nullptr;
    }
    if (options.count < 1) {
        *error = QStringLiteral("--count must be at least 1");
        return nullptr;
    }
    std::unique_ptr<VirtualMouseFirmware> firmware(new VirtualMouseFirmware(options));
    firmware->m_mice = std::make_unique<SimulatedMouse>(*config);
    firmware->m_mice->setTraceEnabled(false); // traced below, as the programs trace
    for (int mouse = 1; mouse < options.count; ++mouse)
        firmware->m_mice->addMouse(*config);
    for (int mouse = 0; mouse < options.count; ++mouse) {
        if (!SimulatorSetup::placeDefaultImage(*firmware->m_mice, mouse)) {
            *error = QStringLiteral("the embedded default image is missing");
            return nullptr;
        }
    }
    firmware->m_tracer = std::make_unique<TracingBackend>(*firmware->m_mice);
    firmware->openInterfaces();
    return firmware;
}

void VirtualMouseFirmware::openInterfaces()
{
    for (HidHandle handle : std::as_const(m_handles))
        m_tracer->close(handle);
    m_handles.clear();
    for (int device = 0; device < deviceCount(); ++device) {
        const int index = m_mice->mouseInterface(device / 2, device % 2);
        const QList<QByteArray> paths = m_mice->enumerateInterfaces();
        const HidHandle handle =
            index >= 0 && index < paths.size() ? m_tracer->open(paths.at(index)) : kInvalidHandle;
        // Asking for the ids numbers the interface in the trace.
        m_tracer->attributes(handle);
        m_handles.append(handle);
    }
}

QByteArray VirtualMouseFirmware::reportDescriptor(int device)
{
    QByteArray descriptor(reinterpret_cast<const char *>(kMouseInput), sizeof kMouseInput);
    QByteArray feature(reinterpret_cast<const char *>(kVendorFeature), sizeof kVendorFeature);
    feature[kFeatureIdOffset] = char(featureReportId(device));
    return descriptor + feature;
}

QString VirtualMouseFirmware::deviceName(int device) const
{
    return QStringLiteral("Gaming Mouse (virtual %1, %2 interface)")
        .arg(device / 2)
        .arg(device % 2 == 0 ? QStringLiteral("command") : QStringLiteral("data"));
}

bool VirtualMouseFirmware::setReport(int device, const QByteArray &report)
{
    ++m_reports;
    if (device < 0 || device >= m_handles.size() || report.size() != kReportSize)
        return false;
    return m_tracer->setFeature(m_handles.at(device), toReport(report));
}

std::optional<QByteArray> VirtualMouseFirmware::getReport(int device, quint8 reportId)
{
    ++m_reports;
    if (device < 0 || device >= m_handles.size())
        return std::nullopt;
    HidReport report{};
    report[0] = reportId;
    if (!m_tracer->getFeature(m_handles.at(device), report))
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char *>(report.data()), kReportSize);
}

VirtualMouseFirmware::Plug VirtualMouseFirmware::afterReport()
{
    if (m_options.unplugAfter >= 0 && m_reports >= m_options.unplugAfter) {
        for (int mouse = 0; mouse < m_options.count; ++mouse)
            m_mice->setPlugged(false, mouse);
        return Plug::Unplug;
    }
    if (!m_replugDone && m_options.replugAfter >= 0 && m_reports >= m_options.replugAfter) {
        m_replugDone = true;
        return Plug::Replug;
    }
    return Plug::Stay;
}

void VirtualMouseFirmware::replugged()
{
    // A mouse pulled out forgets a half-done command, and its old
    // interfaces are gone.
    for (int mouse = 0; mouse < m_options.count; ++mouse) {
        m_mice->setPlugged(false, mouse);
        m_mice->setPlugged(true, mouse);
    }
    openInterfaces();
}

QStringList VirtualMouseFirmware::takeTrace()
{
    const QStringList &lines = m_tracer->lines();
    QStringList fresh = lines.mid(m_traceTaken);
    m_traceTaken = lines.size();
    return fresh;
}
