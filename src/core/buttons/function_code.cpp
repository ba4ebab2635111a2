#include "buttons/function_code.h"

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

FunctionCode FunctionCode::fromRecord(const QByteArray &record, int offset)
{
    if (offset < 0 || offset + kLength > record.size())
        return {};
    return FunctionCode(Bytes{quint8(record[offset]), quint8(record[offset + 1]),
                              quint8(record[offset + 2]), quint8(record[offset + 3])});
}

std::optional<FunctionCode> FunctionCode::fromHexText(QStringView text)
{
    if (text.size() != 2 * kLength)
        return std::nullopt;
    Bytes bytes{};
    for (int i = 0; i < kLength; ++i) {
        const int high = hexDigit(text[2 * i]);
        const int low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[size_t(i)] = quint8(high * 16 + low);
    }
    return FunctionCode(bytes);
}

QString FunctionCode::hexText() const
{
    if (isEmpty())
        return {};
    QString text;
    text.reserve(2 * kLength);
    for (quint8 b : m_bytes)
        text += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

bool FunctionCode::writeTo(QByteArray &record, int offset) const
{
    if (isEmpty() || offset < 0 || offset + kLength > record.size())
        return false;
    for (int i = 0; i < kLength; ++i)
        record[offset + i] = char(m_bytes[size_t(i)]);
    return true;
}
