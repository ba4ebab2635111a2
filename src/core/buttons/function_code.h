#pragma once

#include "settings/setting_declarations.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// A button's function as the mouse stores it: four bytes per button and
// profile in the Profile section, in storage order (01 01 00 00 is the left
// button). Codes are built, compared and stored as these bytes; the hex text
// ("01010000") is made and read only where a person or a file sees it.
//
// A default-constructed code is empty: no code at all, as a table entry is
// right after it was cleared, or a code that lies beyond a short section.
// An empty code differs from every stored code, 00 00 00 00 included.
class FunctionCode
{
public:
    static constexpr int kLength = 4;
    using Bytes = std::array<quint8, kLength>;

    constexpr FunctionCode() = default;
    constexpr explicit FunctionCode(const Bytes &bytes) : m_bytes(bytes), m_present(true) {}

    // The four bytes as one number written in storage order, the first byte
    // most significant: fromWord(0x01010000) is 01 01 00 00.
    static constexpr FunctionCode fromWord(quint32 word)
    {
        return FunctionCode(
            Bytes{quint8(word >> 24), quint8(word >> 16), quint8(word >> 8), quint8(word)});
    }

    // Bytes offset..offset+3 of a record; empty when the record is too short.
    static FunctionCode fromRecord(const QByteArray &record, int offset);

    // Exactly eight hex digits, either case; nothing for any other text.
    static std::optional<FunctionCode> fromHexText(QStringView text);

    constexpr bool isEmpty() const { return !m_present; }
    constexpr const Bytes &bytes() const { return m_bytes; }
    // Byte 0..3; byte 0 is the kind of function (02 keys, 06 fire key ...).
    constexpr quint8 operator[](int index) const { return m_bytes[size_t(index)]; }

    // Eight upper-case hex digits; empty for the empty code.
    QString hexText() const;

    // The four bytes into a record at `offset`. The empty code, or a record
    // too short for them, writes nothing and gives false.
    bool writeTo(QByteArray &record, int offset) const;

    friend constexpr bool operator==(const FunctionCode &, const FunctionCode &) = default;

private:
    Bytes m_bytes{};
    bool m_present = false;
};

// The 36 button codes: [profile 0..2][button 0..11], as read from the Profile
// section, or empty right after they were cleared.
using ProfileFunctionTable =
    std::array<std::array<FunctionCode, settings::kButtonsPerProfile>, settings::kProfileCount>;
