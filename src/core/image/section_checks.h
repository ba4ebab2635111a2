#pragma once

#include "records/section_records.h"

#include <QByteArray>
#include <QByteArrayView>

// The vendor and product id this program serves (an id pair reserved for
// testing). The embedded default image carries the same pair, and a repaired
// ParameterA gets it back.
inline constexpr quint16 kBuiltInVendorId = 0x1209;
inline constexpr quint16 kBuiltInProductId = 0x0001;

// Data byte counts; the checksum sits in the byte right after the data.
inline constexpr int kParameterADataBytes = 26;
inline constexpr int kParameterBDataBytes = 4;
inline constexpr int kUserBreathDataBytes = 3;
inline constexpr int kEFTControlDataBytes = 3;
inline constexpr int kFireKeyDataBytes = 16;
inline constexpr int kProfileDataBytes = 144;

// Byte sum of the first n bytes modulo 256, XOR 0x5A. Bytes beyond the end of
// the section count as absent.
quint8 sectionChecksumOf(QByteArrayView section, int n);

// Stores the checksum of the first n bytes in byte n, growing the record when
// it is too short to hold it.
void SectionChecksum(QByteArray &section, int n);

// True when byte n holds the checksum of the first n bytes.
bool sectionChecksumValid(QByteArrayView section, int n);

// The built-in repair defaults, each with a valid checksum. Only ParameterA
// depends on the layout (42 or 58; any other code gives the layout-58 byte).
QByteArray repairParameterA(int layoutCode);
QByteArray repairParameterB();
QByteArray repairFireKey();
QByteArray repairProfile();

// Validate one section of `sections` and repair it in place. A failed check
// takes the repair default of the identified mouse's layout (42 or 58); with
// no mouse identified (any other value) the data bytes stay. Either way the
// checksum is consistent afterwards. A failed ParameterB resets ParameterA too.
void CheckParameterASection(SectionRecords &sections, int deviceLayoutCode);
void CheckParameterBSection(SectionRecords &sections, int deviceLayoutCode);
void CheckFireKeySection(SectionRecords &sections, int deviceLayoutCode);
void CheckProfileSection(SectionRecords &sections, int deviceLayoutCode);
