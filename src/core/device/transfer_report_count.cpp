// How many data reports each transfer moves, from the same sizes the
// transfers use: the busy window counts towards it.
#include "device/configuration_transfer.h"

#include <algorithm>

int ConfigurationTransfer::reportCount(TransferKind kind) const
{
    return kind == TransferKind::ReadAll || kind == TransferKind::BackupRead ? readReportCount()
                                                                             : writeReportCount();
}

int ConfigurationTransfer::readReportCount() const
{
    const int block =
        dataReportCount(quint32(std::clamp<int>(m_state.ParameterLength, 0, kParameterBlockSize)));
    if (!m_state.ChipFamilyB)
        return 2 * block;
    return 2 * block + kMacroCount * dataReportCount(kMacroBlockSize) +
           dataReportCount(kMacroNameTableSize) +
           dataReportCount(SectionRecords::kParameterBLength) +
           dataReportCount(SectionRecords::kUserBreathLength);
}

int ConfigurationTransfer::writeReportCount() const
{
    const quint32 length =
        quint32(std::clamp<int>(m_state.ParameterLength, 0, kParameterBlockSize));
    if (!m_state.ChipFamilyB)
        return dataReportCount(length);
    // The name table and every macro block go as 256-byte pieces, each
    // sent with the parameter length.
    const int pieces = kPiecesPerKilobyte * (1 + kMacroCount);
    return dataReportCount(length) +
           pieces * dataReportCount(std::min<quint32>(length, kPieceSize)) +
           dataReportCount(SectionRecords::kParameterBLength) +
           dataReportCount(SectionRecords::kUserBreathLength);
}
