// Device replies from the fuzz input through the hot-plug tick, the
// identification and the read-all (and, when asked, a write-all and an
// unplug). Whatever a device answers, the link must stay inside its
// buffers, never use an interface it has closed, keep busy-window calls
// paired, leave no stray open interfaces, and end in a consistent state.
//
// Input: byte 0 bits 0-4 the number of other HID interfaces; bit 5: once
// the input is used up, answers read as erased memory (otherwise they
// fail); bit 6: write-all after a successful read-all; bit 7: the mouse is
// unplugged for a last tick. Byte 1 bits 0-1 the mouse interfaces' feature
// report length (8, 8, 9, 65), bit 2: one interface takes both reports.
// Every further 8 bytes answer one get-feature request.

#include "fuzz_support.h"

#include "device/device_link.h"

#include <algorithm>
#include <vector>

namespace {

class FuzzBackend final : public HidBackend
{
public:
    FuzzBackend(FuzzInput &input, IdPair mouseIds, int otherInterfaces, int featureLength,
                bool combined, bool erasedWhenDone)
        : m_input(input), m_ids(mouseIds), m_featureLength(featureLength),
          m_erasedWhenDone(erasedWhenDone)
    {
        m_interfaces.push_back({"mouse-command", true, true});
        if (!combined)
            m_interfaces.push_back({"mouse-data", true, true});
        for (int i = 0; i < otherInterfaces; ++i)
            m_interfaces.push_back({"other-" + QByteArray::number(i), false, true});
    }

    void unplugMouse()
    {
        for (Interface &iface : m_interfaces)
            iface.present = iface.present && !iface.mouse;
    }
    int openCount() const
    {
        return int(std::count_if(m_handles.begin(), m_handles.end(), [](int i) { return i >= 0; }));
    }
    int interfaceCount() const
    {
        return int(std::count_if(m_interfaces.begin(), m_interfaces.end(),
                                 [](const Interface &i) { return i.present; }));
    }

    QList<QByteArray> enumerateInterfaces() override
    {
        QList<QByteArray> paths;
        for (const Interface &iface : m_interfaces) {
            if (iface.present)
                paths.append(iface.path);
        }
        return paths;
    }

    HidHandle open(const QByteArray &path) override
    {
        for (size_t i = 0; i < m_interfaces.size(); ++i) {
            if (m_interfaces[i].present && m_interfaces[i].path == path) {
                m_handles.push_back(int(i));
                return HidHandle(m_handles.size()); // handles start at 1
            }
        }
        return kInvalidHandle;
    }

    void close(HidHandle handle) override
    {
        FUZZ_CHECK(isOpen(handle)); // closed twice or never opened
        m_handles[size_t(handle - 1)] = -1;
    }

    std::optional<IdPair> attributes(HidHandle handle) override
    {
        if (!isOpen(handle))
            return std::nullopt;
        return interfaceOf(handle).mouse ? m_ids : IdPair{0x046D, 0xC077};
    }

    int featureReportLength(HidHandle handle) override
    {
        if (!isOpen(handle))
            return 0;
        return interfaceOf(handle).mouse ? m_featureLength : 5;
    }

    bool setFeature(HidHandle handle, const HidReport &report) override
    {
        (void)report;
        checkNotClosed(handle);
        return isPresent(handle);
    }

    bool getFeature(HidHandle handle, HidReport &report) override
    {
        checkNotClosed(handle);
        if (!isPresent(handle))
            return false;
        if (m_input.remaining() >= size_t(kReportSize)) {
            const QByteArrayView answer = m_input.bytes(kReportSize);
            for (int i = 0; i < kReportSize; ++i)
                report[size_t(i)] = quint8(answer[i]);
            return true;
        }
        if (!m_erasedWhenDone)
            return false;
        for (int i = 1; i < kReportSize; ++i)
            report[size_t(i)] = 0xFF;
        return true;
    }

private:
    struct Interface
    {
        QByteArray path;
        bool mouse = false;
        bool present = true;
    };

    bool isOpen(HidHandle handle) const
    {
        return handle >= 1 && size_t(handle) <= m_handles.size() &&
               m_handles[size_t(handle - 1)] >= 0;
    }
    const Interface &interfaceOf(HidHandle handle) const
    {
        return m_interfaces[size_t(m_handles[size_t(handle - 1)])];
    }
    // A report on an interface the link opened and closed again is a
    // use after close; unknown handle values merely fail.
    void checkNotClosed(HidHandle handle) const
    {
        const bool closed = handle >= 1 && size_t(handle) <= m_handles.size() && !isOpen(handle);
        FUZZ_CHECK(!closed);
    }
    // Open and still plugged in.
    bool isPresent(HidHandle handle) const { return isOpen(handle) && interfaceOf(handle).present; }

    FuzzInput &m_input;
    IdPair m_ids;
    int m_featureLength;
    bool m_erasedWhenDone;
    std::vector<Interface> m_interfaces;
    std::vector<int> m_handles; // handle - 1 -> interface index, -1 once closed
};

class PairingObserver final : public DeviceObserver
{
public:
    void transferStarted(TransferKind kind, int reportCount) override
    {
        Q_UNUSED(kind);
        FUZZ_CHECK(reportCount >= 0);
        FUZZ_CHECK(depth == 0);
        ++depth;
    }
    void transferEnded() override
    {
        FUZZ_CHECK(depth == 1);
        --depth;
    }
    void transferProgress(int chunk, int chunkCount) override
    {
        FUZZ_CHECK(depth == 1);
        FUZZ_CHECK(chunk >= 0 && chunk <= chunkCount);
    }
    int depth = 0;
};

void checkConsistent(const Configuration &config, const DeviceLink &link,
                     const FuzzBackend &backend)
{
    const AppState &state = config.state();
    const ImageBuffers &image = config.image();
    FUZZ_CHECK(image.DataBuf.size() == kParameterBlockSize);
    FUZZ_CHECK(image.MacroNameTable.size() == kMacroNameTableSize);
    FUZZ_CHECK(image.MacroBlocks.size() == kMacroBlocksSize);
    FUZZ_CHECK(!(state.ChipFamilyA && state.ChipFamilyB));
    const SectionRecords &s = config.sections();
    FUZZ_CHECK(s.ParameterA.size() == SectionRecords::kParameterALength);
    FUZZ_CHECK(s.ParameterB.size() == SectionRecords::kParameterBLength);
    FUZZ_CHECK(s.UserBreath.size() == SectionRecords::kUserBreathLength);
    FUZZ_CHECK(s.FireKey.size() == SectionRecords::kFireKeyLength);
    FUZZ_CHECK(s.Profile.size() == SectionRecords::kProfileLength);
    // Every interface kept open is one the link may still use.
    FUZZ_CHECK(backend.openCount() <= backend.interfaceCount() + 2);

    switch (link.connection.connectionState()) {
    case ConnectionState::Connected:
        FUZZ_CHECK(state.deviceOpen());
        FUZZ_CHECK(state.ChipFamilyA || state.ChipFamilyB);
        FUZZ_CHECK(state.ReadMemory != AppState::Routines::None);
        break;
    case ConnectionState::NoDevice:
    case ConnectionState::Dropped:
    case ConnectionState::TypeError:
    case ConnectionState::IdError:
        FUZZ_CHECK(!state.deviceOpen());
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t machine = input.byte();
    const uint8_t mouse = input.byte();
    static constexpr int kFeatureLengths[] = {8, 8, 9, 65};

    Configuration config;
    FUZZ_CHECK(config.startUp());
    const IdPair ids{config.state().ImageVendorId, config.state().ImageProductId};
    FuzzBackend backend(input, ids, machine & 31, kFeatureLengths[mouse & 3], (mouse & 4) != 0,
                        (machine & 32) != 0);
    ManualClock clock;
    DeviceLink link(config, backend, clock);
    PairingObserver observer;
    link.setObserver(&observer);

    const SectionRecords before = config.sections();
    link.connection.DevTimerTimer();
    FUZZ_CHECK(observer.depth == 0);
    checkConsistent(config, link, backend);
    if (link.connection.connectionState() == ConnectionState::ReadFailed) {
        // A failed read-all leaves the window as it was.
        FUZZ_CHECK(config.sections().ParameterA == before.ParameterA);
        FUZZ_CHECK(config.sections().Profile == before.Profile);
    }

    if ((machine & 64) && link.connection.connectionState() == ConnectionState::Connected) {
        const bool written = link.transfer.DownloadParameter();
        FUZZ_CHECK(written == (link.transfer.lastFailedReports() == 0));
        FUZZ_CHECK(observer.depth == 0);
        checkConsistent(config, link, backend);
    }

    if (machine & 128) {
        backend.unplugMouse();
        link.connection.DevTimerTimer();
        FUZZ_CHECK(observer.depth == 0);
        checkConsistent(config, link, backend);
        FUZZ_CHECK(!config.state().deviceOpen());
    }
    return 0;
}
