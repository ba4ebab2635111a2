#pragma once

#include "configuration/configuration.h"
#include "device/device_observer.h"
#include "device/simulated_mouse.h"

#include <QByteArray>
#include <QStringList>

// "40 04 00 11 00 01 00 00"
QString reportHex(const HidReport &report);

// The reports the host sent (set-feature) from trace entry `from` on, as
// "<interface>:<hex>", refused ones with a trailing " !".
QStringList sentReports(const SimulatedMouse &sim, size_t from = 0);
// Set-feature reports of one report id from `from` on, accepted or not.
int countSent(const SimulatedMouse &sim, quint8 reportId, size_t from = 0);
// Successful get-feature reports from `from` on.
int countFetched(const SimulatedMouse &sim, size_t from = 0);
// Command reports (accepted) from `from` on, as hex.
QStringList sentCommands(const SimulatedMouse &sim, size_t from = 0);

// The embedded default image (34048 bytes); empty when it is missing.
QByteArray defaultImage();

// Records every hook in order, and the busy nesting.
class RecordingObserver : public DeviceObserver
{
public:
    // Recorded as "busyStarted" and "busyEnded".
    void transferStarted(TransferKind kind, int reportCount) override;
    void transferProgress(int chunk, int chunkCount) override;
    void transferEnded() override;
    void labelsChanged(const NoDeviceLabels &labels) override;
    // Recorded as "mouseLost:<labels>" (with "+macroLists" when the
    // lost mouse's macro lists were shown) and "mouseRejected:<labels>".
    void mouseLost(const NoDeviceLabels &page, bool macroListsShown) override;
    void mouseRejected(const NoDeviceLabels &page) override;
    // Recorded as "showDevicePages:A" or "showDevicePages:B".
    void readCompleted(bool familyA, bool familyB) override;
    void defaultMacrosTaken() override { events << "clearMacroEditor"; }
    void writeRequested(WriteCommand command) override; // "pressed:<n>"
    // Recorded as "message", worded in the language of `config` when set.
    void showMessage(const DeviceMessage &message) override;
    // Recorded apart from the events as "<kind>:<reports lost>".
    void transferFailed(TransferKind kind, quint32 lostReports) override;
    void confirmFinished() override { events << "close"; }

    const Configuration *config = nullptr;
    QStringList events; // without progress
    QStringList messages;
    QStringList failures;
    int progressCalls = 0;
    // The kind and announced report count of the last transfer started.
    TransferKind lastKind = TransferKind::ReadAll;
    int announcedReports = -1;
    int busyDepth = 0;
    int maxBusyDepth = 0;
    NoDeviceLabels labels;
};
