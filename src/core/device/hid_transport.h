#pragma once

#include "records/app_state.h"
#include "device/hid_backend.h"

#include <QList>

// Finds the mouse's two interfaces among the HID interfaces present and moves
// single feature reports through the one shared ReportBuffer.
class HidTransport
{
public:
    HidTransport(HidBackend &backend, AppState &state);
    ~HidTransport();
    HidTransport(const HidTransport &) = delete;
    HidTransport &operator=(const HidTransport &) = delete;

    // Interfaces present that can be opened, and those present that this
    // user may not open: plugging in a mouse without the permission to use
    // it still changes the count, so the search runs and can say why.
    quint32 CountHidInterfaces();

    // Looks at every interface: those with an 8-byte feature report and the
    // given ids are probed with the command and the data report; the last
    // interface that accepts each becomes CommandHandle / DataHandle. True
    // when any interface with these ids and an 8-byte report exists, even if
    // no probe passed.
    bool OpenMouse(quint32 vendorId, quint32 productId);
    // Paths of the interfaces with the searched ids that the last OpenMouse
    // could not open for lack of permission.
    const QList<QByteArray> &deniedMouseInterfaces() const { return m_denied; }

    // Send / fetch ReportBuffer on a handle; false at once for kInvalidHandle.
    bool SetFeatureReport(HidHandle handle);
    bool GetFeatureReport(HidHandle handle);

    HidReport &ReportBuffer() { return m_report; }
    const HidReport &ReportBuffer() const { return m_report; }

    // False when `handle` is open but its interface has gone (pulled out,
    // perhaps plugged in again under new nodes); true for kInvalidHandle.
    bool HandleAlive(HidHandle handle)
    {
        return handle == kInvalidHandle || m_backend.isAlive(handle);
    }

    // Closes every interface kept open for the mouse; AppState handles that
    // referred to them must already be invalid.
    void closeKeptHandles();

private:
    void closeUnusedHandles();

    HidBackend &m_backend;
    AppState &m_state;
    HidReport m_report{};
    // Interfaces that passed a probe. A search gives up the previous mouse,
    // so whatever is no longer CommandHandle or DataHandle gets closed
    // instead of leaking one descriptor per search.
    QList<HidHandle> m_kept;
    QList<QByteArray> m_denied;
};
