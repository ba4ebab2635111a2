#include "device/mouse_identity.h"

#include "records/image_buffers.h"
#include "image/image_layout.h"
#include "image/section_checks.h"

namespace {
constexpr int kFirstIdentityByte = kLayoutByteOffset; // layout, vendor id, product id
constexpr int kIdentityBytes = 5;
} // namespace

void keepMouseIdentity(QByteArray &block, QByteArrayView mouseBlock, int deviceLayoutCode)
{
    if (block.size() < kParameterBlockSize || mouseBlock.size() < kParameterBlockSize)
        return;
    for (int i = kFirstIdentityByte; i < kFirstIdentityByte + kIdentityBytes; ++i)
        block[i] = mouseBlock[i];
    if (const std::optional<LayoutAreas> areas = layoutAreas(deviceLayoutCode)) {
        for (int i = 0; i < SectionRecords::kIdBytesLength; ++i)
            block[areas->idBytes + i] = mouseBlock[areas->idBytes + i];
    }
    block[kParameterAOffset + kParameterADataBytes] = char(
        sectionChecksumOf(QByteArrayView(block).sliced(kParameterAOffset), kParameterADataBytes));
}

bool carriesIdentifiedBytes(QByteArrayView block, const AppState &state)
{
    const qsizetype at = state.IdentifiedIdOffset;
    if (at < 0 || at + 2 > block.size())
        return false;
    return quint8(block[at]) == state.IdentifiedIdBytes[0] &&
           quint8(block[at + 1]) == state.IdentifiedIdBytes[1];
}

bool consistentParameterReads(QByteArrayView first, QByteArrayView second, const AppState &state)
{
    return first == second && carriesIdentifiedBytes(first, state);
}
