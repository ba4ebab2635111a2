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
    QString message;
    // A reset needs no read-all; the backup does.
    if (m_known.isEmpty() && !readForBackup()) {
        m_backupProblem = QStringLiteral("the mouse could not be read completely");
        message = text(QStringLiteral("Str043"), 0);
    } else {
        const BackupResult saved =
            m_backups->save(m_known, IdPair{m_state.DeviceVendorId, m_state.DeviceProductId});
        if (saved.ok()) {
            m_lastBackup = saved.path;
            return true;
        }
        m_backupProblem = saved.error;
        message = text(QStringLiteral("Str040"), m_backups->folder());
    }
    // Nothing reaches the mouse without its backup unless the user says so.
    return m_observer->showMessageWithChoice(message, text(QStringLiteral("Str041"), 0));
}

bool ConfigurationTransfer::settleWrite(const QByteArray &written)
{
    m_lastFailed = m_protocol.failedReports();
    if (m_lastFailed == 0) {
        if (!written.isEmpty())
            m_known = written;
        return true;
    }
    // The mouse may now hold anything; what it held before is still known
    // (m_known stays) and, with a backup, offered back at once.
    QString message = text(QStringLiteral("Str023"), m_lastFailed);
    if (m_lastBackup.isEmpty() || m_known.isEmpty() || !m_lastReadComplete) {
        m_observer->showMessage(message);
        return false;
    }
    message += QLatin1Char(' ') + text(QStringLiteral("Str042"), m_lastBackup);
    if (m_observer->showMessageWithChoice(message, text(QStringLiteral("Str044"), 0)))
        restoreImage(m_known);
    return false;
}

bool ConfigurationTransfer::restoreImage(const QByteArray &image)
{
    m_protocol.resetFailedReports();
    m_lastFailed = 0;
    if (!m_lastReadComplete) {
        m_observer->showMessage(text(QStringLiteral("Str028"), 0));
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

QString ConfigurationTransfer::backupFallbackText(const QString &key)
{
    if (key == QLatin1String("Str040"))
        return QStringLiteral("The configuration in the mouse could not be saved as a backup in "
                              "\"%1\", so nothing was written.");
    if (key == QLatin1String("Str041"))
        return QStringLiteral("Write without backup");
    if (key == QLatin1String("Str042"))
        return QStringLiteral("The configuration the mouse had before is kept in \"%1\".");
    if (key == QLatin1String("Str043"))
        return QStringLiteral("The mouse could not be read completely, so no backup of its "
                              "configuration was made and nothing was written.");
    if (key == QLatin1String("Str044"))
        return QStringLiteral("Write it back");
    return {};
}
