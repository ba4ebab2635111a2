#include "macros/macro_format.h"

#include "buttons/key_tables.h"

#include <algorithm>
#include <array>

namespace {

constexpr quint8 kPressModifier = 0x81;
constexpr quint8 kReleaseModifier = 0x01;
constexpr quint8 kPressKey = 0x82;
constexpr quint8 kReleaseKey = 0x02;
constexpr quint8 kDelay = 0xFE;
constexpr quint8 kTerminator = 0x00;

struct MouseRecord
{
    quint8 pressByte;
    const char *name;
};

// Order of MacroMouseButton; the release byte is the press byte without bit 7.
constexpr std::array<MouseRecord, 5> kMouseRecords = {{
    {0xA1, "LeftKey"},
    {0xA2, "RightKey"},
    {0xA4, "MiddleKey"},
    {0xA8, "Forward"},
    {0xB0, "Backward"},
}};

QString hex2(quint8 value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

const MouseRecord *mouseRecordFor(quint8 byte)
{
    for (const MouseRecord &record : kMouseRecords) {
        if (record.pressByte == byte || (record.pressByte & 0x7F) == byte)
            return &record;
    }
    return nullptr;
}

bool parseHexBytes(QStringView digits, QByteArray &out)
{
    if (digits.isEmpty() || digits.size() % 2 != 0)
        return false;
    QByteArray bytes;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        bool ok = false;
        const uint value = digits.mid(i, 2).toUInt(&ok, 16);
        if (!ok)
            return false;
        bytes.append(char(value));
    }
    out.append(bytes);
    return true;
}

// Appends the bytes of one event line; a line that carries nothing
// encodable (unknown kind, broken code digits) contributes nothing.
void appendLineBytes(const QString &line, QByteArray &out)
{
    const QChar kind = lineKind(line);
    if (kind == u'1' || kind == u'2') {
        QStringView code = QStringView(line).right(4);
        if (code.startsWith(u"00"))
            code = code.right(2);
        parseHexBytes(code, out);
    } else if (kind == u'0') {
        bool ok = false;
        int value = QStringView(line).mid(2).toInt(&ok);
        if (!ok)
            value = 0;
        value = std::clamp(value, 0, kMaxRecordedDelay);
        out.append(char(kDelay));
        out.append(char(value >> 8));
        out.append(char(value & 0xFF));
    }
}

} // namespace

namespace {
// The modifiers a macro records, as the mouse stores them and as the
// keyboard reports them.
struct ModifierKey
{
    quint8 bit;
    int virtualKey;
};
constexpr std::array<ModifierKey, 5> kModifierKeys = {{
    {0x01, 17}, // Ctrl
    {0x02, 16}, // Shift
    {0x04, 18}, // Alt
    {0x08, 91}, // left Windows
    {0x80, 92}, // right Windows
}};
} // namespace

int modifierVirtualKey(quint8 modifier)
{
    for (const ModifierKey &key : kModifierKeys)
        if (key.bit == modifier)
            return key.virtualKey;
    return 0;
}

quint8 modifierBit(int virtualKey)
{
    for (const ModifierKey &key : kModifierKeys)
        if (key.virtualKey == virtualKey)
            return key.bit;
    return 0;
}

int clampTypedDelay(int ms)
{
    return std::clamp(ms, kMinTypedDelay, kMaxTypedDelay);
}

int macroRecordLength(quint8 firstByte)
{
    switch (firstByte) {
    case kPressModifier:
    case kReleaseModifier:
    case kPressKey:
    case kReleaseKey:
    case 0xFD:
        return 2;
    case kDelay:
    case 0x04:
    case 0x83:
        return 3;
    case kTerminator:
    case 0x03:
    case 0xFC:
        return 1;
    default:
        return mouseRecordFor(firstByte) ? 1 : 0;
    }
}

QString delayModeLine(MacroDelayMode mode, int fixedDelay)
{
    switch (mode) {
    case MacroDelayMode::NoDelay:
        return QStringLiteral("00");
    case MacroDelayMode::FixedDelay:
        return QStringLiteral("01") + QString::number(fixedDelay);
    case MacroDelayMode::RecordedDelay:
        break;
    }
    return QStringLiteral("10");
}

QString delayLine(int ms)
{
    return QStringLiteral("0 ") + QString::number(ms);
}

QString mouseButtonLine(MacroMouseButton button, bool pressed)
{
    const MouseRecord &record = kMouseRecords[size_t(button)];
    const quint8 byte = pressed ? record.pressByte : quint8(record.pressByte & 0x7F);
    return (pressed ? QStringLiteral("1 ") : QStringLiteral("2 ")) + QLatin1String(record.name) +
           QStringLiteral(" CODE:00") + hex2(byte);
}

QString keyEventLine(bool pressed, const QString &name, quint8 recordByte, quint8 value)
{
    return (pressed ? QStringLiteral("1 ") : QStringLiteral("2 ")) + name +
           QStringLiteral(" CODE:") + hex2(recordByte) + hex2(value);
}

QChar lineKind(const QString &line)
{
    return line.isEmpty() ? QChar() : line.front();
}

QString lineKeyName(const QString &line)
{
    // Delay lines are shorter than prefix plus code and so have no name.
    if (line.size() <= 12)
        return QString();
    return line.mid(2, line.size() - 12);
}

QString lineDisplayText(const QString &line)
{
    if (lineKind(line) == u'0')
        return line.mid(2) + QStringLiteral(" ms");
    return line.left(std::max<qsizetype>(0, line.size() - 10)).mid(2);
}

int lineIconIndex(const QString &line)
{
    const QChar kind = lineKind(line);
    return kind.isDigit() ? kind.digitValue() : 0;
}

int encodedLineSize(const QString &line)
{
    QByteArray bytes;
    appendLineBytes(line, bytes);
    return int(bytes.size());
}

std::optional<DecodedMacro> decodeMacroStream(QByteArrayView block, int streamLength)
{
    if (streamLength > kMacroStreamMax)
        return std::nullopt;

    DecodedMacro decoded;
    decoded.lines.append(QStringLiteral("00"));
    QString text = QStringLiteral("00");
    std::array<int, 4> firstDelays = {0, 0, 0, 0};
    int delaysSeen = 0;

    const qsizetype end = std::min<qsizetype>(block.size(), kMacroStreamMax);
    qsizetype p = 0;
    while (p < streamLength - 1 && p < end) {
        const quint8 first = quint8(block[p]);
        const int length = macroRecordLength(first);
        if (length == 0 || first == kTerminator || p + length > end)
            break;
        const quint8 second = length > 1 ? quint8(block[p + 1]) : 0;
        const quint8 third = length > 2 ? quint8(block[p + 2]) : 0;

        if (first == kPressModifier || first == kReleaseModifier) {
            if (const int vk = modifierVirtualKey(second))
                text = keyEventLine(first == kPressModifier,
                                    KeyIndexToName(VirtualKeyToKeyIndex(vk)), first, second);
        } else if (first == kPressKey || first == kReleaseKey) {
            text = keyEventLine(first == kPressKey, DeviceKeyToName(second), first, second);
        } else if (first == kDelay) {
            const int ms = (second << 8) | third;
            text = delayLine(ms);
            if (delaysSeen < 4)
                firstDelays[size_t(delaysSeen++)] = ms;
        } else if (const MouseRecord *record = mouseRecordFor(first)) {
            text = mouseButtonLine(MacroMouseButton(record - kMouseRecords.data()),
                                   first == record->pressByte);
        }
        // The length-only codes repeat the previous text: they have none of their own.
        decoded.lines.append(text);
        p += length;
    }

    const bool allZero =
        std::all_of(firstDelays.begin(), firstDelays.end(), [](int ms) { return ms == 0; });
    const bool allEqual = std::all_of(firstDelays.begin(), firstDelays.end(),
                                      [&](int ms) { return ms == firstDelays[0]; });
    if (allZero) {
        decoded.mode = MacroDelayMode::NoDelay;
    } else if (allEqual) {
        decoded.mode = MacroDelayMode::FixedDelay;
        decoded.fixedDelay = firstDelays[0];
    } else {
        decoded.mode = MacroDelayMode::RecordedDelay;
    }
    decoded.lines[0] = delayModeLine(decoded.mode, decoded.fixedDelay);
    return decoded;
}

std::optional<QByteArray> encodeMacroLines(const QStringList &lines)
{
    QByteArray stream;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        appendLineBytes(lines[i], stream);
        if (stream.size() + 1 > kMacroStreamMax)
            return std::nullopt;
    }
    stream.append(char(kTerminator));
    return stream;
}

QString streamToHexScript(QByteArrayView stream)
{
    return QString::fromLatin1(stream.toByteArray().toHex().toUpper());
}
