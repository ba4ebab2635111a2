#pragma once

#include "device/hid_backend.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Wraps the real or simulated HID backend and notes every feature report that
// crosses it, in order: "set IFACE B0 ... B7" for a set-feature and
// "get IFACE B0 ... B7" for a get-feature (the buffer as it came back). IFACE
// is the interface's position among the opened interfaces of the same device
// (same vendor and product id), in the order the search opened them.
class TracingBackend final : public HidBackend
{
public:
    explicit TracingBackend(HidBackend &inner) : m_inner(inner) {}

    const QStringList &lines() const { return m_lines; }

    QList<QByteArray> enumerateInterfaces() override { return m_inner.enumerateInterfaces(); }
    HidHandle open(const QByteArray &path) override;
    void close(HidHandle handle) override;
    // Passed on, so a program with the tracer around its backend still says
    // which of the mouse's nodes it may not open.
    std::optional<IdPair> deniedInterface(const QByteArray &path) override
    {
        return m_inner.deniedInterface(path);
    }
    bool isAlive(HidHandle handle) override { return m_inner.isAlive(handle); }
    std::optional<IdPair> attributes(HidHandle handle) override;
    int featureReportLength(HidHandle handle) override
    {
        return m_inner.featureReportLength(handle);
    }
    bool setFeature(HidHandle handle, const HidReport &report) override;
    bool getFeature(HidHandle handle, HidReport &report) override;

    // One trace line; exposed so the format can be checked on its own.
    static QString traceLine(bool set, int interfaceIndex, const HidReport &report);

private:
    int interfaceIndex(HidHandle handle) const;

    HidBackend &m_inner;
    QHash<HidHandle, QByteArray> m_openPaths;
    // Per device (vendor and product id), its interfaces in first-open order.
    QHash<quint64, QList<QByteArray>> m_devicePaths;
    QHash<QByteArray, quint64> m_pathDevice;
    QStringList m_lines;
};
