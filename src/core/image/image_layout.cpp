#include "image/image_layout.h"

#include <algorithm>

std::optional<LayoutAreas> layoutAreas(int layoutCode)
{
    switch (layoutCode) {
    case 42:
        return LayoutAreas{89, 32, 83, 85};
    case 58:
        return LayoutAreas{32, 36, 87, 89};
    default:
        return std::nullopt;
    }
}

int layoutCodeFromByte(quint8 layoutByte)
{
    if (layoutByte == kLayoutByte42)
        return 42;
    if (layoutByte == kLayoutByte58)
        return 58;
    return 0;
}

void copyFromBlock(const QByteArray &block, int offset, QByteArray &record)
{
    if (offset < 0 || offset >= block.size())
        return;
    const qsizetype n = std::min<qsizetype>(record.size(), block.size() - offset);
    std::copy_n(block.constData() + offset, n, record.data());
}

void copyToBlock(const QByteArray &record, int offset, QByteArray &block)
{
    if (offset < 0 || offset >= block.size())
        return;
    const qsizetype n = std::min<qsizetype>(record.size(), block.size() - offset);
    std::copy_n(record.constData(), n, block.data() + offset);
}

void splitParameterBlock(const QByteArray &DataBuf, int imageLayoutCode, bool familyB,
                         SectionRecords &sections)
{
    normaliseSections(sections);
    copyFromBlock(DataBuf, kParameterAOffset, sections.ParameterA);
    if (!familyB)
        copyFromBlock(DataBuf, kParameterBOffset, sections.ParameterB);

    if (const auto areas = layoutAreas(imageLayoutCode)) {
        // Layout 42 keeps UserBreath only in the parameter block, so both
        // families take it from there.
        if (imageLayoutCode == 42 || !familyB)
            copyFromBlock(DataBuf, areas->userBreath, sections.UserBreath);
        copyFromBlock(DataBuf, areas->reservedBlock, sections.ReservedBlock);
        copyFromBlock(DataBuf, areas->idBytes, sections.IdBytes);
        copyFromBlock(DataBuf, areas->eftControl, sections.EFTControl);
    }

    copyFromBlock(DataBuf, kFireKeyOffset, sections.FireKey);
    copyFromBlock(DataBuf, kProfileOffset, sections.Profile);
}

void placeLayoutAreas(const SectionRecords &sections, int deviceLayoutCode, QByteArray &DataBuf)
{
    const auto areas = layoutAreas(deviceLayoutCode);
    if (!areas)
        return;
    copyToBlock(sections.UserBreath, areas->userBreath, DataBuf);
    copyToBlock(sections.ReservedBlock, areas->reservedBlock, DataBuf);
    copyToBlock(sections.IdBytes, areas->idBytes, DataBuf);
    copyToBlock(sections.EFTControl, areas->eftControl, DataBuf);
}

namespace {
void fitLength(QByteArray &record, int length)
{
    if (record.size() != length)
        record.resize(length, '\0');
}
} // namespace

void normaliseSections(SectionRecords &s)
{
    fitLength(s.ParameterA, SectionRecords::kParameterALength);
    fitLength(s.ParameterB, SectionRecords::kParameterBLength);
    fitLength(s.UserBreath, SectionRecords::kUserBreathLength);
    fitLength(s.ReservedBlock, SectionRecords::kReservedBlockLength);
    fitLength(s.IdBytes, SectionRecords::kIdBytesLength);
    fitLength(s.EFTControl, SectionRecords::kEFTControlLength);
    fitLength(s.FireKey, SectionRecords::kFireKeyLength);
    fitLength(s.Profile, SectionRecords::kProfileLength);
}
