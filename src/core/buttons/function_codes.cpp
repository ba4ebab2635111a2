#include "buttons/function_codes.h"

#include "buttons/key_tables.h"
#include "records/memory_map.h"

namespace {

struct FixedChoice
{
    int choice;
    const char *code;
    const char *textKey;
    // Whether CodeToText finds this code among the mouse-button and system
    // keys it checks before the fire keys; the rest are checked after them.
    bool beforeFireKeys;
};

constexpr FixedChoice kFixedChoices[] = {
    {900, "01010000", "Str210", true},   {901, "01020000", "Str211", true},
    {902, "01040000", "Str212", true},   {903, "01080000", "Str213", true},
    {904, "01100000", "Str214", true},   {1000, "0F000000", "Str240", false},
    {1001, "05000000", "Str241", false}, {1002, "07000000", "Str242", false},
    {1003, "09000000", "Str243", false}, {1004, "0C000000", "Str244", false},
    {1005, "0D000000", "Str245", false}, {1006, "0E000000", "Str246", false},
    {1007, "09010000", "Str247", false}, {1008, "09020000", "Str248", false},
    {1100, "04010000", "Str221", true},  {1101, "04020000", "Str222", true},
    {1102, "04030000", "Str223", true},  {1300, "0300CD00", "Str250", false},
    {1301, "0300B700", "Str251", false}, {1302, "0300B600", "Str252", false},
    {1303, "0300B500", "Str253", false}, {1304, "0300E900", "Str254", false},
    {1305, "0300EA00", "Str255", false}, {1306, "0300E200", "Str256", false},
    {1400, "03022300", "Str260", false}, {1401, "03022100", "Str261", false},
    {1402, "03022400", "Str262", false}, {1403, "03022500", "Str263", false},
    {1404, "03022600", "Str264", false}, {1405, "03022700", "Str265", false},
    {1406, "03022A00", "Str266", false},
};

constexpr const char *kFireKeyTextKeys[4] = {"Str231", "Str232", "Str233", "Str234"};
constexpr const char *kFireModeTextKey = "Str240";

constexpr int kMacroSlotCount = 32;

QString lookUp(const CodeTextContext &context, const char *key)
{
    return context.text ? context.text(QString::fromLatin1(key)) : QString();
}

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

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

const FixedChoice *findFixedCode(const QString &code, bool beforeFireKeys)
{
    for (const FixedChoice &c : kFixedChoices) {
        if (c.beforeFireKeys == beforeFireKeys && code == QLatin1String(c.code))
            return &c;
    }
    return nullptr;
}

} // namespace

QString FireKeyCode(const FireKeySetting &fireKey)
{
    // Byte 1 and bytes 2-3 wrap like the FireKey section writer does, so a
    // button code and the fire key it was made from always compare equal.
    const int byte1 = (fireKey.repeat + 0x10) & 0xFF;
    const int delayWord = ((fireKey.byte2HighNibble & 0x0F) * 0x1000 + fireKey.delay) & 0xFFFF;
    return QStringLiteral("06") + hexByte(byte1) + hexByte(delayWord >> 8) + hexByte(delayWord);
}

QString CodeFromChoice(int choice, const CodeTextContext &context)
{
    if (choice == kChoiceNone)
        return QStringLiteral("00000000");
    if (choice >= kChoiceFireKey1 && choice < kChoiceFireKey1 + 4)
        return FireKeyCode(context.fireKeys[choice - kChoiceFireKey1]);
    for (const FixedChoice &c : kFixedChoices) {
        if (c.choice == choice)
            return QString::fromLatin1(c.code);
    }
    return {};
}

QString ChoiceTextKey(int choice)
{
    if (choice >= kChoiceFireKey1 && choice < kChoiceFireKey1 + 4)
        return QString::fromLatin1(kFireKeyTextKeys[choice - kChoiceFireKey1]);
    for (const FixedChoice &c : kFixedChoices) {
        if (c.choice == choice)
            return QString::fromLatin1(c.textKey);
    }
    return {};
}

QString CodeToText(const QString &code, const CodeTextContext &context)
{
    if (const FixedChoice *c = findFixedCode(code, true))
        return lookUp(context, c->textKey);

    if (code.startsWith(QLatin1String("06"))) {
        // Several fire keys may share one setting; the lowest-numbered wins.
        for (int n = 0; n < 4; ++n) {
            if (code == FireKeyCode(context.fireKeys[n]))
                return lookUp(context, kFireKeyTextKeys[n]);
        }
    }

    // The data bytes of a Fire Mode code are the modes it cycles through.
    if (code.startsWith(QLatin1String("0F")))
        return lookUp(context, kFireModeTextKey);

    if (const FixedChoice *c = findFixedCode(code, false))
        return lookUp(context, c->textKey);

    return KeyboardCodeToText(code, context);
}

QString KeyboardCodeToText(const QString &code, const CodeTextContext &context)
{
    const std::optional<std::array<quint8, 4>> bytes = CodeTextToBytes(code);
    if (!bytes)
        return {};
    const auto &b = *bytes;

    if (b[0] == 0x02) {
        QString text;
        if (b[1] & 0x01)
            text += QLatin1String("Ctrl+");
        if (b[1] & 0x02)
            text += QLatin1String("Shift+");
        if (b[1] & 0x04)
            text += QLatin1String("Alt+");
        if (b[1] & 0x08)
            text += QLatin1String("Win+");
        if (b[2] != 0)
            text += DeviceKeyToName(b[2]);
        if (b[3] != 0) {
            if (b[2] != 0)
                text += QLatin1Char('+');
            text += DeviceKeyToName(b[3]);
        }
        return text;
    }

    if (b[0] == 0x10) {
        const int address = (b[1] << 8) | b[2];
        const int offset = address - memory_map::kMacroAddress;
        if (offset < 0 || offset % memory_map::kMacroStride != 0)
            return {};
        const int slot = offset / memory_map::kMacroStride;
        if (slot >= kMacroSlotCount || slot >= context.macroNames.size())
            return {};
        return context.macroNames.at(slot);
    }

    return {};
}

std::array<FireKeySetting, 4> FireKeySettingsFromSection(const QByteArray &fireKeySection)
{
    std::array<FireKeySetting, 4> result;
    for (int n = 0; n < 4; ++n) {
        const int at = 4 * n;
        if (at + 3 >= fireKeySection.size())
            break;
        const quint8 byte1 = quint8(fireKeySection[at + 1]);
        const quint8 byte2 = quint8(fireKeySection[at + 2]);
        const quint8 byte3 = quint8(fireKeySection[at + 3]);
        result[n] = {byte1 & 0x0F, (byte2 & 0x0F) * 256 + byte3, quint8(byte2 >> 4)};
    }
    return result;
}

QString MacroSlotCode(int slot)
{
    if (slot < 0 || slot >= kMacroSlotCount)
        return {};
    const int address = memory_map::kMacroAddress + memory_map::kMacroStride * slot;
    return QStringLiteral("10") + hexByte(address >> 8) + hexByte(address) + QStringLiteral("00");
}

std::optional<std::array<quint8, 4>> CodeTextToBytes(const QString &code)
{
    if (code.size() != 8)
        return std::nullopt;
    std::array<quint8, 4> bytes{};
    for (int i = 0; i < 4; ++i) {
        const int high = hexDigit(code[2 * i]);
        const int low = hexDigit(code[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = quint8(high * 16 + low);
    }
    return bytes;
}

QString CodeBytesToText(const std::array<quint8, 4> &bytes)
{
    QString text;
    text.reserve(8);
    for (quint8 b : bytes)
        text += hexByte(b);
    return text;
}

QString CodeBytesToText(const QByteArray &record, int offset)
{
    if (offset < 0 || offset + 4 > record.size())
        return {};
    return CodeBytesToText({quint8(record[offset]), quint8(record[offset + 1]),
                            quint8(record[offset + 2]), quint8(record[offset + 3])});
}
