#pragma once

#include <QByteArray>

// Bounds-checked byte access for the section records: a record that is
// shorter than expected reads as "no value" and is never written past its end.
namespace record_bytes {

// The byte at `index` as 0-255, or -1 when the record is too short.
inline int at(const QByteArray &record, int index)
{
    if (index < 0 || index >= record.size())
        return -1;
    return static_cast<quint8>(record.at(index));
}

inline bool put(QByteArray &record, int index, int value)
{
    if (index < 0 || index >= record.size())
        return false;
    record[index] = static_cast<char>(static_cast<quint8>(value & 0xFF));
    return true;
}

} // namespace record_bytes
