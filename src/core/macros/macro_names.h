#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Name-table entries (32 bytes each): stream length (2 bytes, big-endian),
// 0x00, the name's length in bytes, then up to 28 bytes of the name as
// UTF-16 big-endian. Names stay Unicode all the way: whatever the user types
// is what the table holds and what comes back.
inline constexpr int kMacroNameEntrySize = 32;
inline constexpr int kMacroNameFieldOffset = 4;
inline constexpr int kMacroNameFieldSize = 28;
inline constexpr int kMacroNameMaxUnits = kMacroNameFieldSize / 2; // 14 UTF-16 code units

// Cuts a name to what an entry holds: at most 14 UTF-16 code units, dropping a
// surrogate pair as a whole rather than leaving half of it.
QString fitMacroName(const QString &name);

// The name of an entry of any length. A length byte above the field (an erased
// table reads 255) is cut to the field; an odd length drops the name's first
// byte, so the remaining bytes still pair up into code units.
QString decodeMacroName(QByteArrayView entry);

// Returns `entry` (padded with 0xFF to 32 bytes when shorter) with the name
// written in: byte 2 := 0, byte 3 := byte count, the name from byte 4. The
// stream length and the bytes after the name are left as they were.
QByteArray encodeMacroName(QByteArrayView entry, const QString &name);

// The stream length an entry records (bytes 0-1, big-endian); 0 for an entry
// too short to hold one.
int macroStreamLength(QByteArrayView entry);

// Table level: entry i of a 1024-byte table. Out-of-range indexes and short
// tables read as empty and are left unchanged by writes.
QByteArrayView macroNameEntry(const QByteArray &table, int index);
QStringList RefreshMacroName(const QByteArray &table); // the 32 names, by macro index
void UIToMacroName(QByteArray &table, const QStringList &names);
