#include "hidapi_backend.h"

#include "device/report_descriptor.h"

#include <QFile>
#include <QSet>

#include <hidapi/hidapi.h>

#include <array>
#include <cerrno>
#include <unistd.h>

namespace {
// The largest descriptor the kernel hands out (HID_MAX_DESCRIPTOR_SIZE).
constexpr qint64 kMaxDescriptorSize = 4096;

// /dev/hidrawN -> /sys/class/hidraw/hidrawN/device/report_descriptor.
QByteArray readReportDescriptor(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray node = path.mid(slash + 1);
    if (!node.startsWith("hidraw"))
        return {};
    QFile file(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor")
                   .arg(QString::fromLatin1(node)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kMaxDescriptorSize);
}
} // namespace

HidapiBackend::HidapiBackend() : m_available(hid_init() == 0) {}

HidapiBackend::~HidapiBackend()
{
    for (Open &open : m_open) {
        if (open.device)
            hid_close(open.device);
    }
    if (m_available)
        hid_exit();
}

QList<QByteArray> HidapiBackend::enumerateInterfaces()
{
    QList<QByteArray> paths;
    if (!m_available)
        return paths;
    m_ids.clear();
    hid_device_info *list = hid_enumerate(0, 0);
    QSet<QByteArray> seen;
    // One node may be listed once per top-level collection.
    for (hid_device_info *info = list; info; info = info->next) {
        if (!info->path)
            continue;
        const QByteArray path(info->path);
        if (seen.contains(path))
            continue;
        seen.insert(path);
        paths.append(path);
        m_ids.insert(path, IdPair{info->vendor_id, info->product_id});
    }
    hid_free_enumeration(list);
    return paths;
}

HidHandle HidapiBackend::open(const QByteArray &path)
{
    if (!m_available)
        return kInvalidHandle;
    hid_device *device = hid_open_path(path.constData());
    if (!device)
        return kInvalidHandle;
    Open entry;
    entry.device = device;
    entry.path = path;
    if (hid_device_info *info = hid_get_device_info(device))
        entry.ids = IdPair{info->vendor_id, info->product_id};
    else if (m_ids.contains(path))
        entry.ids = m_ids.value(path);
    for (size_t i = 0; i < m_open.size(); ++i) {
        if (!m_open[i].device) {
            m_open[i] = entry;
            return HidHandle(i);
        }
    }
    m_open.push_back(entry);
    return HidHandle(m_open.size() - 1);
}

void HidapiBackend::close(HidHandle handle)
{
    if (Open *open = find(handle)) {
        hid_close(open->device);
        *open = Open{};
    }
}

std::optional<IdPair> HidapiBackend::deniedInterface(const QByteArray &path)
{
    const auto ids = m_ids.constFind(path);
    if (ids == m_ids.constEnd())
        return std::nullopt;
    // hidapi's own error text does not keep errno, so ask the kernel again.
    if (::access(path.constData(), R_OK | W_OK) == 0 || (errno != EACCES && errno != EPERM))
        return std::nullopt;
    return *ids;
}

HidapiBackend::Open *HidapiBackend::find(HidHandle handle)
{
    if (handle < 0 || size_t(handle) >= m_open.size() || !m_open[size_t(handle)].device)
        return nullptr;
    return &m_open[size_t(handle)];
}

bool HidapiBackend::isAlive(HidHandle handle)
{
    Open *open = find(handle);
    if (!open)
        return false;
    // hidapi's read polls the node and fails once the kernel has let go of
    // the device; an input report it takes meanwhile is of no use here.
    std::array<unsigned char, 64> input{};
    return hid_read_timeout(open->device, input.data(), input.size(), 0) >= 0;
}

std::optional<IdPair> HidapiBackend::attributes(HidHandle handle)
{
    const Open *open = find(handle);
    return open ? open->ids : std::nullopt;
}

int HidapiBackend::featureReportLength(HidHandle handle)
{
    Open *open = find(handle);
    if (!open)
        return 0;
    if (open->featureLength < 0) {
        const QByteArray descriptor = readReportDescriptor(open->path);
        const auto *bytes = reinterpret_cast<const quint8 *>(descriptor.constData());
        open->featureLength =
            featureReportByteLength({bytes, size_t(descriptor.size())}).value_or(0);
    }
    return open->featureLength;
}

bool HidapiBackend::setFeature(HidHandle handle, const HidReport &report)
{
    Open *open = find(handle);
    return open && hid_send_feature_report(open->device, report.data(), report.size()) >= 0;
}

bool HidapiBackend::getFeature(HidHandle handle, HidReport &report)
{
    Open *open = find(handle);
    if (!open)
        return false;
    HidReport reply = report;
    const int got = hid_get_feature_report(open->device, reply.data(), reply.size());
    return takeFeatureReply(got, reply, report);
}

bool HidapiBackend::takeFeatureReply(int got, const HidReport &reply, HidReport &report)
{
    if (got != kReportSize)
        return false;
    report = reply;
    return true;
}
