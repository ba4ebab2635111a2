#include "device/configuration_transfer.h"

#include "backup/backup_image.h"
#include "device/mouse_identity.h"
#include "records/memory_map.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
std::span<const quint8> bytesOf(const QByteArray &array)
{
    return {reinterpret_cast<const quint8 *>(array.constData()), size_t(array.size())};
}
} // namespace

// The busy-window convention: whatever way a transfer leaves, the window is
// uncovered and the hot-plug timer runs again.
class ConfigurationTransfer::BusyScope
{
public:
    BusyScope(ConfigurationTransfer &transfer, TransferKind kind) : m_transfer(transfer)
    {
        m_transfer.m_busy = true;
        m_transfer.m_observer->transferStarted(kind, m_transfer.reportCount(kind));
        DeviceObserver *observer = m_transfer.m_observer;
        m_transfer.m_protocol.setChunkProgress(
            [observer](int chunk, int count) { observer->transferProgress(chunk, count); });
    }
    ~BusyScope()
    {
        m_transfer.m_protocol.setChunkProgress({});
        m_transfer.m_observer->transferEnded();
        m_transfer.m_busy = false;
    }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    ConfigurationTransfer &m_transfer;
};

ConfigurationTransfer::ConfigurationTransfer(Configuration &config, CommandProtocol &protocol)
    : m_config(config), m_state(config.state()), m_protocol(protocol)
{}

// Everything a read-all fetches, gathered before any of it is taken.
struct ConfigurationTransfer::MouseImage
{
    std::array<quint8, kParameterBlockSize> block{};
    std::array<quint8, kParameterBlockSize> blockAgain{}; // the second read of the block
    std::array<quint8, kMacroBlocksSize> macroBlocks{};
    std::array<quint8, kMacroNameTableSize> nameTable{};
    std::array<quint8, SectionRecords::kParameterBLength> parameterB{};
    std::array<quint8, SectionRecords::kUserBreathLength> userBreath{};
};

bool ConfigurationTransfer::readInto(quint32 address, std::span<quint8> scratch)
{
    const quint32 failedBefore = m_protocol.failedReports();
    const bool ok = m_protocol.ReadMemory(address, quint32(scratch.size()), scratch);
    return ok && m_protocol.failedReports() == failedBefore;
}

ConfigurationTransfer::ReadOutcome ConfigurationTransfer::readWholeMouse(MouseImage &read)
{
    const size_t length = size_t(std::clamp<int>(m_state.ParameterLength, 0, kParameterBlockSize));
    if (length == 0 ||
        !readInto(memory_map::kParameterAddress, std::span(read.block).first(length)))
        return ReadOutcome::Lost;
    // The first lost report ends the read: a mouse that went away answers
    // nothing more, and what was read is not taken anyway.
    if (m_state.ChipFamilyB) {
        for (int i = 0; i < kMacroCount; ++i) {
            if (!readInto(memory_map::kMacroAddress + memory_map::kMacroStride * quint32(i),
                          std::span(read.macroBlocks)
                              .subspan(size_t(kMacroBlockSize) * size_t(i), kMacroBlockSize)))
                return ReadOutcome::Lost;
        }
        if (!readInto(memory_map::kNameTableAddress, read.nameTable) ||
            !readInto(memory_map::kParameterBAddress, read.parameterB) ||
            !readInto(memory_map::kUserBreathAddress, read.userBreath))
            return ReadOutcome::Lost;
    }
    // The replies carry no check of their own, and a garbled block would be
    // written back with garbage where the mouse keeps the bytes it is
    // identified by. So the block is read once more, last, and taken only
    // when both reads agree and hold the bytes the identification read.
    if (!readInto(memory_map::kParameterAddress, std::span(read.blockAgain).first(length)))
        return ReadOutcome::Lost;
    const auto view = [length](const std::array<quint8, kParameterBlockSize> &block) {
        return QByteArrayView(block.data(), qsizetype(length));
    };
    return consistentParameterReads(view(read.block), view(read.blockAgain), m_state)
               ? ReadOutcome::Complete
               : ReadOutcome::Inconsistent;
}

void ConfigurationTransfer::takeWholeMouse(const MouseImage &read)
{
    const auto bytes = [](std::span<const quint8> from) {
        return QByteArray(reinterpret_cast<const char *>(from.data()), qsizetype(from.size()));
    };
    const int length = std::clamp<int>(m_state.ParameterLength, 0, kParameterBlockSize);
    ImageBuffers &image = m_config.image();
    if (m_state.ChipFamilyB) {
        image.MacroBlocks = bytes(read.macroBlocks);
        image.MacroNameTable = bytes(read.nameTable);
        m_config.sections().ParameterB = bytes(read.parameterB);
        m_config.sections().UserBreath = bytes(read.userBreath);
        m_config.RefreshMacroName();
    }
    image.DataBuf.replace(0, length, bytes(std::span(read.block).first(size_t(length))));
    m_mouseBlock = image.DataBuf;
    m_known = imageOf(read);
}

QByteArray ConfigurationTransfer::imageOf(const MouseImage &read) const
{
    const auto bytes = [](std::span<const quint8> from) {
        return QByteArray(reinterpret_cast<const char *>(from.data()), qsizetype(from.size()));
    };
    // A family-A mouse has no macro memory: its macro area is 0xFF, as in
    // its profile files.
    if (!m_state.ChipFamilyB)
        return bytes(read.block).leftJustified(kImageSize, char(0xFF));
    return withOwnAreas(bytes(read.block) + bytes(read.nameTable) + bytes(read.macroBlocks),
                        bytes(read.parameterB), bytes(read.userBreath), m_state.DeviceLayoutCode);
}

bool ConfigurationTransfer::readForBackup()
{
    const bool complete = [this] {
        BusyScope busy(*this, TransferKind::BackupRead);
        auto read = std::make_unique<MouseImage>();
        if (readWholeMouse(*read) != ReadOutcome::Complete)
            return false;
        m_known = imageOf(*read);
        return true;
    }();
    if (!complete)
        m_observer->transferFailed(TransferKind::BackupRead, m_protocol.failedReports());
    // Reports this read lost are the backup's failure, not the write's.
    m_protocol.resetFailedReports();
    return complete;
}

bool ConfigurationTransfer::takeLock()
{
    m_lockRefused = false;
    if (!m_lock || m_lock->enter(IdPair{m_state.DeviceVendorId, m_state.DeviceProductId}))
        return true;
    m_lockRefused = true;
    m_observer->showMessage({DeviceMessage::Id::MouseInUse});
    return false;
}

bool ConfigurationTransfer::readAll()
{
    m_protocol.resetFailedReports();
    m_lastReadComplete = false;
    m_known.clear(); // whatever mouse answers now, it is read afresh
    m_lastFailed = 0;
    if (!takeLock())
        return false;
    const ReadOutcome outcome = [this] {
        BusyScope busy(*this, TransferKind::ReadAll);
        // Nothing is taken unless everything came: a parameter block with
        // holes would only be "repaired" into defaults, and macro buffers
        // the mouse did not deliver would be written back over its macros.
        auto read = std::make_unique<MouseImage>();
        const ReadOutcome result = readWholeMouse(*read);
        if (result == ReadOutcome::Complete) {
            takeWholeMouse(*read);
            m_config.DataBufToUI();
            if (m_systemSettings)
                m_systemSettings->refreshFromSystem();
            ShowDevicePages();
            m_lastReadComplete = true;
        }
        return result;
    }();
    if (m_lock)
        m_lock->leave();
    m_lastFailed = m_protocol.failedReports();
    if (!m_lastReadComplete)
        m_observer->transferFailed(TransferKind::ReadAll, m_lastFailed);
    // The hot-plug tick reads a mouse that failed again and again; one box
    // says so, not one per tick.
    if (!m_lastReadComplete && !m_failureShown) {
        if (outcome == ReadOutcome::Inconsistent)
            m_observer->showMessage({DeviceMessage::Id::ReadInconsistent});
        else
            m_observer->showMessage(
                {DeviceMessage::Id::ReadFailed, std::max<quint32>(m_lastFailed, 1)});
    }
    m_failureShown = !m_lastReadComplete;
    return m_lastReadComplete;
}

void ConfigurationTransfer::ShowDevicePages()
{
    m_observer->readCompleted(m_state.ChipFamilyA, m_state.ChipFamilyB);
    m_state.NoDevicePage = false;
    m_observer->processEvents();
}

bool ConfigurationTransfer::deviceReady() const
{
    // Handles of a mouse whose identification stopped early come without
    // chosen routines; such a mouse is treated as absent.
    return m_state.deviceOpen() && m_state.ReadMemory != AppState::Routines::None &&
           m_state.WriteMemory != AppState::Routines::None && m_state.ParameterLength > 0;
}

void ConfigurationTransfer::writeAction(WriteCommand command)
{
    m_observer->writeRequested(command);
    if (!deviceReady()) {
        m_observer->showMessage({DeviceMessage::Id::NoMouse});
        return;
    }
    if (command != WriteCommand::Reset && !m_lastReadComplete) {
        // The buffers do not hold this mouse's configuration; the window
        // stays open so the next tick can read it again.
        m_observer->showMessage({DeviceMessage::Id::NotReadCompletely});
        return;
    }
    if (command == WriteCommand::Reset)
        DefaultParameter();
    else
        DownloadParameter();
    // Confirm closes whatever the write's result, but not when the user
    // kept the mouse from being written for want of a backup: the edits
    // would be lost with the window.
    if (command == WriteCommand::Confirm && !m_stoppedForBackup)
        m_observer->confirmFinished();
}

void ConfigurationTransfer::confirm()
{
    writeAction(WriteCommand::Confirm);
}

void ConfigurationTransfer::apply()
{
    writeAction(WriteCommand::Apply);
}

void ConfigurationTransfer::reset()
{
    writeAction(WriteCommand::Reset);
}

void ConfigurationTransfer::writeMacroArea(const QByteArray &nameTable,
                                           const QByteArray &macroBlocks)
{
    const quint32 length = quint32(m_state.ParameterLength);
    auto piece = [&](const QByteArray &source, qsizetype offset, quint32 address) {
        std::fill(StagingBuffer.begin(), StagingBuffer.end(), quint8(0xFF));
        const qsizetype available = std::clamp<qsizetype>(source.size() - offset, 0, kPieceSize);
        std::memcpy(StagingBuffer.data(), source.constData() + offset, size_t(available));
        m_protocol.WriteMemory(address, std::min<quint32>(length, kPieceSize), StagingBuffer);
    };
    for (int k = 0; k < kPiecesPerKilobyte; ++k)
        piece(nameTable, kPieceSize * k, memory_map::kNameTableAddress + kPieceSize * quint32(k));
    for (int i = 0; i < kMacroCount; ++i) {
        for (int k = 0; k < kPiecesPerKilobyte; ++k)
            piece(macroBlocks, qsizetype(kMacroBlockSize) * i + kPieceSize * k,
                  memory_map::kMacroAddress + memory_map::kMacroStride * quint32(i) +
                      kPieceSize * quint32(k));
    }
}

void ConfigurationTransfer::writeShortSections()
{
    const SectionRecords &sections = m_config.sections();
    m_protocol.WriteMemory(memory_map::kParameterBAddress, quint32(sections.ParameterB.size()),
                           bytesOf(sections.ParameterB));
    m_protocol.WriteMemory(memory_map::kUserBreathAddress, quint32(sections.UserBreath.size()),
                           bytesOf(sections.UserBreath));
}

bool ConfigurationTransfer::backedUpWrite(TransferKind kind,
                                          const std::function<QByteArray(bool &)> &write)
{
    m_stoppedForBackup = false;
    if (!takeLock())
        return false;
    if (!backupBeforeWrite()) {
        m_stoppedForBackup = true;
        if (m_lock)
            m_lock->leave();
        return false;
    }
    bool identityKept = true;
    QByteArray written;
    {
        BusyScope busy(*this, kind);
        written = write(identityKept);
    }
    return finishWrite(kind, identityKept, written);
}

bool ConfigurationTransfer::DownloadParameter()
{
    m_protocol.resetFailedReports();
    m_lastFailed = 0;
    if (!m_lastReadComplete) {
        m_observer->showMessage({DeviceMessage::Id::NotReadCompletely});
        return false;
    }
    return backedUpWrite(TransferKind::WriteAll, [this](bool &identityKept) -> QByteArray {
        QByteArray &dataBuf = m_config.image().DataBuf;
        dataBuf.fill(char(0xFF), kParameterBlockSize);
        m_config.AssembleDataBuf();
        keepMouseIdentity(dataBuf, m_mouseBlock, m_state.DeviceLayoutCode);
        identityKept = carriesIdentifiedBytes(dataBuf, m_state);
        m_observer->processEvents();
        if (!identityKept)
            return {};
        if (m_systemSettings)
            m_systemSettings->storeAndApply();
        if (m_state.ChipFamilyB)
            m_config.UIToMacroName();
        const ImageBuffers &image = m_config.image();
        writeConfiguration(dataBuf, image);
        return writtenImage(dataBuf, image.MacroNameTable, image.MacroBlocks);
    });
}

bool ConfigurationTransfer::DefaultParameter()
{
    m_protocol.resetFailedReports();
    m_lastFailed = 0;
    bool loaded = false;
    const auto write = [this, &loaded](bool &identityKept) -> QByteArray {
        // Without the embedded defaults there is nothing sound to write.
        loaded = takeDefaults();
        if (!loaded)
            return {};
        const ImageBuffers &defaults = m_config.defaultImage();
        // The defaults carry the image's identity, which the mouse matched
        // when it was identified; its own bytes are kept all the same,
        // whatever was read.
        QByteArray block = defaults.DataBuf;
        if (m_lastReadComplete)
            keepMouseIdentity(block, m_mouseBlock, m_state.DeviceLayoutCode);
        identityKept = carriesIdentifiedBytes(block, m_state);
        if (!identityKept)
            return {};
        writeConfiguration(block, defaults);
        return writtenImage(block, defaults.MacroNameTable, defaults.MacroBlocks);
    };
    const bool complete = backedUpWrite(TransferKind::Reset, write);
    return complete && loaded;
}

void ConfigurationTransfer::writeConfiguration(const QByteArray &block, const ImageBuffers &macros)
{
    if (m_state.ChipFamilyB)
        m_protocol.eraseConfigurationRegions();
    const quint32 length =
        quint32(std::clamp<int>(m_state.ParameterLength, 0, kParameterBlockSize));
    if (!m_protocol.WriteMemory(memory_map::kParameterAddress, length, bytesOf(block)))
        return;
    if (m_state.ChipFamilyB) {
        writeMacroArea(macros.MacroNameTable, macros.MacroBlocks);
        writeShortSections();
    }
    m_protocol.reloadSystem();
}

bool ConfigurationTransfer::finishWrite(TransferKind kind, bool identityKept,
                                        const QByteArray &written)
{
    if (m_lock)
        m_lock->leave();
    if (!identityKept) {
        // Nothing was sent: the block would have left the mouse unreachable.
        m_observer->showMessage({DeviceMessage::Id::IdentityWouldBreak});
        return false;
    }
    return settleWrite(kind, written);
}

bool ConfigurationTransfer::takeDefaults()
{
    if (!m_config.LoadDefaultCopy())
        return false;
    const ImageBuffers &defaults = m_config.defaultImage();
    const int length = std::clamp<int>(m_state.ParameterLength, 0, kParameterBlockSize);
    m_config.image().DataBuf.replace(0, length, defaults.DataBuf.left(length));
    m_config.clearProfileFunctions();
    m_observer->processEvents();
    m_config.DataBufToUI();
    if (m_state.ChipFamilyB) {
        m_config.image().MacroNameTable = defaults.MacroNameTable;
        m_config.image().MacroBlocks = defaults.MacroBlocks;
        m_observer->defaultMacrosTaken();
        m_config.RefreshMacroName();
    }
    return true;
}
