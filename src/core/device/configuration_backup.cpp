// The transfers' backup step: what the mouse holds is saved before every
// write, and a write that lost reports offers to write it back.
#include "backup/backup_image.h"
#include "device/configuration_transfer.h"
#include "device/mouse_identity.h"
#include "image/default_image.h"

bool ConfigurationTransfer::backupBeforeWrite()
{
    m_lastBackup.clear();
    m_backupProblem.clear();
    if (!m_backups)
        return true;
    DeviceMessage message{DeviceMessage::Id::BackupNotRead};
    message.offer = DeviceMessage::Offer::WriteWithoutBackup;
    // A reset needs no read-all; the backup does.
    if (m_known.isEmpty() && !readForBackup()) {
        m_backupProblem = QStringLiteral("the mouse could not be read completely");
    } else {
        const BackupResult saved =
            m_backups->save(m_known, IdPair{m_state.DeviceVendorId, m_state.DeviceProductId});
        if (saved.ok()) {
            m_lastBackup = saved.path;
            return true;
        }
        m_backupProblem = saved.error;
        message.id = DeviceMessage::Id::BackupNotSaved;
        message.folder = m_backups->folder();
    }
    // Nothing reaches the mouse without its backup unless the user says so.
    return m_observer->showMessageWithOffer(message);
}

bool ConfigurationTransfer::settleWrite(TransferKind kind, const QByteArray &written)
{
    m_lastFailed = m_protocol.failedReports();
    if (m_lastFailed == 0) {
        if (!written.isEmpty())
            m_known = written;
        return true;
    }
    m_observer->transferFailed(kind, m_lastFailed);
    // The mouse may now hold anything; what it held before is still known
    // (m_known stays) and, with a backup, offered back at once.
    DeviceMessage message{DeviceMessage::Id::WriteFailed, m_lastFailed};
    if (m_lastBackup.isEmpty() || m_known.isEmpty() || !m_lastReadComplete) {
        m_observer->showMessage(message);
        return false;
    }
    message.backup = m_lastBackup;
    message.offer = DeviceMessage::Offer::WriteItBack;
    if (m_observer->showMessageWithOffer(message))
        restoreImage(m_known);
    return false;
}

bool ConfigurationTransfer::restoreImage(const QByteArray &image)
{
    m_protocol.resetFailedReports();
    m_lastFailed = 0;
    if (!m_lastReadComplete) {
        m_observer->showMessage({DeviceMessage::Id::NotReadCompletely});
        return false;
    }
    // A copy: the backup step may replace the image it came from.
    const QByteArray restored = image.left(kImageSize).leftJustified(kImageSize, char(0xFF));
    const auto write = [this, &restored](bool &identityKept) -> QByteArray {
        takeRestoredImage(restored);
        QByteArray block = restored.left(kParameterBlockSize);
        keepMouseIdentity(block, m_mouseBlock, m_state.DeviceLayoutCode);
        identityKept = carriesIdentifiedBytes(block, m_state);
        if (!identityKept)
            return {};
        ImageBuffers macros;
        spreadImage(restored, macros);
        writeConfiguration(block, macros);
        return writtenImage(block, macros.MacroNameTable, macros.MacroBlocks);
    };
    return backedUpWrite(TransferKind::Restore, write);
}

QByteArray ConfigurationTransfer::writtenImage(const QByteArray &block, const QByteArray &nameTable,
                                               const QByteArray &macroBlocks) const
{
    if (!m_state.ChipFamilyB)
        return block.left(kParameterBlockSize).leftJustified(kImageSize, char(0xFF));
    const SectionRecords &sections = m_config.sections();
    return withOwnAreas(block.left(kParameterBlockSize) + nameTable + macroBlocks,
                        sections.ParameterB, sections.UserBreath, m_state.DeviceLayoutCode);
}

void ConfigurationTransfer::takeRestoredImage(const QByteArray &image)
{
    spreadImage(image, m_config.image());
    // A profile load leaves a family-B mouse its own ParameterB and
    // UserBreath; a restore gives back those the image holds.
    if (m_state.ChipFamilyB) {
        m_config.sections().ParameterB = parameterBOf(image);
        const QByteArray breath = userBreathOf(image, m_state.DeviceLayoutCode);
        if (!breath.isEmpty())
            m_config.sections().UserBreath = breath;
    }
    m_config.MemoToDataBuf();
}

QString ConfigurationTransfer::messageText(DeviceMessage::Id id) const
{
    return DeviceMessage{id}.text(m_config.text());
}
