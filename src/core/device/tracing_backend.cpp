#include "device/tracing_backend.h"

namespace {

quint64 deviceKey(const IdPair &ids)
{
    return (quint64(ids.vendorId) << 32) | ids.productId;
}

} // namespace

HidHandle TracingBackend::open(const QByteArray &path)
{
    const HidHandle handle = m_inner.open(path);
    if (handle != kInvalidHandle)
        m_openPaths.insert(handle, path);
    return handle;
}

void TracingBackend::close(HidHandle handle)
{
    m_openPaths.remove(handle);
    m_inner.close(handle);
}

std::optional<IdPair> TracingBackend::attributes(HidHandle handle)
{
    const std::optional<IdPair> ids = m_inner.attributes(handle);
    // The search asks every interface for its ids before it sends anything,
    // which is the moment an interface joins its device's numbering.
    const QByteArray path = m_openPaths.value(handle);
    if (ids && !path.isEmpty() && !m_pathDevice.contains(path)) {
        const quint64 key = deviceKey(*ids);
        m_pathDevice.insert(path, key);
        m_devicePaths[key].append(path);
    }
    return ids;
}

int TracingBackend::interfaceIndex(HidHandle handle) const
{
    const QByteArray path = m_openPaths.value(handle);
    const auto device = m_pathDevice.constFind(path);
    if (path.isEmpty() || device == m_pathDevice.cend())
        return -1;
    return int(m_devicePaths.value(*device).indexOf(path));
}

bool TracingBackend::setFeature(HidHandle handle, const HidReport &report)
{
    const bool ok = m_inner.setFeature(handle, report);
    m_lines.append(traceLine(true, interfaceIndex(handle), report));
    return ok;
}

bool TracingBackend::getFeature(HidHandle handle, HidReport &report)
{
    const bool ok = m_inner.getFeature(handle, report);
    m_lines.append(traceLine(false, interfaceIndex(handle), report));
    return ok;
}

QString TracingBackend::traceLine(bool set, int interfaceIndex, const HidReport &report)
{
    QString line = set ? QStringLiteral("set ") : QStringLiteral("get ");
    line += QString::number(interfaceIndex);
    for (const quint8 byte : report)
        line += QStringLiteral(" %1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    return line;
}
