#pragma once

#include <QString>

#include <cstdint>

// The state that the device link, the configuration image and the pages share
// for the whole run. One instance per process (owned by whoever plays the main
// window: the GUI window or the command-line tool); every field starts at the
// value the program has before the first device search.
//
// Device handles are small integers handed out by a HidBackend; kInvalidHandle
// marks "no interface". A handle that is given up is only set invalid here;
// nothing is ever sent on it again.
using HidHandle = int;
inline constexpr HidHandle kInvalidHandle = -1;

struct IdPair
{
    quint32 vendorId = 0;
    quint32 productId = 0;
    friend bool operator==(const IdPair &, const IdPair &) = default;
};

struct AppState
{
    HidHandle CommandHandle = kInvalidHandle;
    HidHandle DataHandle = kInvalidHandle;
    quint32 DeviceVendorId = 0;
    quint32 DeviceProductId = 0;
    quint32 FeatureReportLength = 0;

    quint32 ImageVendorId = 0;
    quint32 ImageProductId = 0;
    IdPair CandidateIds[2];

    qint32 ImageLayoutCode = 0;  // 42, 58, or 0 for an unknown layout byte
    qint32 DeviceLayoutCode = 0; // 0 while no mouse is identified
    int ImageIdBytes[2] = {0, 0};

    // Where the identification read the mouse's identification bytes in its
    // parameter block (offset from its start) and the two bytes it found
    // there; -1 while no mouse passed the identification. A parameter block
    // is trusted, and written, only when it carries these bytes there.
    qint32 IdentifiedIdOffset = -1;
    quint8 IdentifiedIdBytes[2] = {0, 0};

    quint32 DeviceModeByte = 0;
    qint32 FlashType = 0;
    qint32 ParameterLength = 0;

    // Which memory routines the connected chip family uses; unset means none
    // was chosen, and every transfer then behaves as with no device.
    enum class Routines
    {
        None,
        FamilyA,
        FamilyB
    };
    Routines ReadMemory = Routines::None;
    Routines WriteMemory = Routines::None;

    bool ChipFamilyA = false;
    bool ChipFamilyB = false;

    bool DevTimerBusy = false;
    qint32 LastInterfaceCount = 0;

    bool ReportRateChanged = false;
    qint32 CurrentReportRate = 0; // 1000 or 500 once shown or applied

    bool NoDevicePage = false;
    int CurrentLanguage = 1; // 1, 2 or 3

    bool deviceOpen() const
    {
        return CommandHandle != kInvalidHandle && DataHandle != kInvalidHandle;
    }
};
