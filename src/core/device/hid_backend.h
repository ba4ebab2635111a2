#pragma once

#include "records/app_state.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <optional>

// One feature report as it travels: byte 0 is the report id, bytes 1-7 the
// payload. The mouse uses no other size.
inline constexpr int kReportSize = 8;
using HidReport = std::array<quint8, kReportSize>;

// The platform's HID access, reduced to what the device link needs. Handles
// are small integers owned by the backend; kInvalidHandle means "none".
// Implementations must never throw and must accept any handle value (an
// unknown or closed handle simply fails).
class HidBackend
{
public:
    virtual ~HidBackend() = default;

    // Paths of the HID interfaces present now, in a stable order.
    virtual QList<QByteArray> enumerateInterfaces() = 0;
    // kInvalidHandle when the interface cannot be opened.
    virtual HidHandle open(const QByteArray &path) = 0;
    virtual void close(HidHandle handle) = 0;
    // After open(path) failed: the interface's ids when it is present but
    // this user lacks the permission to open it, so the user can be told
    // why a mouse that is plugged in cannot be used. nullopt otherwise.
    virtual std::optional<IdPair> deniedInterface(const QByteArray &path)
    {
        Q_UNUSED(path);
        return std::nullopt;
    }

    // Whether an open interface is still there: the kernel gives a mouse
    // that was pulled out and plugged in again new nodes, and the handles
    // of the old ones stay dead even when the same paths come back.
    virtual bool isAlive(HidHandle handle)
    {
        Q_UNUSED(handle);
        return true;
    }

    virtual std::optional<IdPair> attributes(HidHandle handle) = 0;
    // Byte length of the interface's longest feature report (report id byte
    // included when the interface numbers its reports); 0 when unknown.
    virtual int featureReportLength(HidHandle handle) = 0;

    virtual bool setFeature(HidHandle handle, const HidReport &report) = 0;
    // report[0] carries the requested report id; on success the whole report
    // (id and payload) replaces the buffer.
    virtual bool getFeature(HidHandle handle, HidReport &report) = 0;
};
