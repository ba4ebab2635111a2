#include "device/hid_transport.h"

namespace {
constexpr int kMouseFeatureReportLength = 8;
constexpr HidReport kCommandProbe = {0x40, 0x04, 0x00, 0x11, 0x00, 0x01, 0x00, 0x00};
constexpr HidReport kDataProbe = {0x41, 0, 0, 0, 0, 0, 0, 0};
} // namespace

HidTransport::HidTransport(HidBackend &backend, AppState &state)
    : m_backend(backend), m_state(state)
{}

HidTransport::~HidTransport()
{
    for (HidHandle handle : std::as_const(m_kept))
        m_backend.close(handle);
}

quint32 HidTransport::CountHidInterfaces()
{
    quint32 count = 0;
    const QList<QByteArray> paths = m_backend.enumerateInterfaces();
    for (const QByteArray &path : paths) {
        const HidHandle handle = m_backend.open(path);
        if (handle == kInvalidHandle) {
            if (m_backend.deniedInterface(path))
                ++count;
            continue;
        }
        ++count;
        m_backend.close(handle);
    }
    return count;
}

bool HidTransport::OpenMouse(quint32 vendorId, quint32 productId)
{
    closeUnusedHandles();
    m_denied.clear();
    bool found = false;
    const QList<QByteArray> paths = m_backend.enumerateInterfaces();
    for (const QByteArray &path : paths) {
        const HidHandle handle = m_backend.open(path);
        if (handle == kInvalidHandle) {
            const std::optional<IdPair> denied = m_backend.deniedInterface(path);
            if (denied && denied->vendorId == vendorId && denied->productId == productId)
                m_denied.append(path);
            continue;
        }
        const std::optional<IdPair> ids = m_backend.attributes(handle);
        const int length = m_backend.featureReportLength(handle);
        if (length != kMouseFeatureReportLength || !ids || ids->vendorId != vendorId ||
            ids->productId != productId) {
            m_backend.close(handle);
            continue;
        }
        found = true;
        m_state.DeviceVendorId = ids->vendorId;
        m_state.DeviceProductId = ids->productId;
        m_state.FeatureReportLength = quint32(length);

        bool passed = false;
        m_report = kCommandProbe;
        if (SetFeatureReport(handle)) {
            m_state.CommandHandle = handle;
            passed = true;
        }
        m_report = kDataProbe;
        if (SetFeatureReport(handle)) {
            m_state.DataHandle = handle;
            passed = true;
        }
        if (passed)
            m_kept.append(handle);
        else
            m_backend.close(handle);
    }
    // An interface that passed a probe but was overtaken by a later one is
    // of no further use.
    closeUnusedHandles();
    return found;
}

bool HidTransport::SetFeatureReport(HidHandle handle)
{
    if (handle == kInvalidHandle)
        return false;
    return m_backend.setFeature(handle, m_report);
}

bool HidTransport::GetFeatureReport(HidHandle handle)
{
    if (handle == kInvalidHandle)
        return false;
    return m_backend.getFeature(handle, m_report);
}

void HidTransport::closeKeptHandles()
{
    for (HidHandle handle : std::as_const(m_kept))
        m_backend.close(handle);
    m_kept.clear();
}

void HidTransport::closeUnusedHandles()
{
    for (qsizetype i = m_kept.size() - 1; i >= 0; --i) {
        const HidHandle handle = m_kept.at(i);
        if (handle == m_state.CommandHandle || handle == m_state.DataHandle)
            continue;
        m_backend.close(handle);
        m_kept.removeAt(i);
    }
}
