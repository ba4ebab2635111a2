#include "buttons/function_code.h"

#include <algorithm>

FunctionCode FunctionCode::fromRecord(const QByteArray &record, int offset)
{
    if (offset < 0 || offset + kLength > record.size())
        return {};
    return FunctionCode(Bytes{quint8(record[offset]), quint8(record[offset + 1]),
                              quint8(record[offset + 2]), quint8(record[offset + 3])});
}

std::optional<FunctionCode> FunctionCode::fromHexText(QStringView text)
{
    // QByteArray::fromHex passes over what is not a digit; a code is digits only.
    const auto isHexDigit = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    };
    if (text.size() != 2 * kLength || !std::all_of(text.begin(), text.end(), isHexDigit))
        return std::nullopt;
    return fromRecord(QByteArray::fromHex(text.toLatin1()), 0);
}

QString FunctionCode::hexText() const
{
    if (isEmpty())
        return {};
    const QByteArray bytes(reinterpret_cast<const char *>(m_bytes.data()), kLength);
    return QString::fromLatin1(bytes.toHex().toUpper());
}

bool FunctionCode::writeTo(QByteArray &record, int offset) const
{
    if (isEmpty() || offset < 0 || offset + kLength > record.size())
        return false;
    for (int i = 0; i < kLength; ++i)
        record[offset + i] = char(m_bytes[size_t(i)]);
    return true;
}
