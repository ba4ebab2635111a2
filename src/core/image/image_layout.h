#pragma once

#include "records/section_records.h"

#include <QByteArray>

#include <optional>

// Where the sections of the parameter block lie. ParameterA, ParameterB,
// FireKey and Profile sit at the same place in both layouts; the four areas
// between them move with the layout code.
inline constexpr int kParameterAOffset = 0;
inline constexpr int kParameterBOffset = 27;
inline constexpr int kFireKeyOffset = 93;
inline constexpr int kProfileOffset = 110;

// Byte 1 of the parameter block holds 29 for layout 42 and 58 for layout 58.
inline constexpr int kLayoutByteOffset = 1;
inline constexpr quint8 kLayoutByte42 = 29;
inline constexpr quint8 kLayoutByte58 = 58;

struct LayoutAreas
{
    int userBreath;
    int reservedBlock;
    int idBytes;
    int eftControl;
};

// The moving areas of layout 42 or 58; nullopt for any other code.
std::optional<LayoutAreas> layoutAreas(int layoutCode);

// 42 for a layout byte of 29, 58 for 58, 0 for anything else.
int layoutCodeFromByte(quint8 layoutByte);

// Copies `length` bytes of `block` from `offset` into `record`; bytes the
// block does not reach are left as they were, so a short block never reads
// past its end.
void copyFromBlock(const QByteArray &block, int offset, QByteArray &record);

// Copies `record` into `block` at `offset`, never past the end of the block.
void copyToBlock(const QByteArray &record, int offset, QByteArray &block);

// The raw-to-sectioned split of the parameter block (no validation).
// ParameterB, and UserBreath in layout 58, have their own device areas on a
// family-B mouse and are then left as they are. With an unknown layout code
// only the sections that never move are taken.
void splitParameterBlock(const QByteArray &DataBuf, int imageLayoutCode, bool familyB,
                         SectionRecords &sections);

// Places UserBreath, ReservedBlock, IdBytes and EFTControl for the layout;
// an unknown layout places none of them.
void placeLayoutAreas(const SectionRecords &sections, int deviceLayoutCode, QByteArray &DataBuf);

// Gives every record its exact length again (missing bytes become 0) so the
// fixed-offset code can index them without checks.
void normaliseSections(SectionRecords &sections);
