#include "buttons/function_codes.h"

#include "buttons/key_tables.h"
#include "records/memory_map.h"

namespace {

struct FixedChoice
{
    int choice;
    quint32 code; // FunctionCode::fromWord
    const char *textKey;
    // Whether CodeToText finds this code among the mouse-button and system
    // keys it checks before the fire keys; the rest are checked after them.
    bool beforeFireKeys;
};

constexpr FixedChoice kFixedChoices[] = {
    {900, 0x01010000, "Str210", true},   {901, 0x01020000, "Str211", true},
    {902, 0x01040000, "Str212", true},   {903, 0x01080000, "Str213", true},
    {904, 0x01100000, "Str214", true},   {1000, 0x0F000000, "Str240", false},
    {1001, 0x05000000, "Str241", false}, {1002, 0x07000000, "Str242", false},
    {1003, 0x09000000, "Str243", false}, {1004, 0x0C000000, "Str244", false},
    {1005, 0x0D000000, "Str245", false}, {1006, 0x0E000000, "Str246", false},
    {1007, 0x09010000, "Str247", false}, {1008, 0x09020000, "Str248", false},
    {1100, 0x04010000, "Str221", true},  {1101, 0x04020000, "Str222", true},
    {1102, 0x04030000, "Str223", true},  {1300, 0x0300CD00, "Str250", false},
    {1301, 0x0300B700, "Str251", false}, {1302, 0x0300B600, "Str252", false},
    {1303, 0x0300B500, "Str253", false}, {1304, 0x0300E900, "Str254", false},
    {1305, 0x0300EA00, "Str255", false}, {1306, 0x0300E200, "Str256", false},
    {1400, 0x03022300, "Str260", false}, {1401, 0x03022100, "Str261", false},
    {1402, 0x03022400, "Str262", false}, {1403, 0x03022500, "Str263", false},
    {1404, 0x03022600, "Str264", false}, {1405, 0x03022700, "Str265", false},
    {1406, 0x03022A00, "Str266", false},
};

constexpr const char *kFireKeyTextKeys[4] = {"Str231", "Str232", "Str233", "Str234"};
constexpr const char *kFireModeTextKey = "Str240";

constexpr int kMacroSlotCount = 32;

QString lookUp(const CodeTextContext &context, const char *key)
{
    return context.text ? context.text(QString::fromLatin1(key)) : QString();
}

const FixedChoice *findFixedCode(const FunctionCode &code, bool beforeFireKeys)
{
    for (const FixedChoice &c : kFixedChoices) {
        if (c.beforeFireKeys == beforeFireKeys && code == FunctionCode::fromWord(c.code))
            return &c;
    }
    return nullptr;
}

} // namespace

FunctionCode FireKeyCode(const FireKeySetting &fireKey)
{
    // Byte 1 and bytes 2-3 wrap like the FireKey section writer does, so a
    // button code and the fire key it was made from always compare equal.
    const int byte1 = (fireKey.repeat + 0x10) & 0xFF;
    const int delayWord = ((fireKey.byte2HighNibble & 0x0F) * 0x1000 + fireKey.delay) & 0xFFFF;
    return FunctionCode({0x06, quint8(byte1), quint8(delayWord >> 8), quint8(delayWord)});
}

FunctionCode CodeFromChoice(int choice, const CodeTextContext &context)
{
    if (choice == kChoiceNone)
        return FunctionCode::fromWord(0x00000000);
    if (choice >= kChoiceFireKey1 && choice < kChoiceFireKey1 + 4)
        return FireKeyCode(context.fireKeys[choice - kChoiceFireKey1]);
    for (const FixedChoice &c : kFixedChoices) {
        if (c.choice == choice)
            return FunctionCode::fromWord(c.code);
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

QString CodeToText(const FunctionCode &code, const CodeTextContext &context)
{
    if (const FixedChoice *c = findFixedCode(code, true))
        return lookUp(context, c->textKey);

    if (!code.isEmpty() && code[0] == 0x06) {
        // Several fire keys may share one setting; the lowest-numbered wins.
        for (int n = 0; n < 4; ++n) {
            if (code == FireKeyCode(context.fireKeys[n]))
                return lookUp(context, kFireKeyTextKeys[n]);
        }
    }

    // The data bytes of a Fire Mode code are the modes it cycles through.
    if (!code.isEmpty() && code[0] == 0x0F)
        return lookUp(context, kFireModeTextKey);

    if (const FixedChoice *c = findFixedCode(code, false))
        return lookUp(context, c->textKey);

    return KeyboardCodeToText(code, context);
}

QString KeyboardCodeToText(const FunctionCode &code, const CodeTextContext &context)
{
    if (code.isEmpty())
        return {};
    const FunctionCode::Bytes &b = code.bytes();

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

FunctionCode MacroSlotCode(int slot)
{
    if (slot < 0 || slot >= kMacroSlotCount)
        return {};
    const int address = memory_map::kMacroAddress + memory_map::kMacroStride * slot;
    return FunctionCode({0x10, quint8(address >> 8), quint8(address), 0x00});
}
