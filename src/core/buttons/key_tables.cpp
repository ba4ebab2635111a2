#include "buttons/key_tables.h"

#include <array>

namespace {

constexpr int kNoVirtualKey = -1;

struct KeyEntry
{
    QString name;
    int virtualKey = kNoVirtualKey;
    quint8 deviceKey = 0;
};

struct FixedKey
{
    int index;
    const char *name;
    int virtualKey;
    quint8 deviceKey;
};

// Keys that do not belong to one of the regular runs (numeric pad digits,
// F-keys, letters, digits), which are filled in by KeyTables below.
constexpr FixedKey kFixedKeys[] = {
    {kh_None, "None", kNoVirtualKey, 0},
    {kh_Demo, "Demo", kNoVirtualKey, 0},
    {kh_255, "255", 0xFF, 0},
    {kh_Back, "Backspace", 0x08, 0x2A},
    {kh_Tab, "Tab", 0x09, 0x2B},
    {kh_Clear, "Clear", 0x0C, 0x9C},
    {kh_Return, "Enter", 0x0D, 0x28},
    {kh_Shift, "Shift", 0x10, 0xE1},
    {kh_Control, "Ctrl", 0x11, 0xE0},
    {kh_Alt, "Alt", 0x12, 0xE2},
    {kh_Pause, "Pause", 0x13, 0x48},
    {kh_Capital, "Caps Lock", 0x14, 0x39},
    {kh_Escape, "Esc", 0x1B, 0x29},
    {kh_Space, "Space bar", 0x20, 0x2C},
    {kh_Prior, "Page Up", 0x21, 0x4B},
    {kh_Next, "Page Down", 0x22, 0x4E},
    {kh_End, "End", 0x23, 0x4D},
    {kh_Home, "Home", 0x24, 0x4A},
    {kh_Left, "Left Arrow", 0x25, 0x50},
    {kh_Up, "Up Arrow", 0x26, 0x52},
    {kh_Right, "Right Arrow", 0x27, 0x4F},
    {kh_Down, "Down Arrow", 0x28, 0x51},
    {kh_Select, "Select", 0x29, 0x77},
    {kh_Snapshot, "Print Screen", 0x2C, 0x46},
    {kh_Insert, "Insert", 0x2D, 0x49},
    {kh_Delete, "Delete", 0x2E, 0x4C},
    {kh_Help, "Help", 0x2F, 0x75},
    {kh_LWIN, "Left Windows", 0x5B, 0xE3},
    {kh_RWIN, "Right Windows", 0x5C, 0xE7},
    {kh_APPS, "Applications", 0x5D, 0x65},
    {kh_Multiply, "Multiply (numeric pad)", 0x6A, 0x55},
    {kh_Add, "Add (numeric pad)", 0x6B, 0x57},
    {kh_Separator, "Separator (numeric pad)", 0x6C, 0x58},
    {kh_Subtract, "Subtract (numeric pad)", 0x6D, 0x56},
    {kh_Decimal, "Decimal (numeric pad)", 0x6E, 0x63},
    {kh_Divide, "Divide (numeric pad)", 0x6F, 0x54},
    {kh_Numlock, "Num Lock", 0x90, 0x53},
    {kh_Scroll, "Scroll Lock", 0x91, 0x47},
    {kh_LShift, "Left Shift", 0xA0, 0xE1},
    {kh_RShift, "Right Shift", 0xA1, 0xE5},
    {kh_LControl, "Left Ctrl", 0xA2, 0xE0},
    {kh_RControl, "Right Ctrl", 0xA3, 0xE4},
    {kh_LAlt, "Left Alt", 0xA4, 0xE2},
    {kh_RAlt, "Right Alt", 0xA5, 0xE6},
    {kh_OEM_1, "OEM_1", 0xBA, 0x33},
    {kh_OEM_2, "OEM_2", 0xBF, 0x38},
    {kh_OEM_3, "OEM_3", 0xC0, 0x35},
    {kh_OEM_4, "OEM_4", 0xDB, 0x2F},
    {kh_OEM_5, "OEM_5", 0xDC, 0x31},
    {kh_OEM_6, "OEM_6", 0xDD, 0x30},
    {kh_OEM_7, "OEM_7", 0xDE, 0x34},
    {kh_OEM_8, "OEM_8", 0xDF, 0},
    {kh_OEM_Plus, "OEM_Plus", 0xBB, 0x2E},
    {kh_OEM_Comma, "OEM_Comma", 0xBC, 0x36},
    {kh_OEM_Minus, "OEM_Minus", 0xBD, 0x2D},
    {kh_OEM_Period, "OEM_Period", 0xBE, 0x37},
    {kh_Browser_Back, "Browser_Back", 0xA6, 0xCA},
    {kh_Browser_Forward, "Browser_Forward", 0xA7, 0xCB},
    {kh_Browser_Refresh, "Browser_Refresh", 0xA8, 0xCD},
    {kh_Browser_Stop, "Browser_Stop", 0xA9, 0xCC},
    {kh_Browser_Search, "Browser_Search", 0xAA, 0xC8},
    {kh_Browser_Favorites, "Browser_Favorites", 0xAB, 0xCE},
    {kh_Browser_Home, "Browser_Home", 0xAC, 0xC9},
    {kh_Volume_Mute, "Volume_Mute", 0xAD, 0xC4},
    {kh_Volume_Down, "Volume_Down", 0xAE, 0xC6},
    {kh_Volume_Up, "Volume_Up", 0xAF, 0xC5},
    {kh_Media_Next_Track, "Media_Next_Track", 0xB0, 0xC0},
    {kh_Media_Prev_Track, "Media_Prev_Track", 0xB1, 0xC1},
    {kh_Media_Stop, "Media_Stop", 0xB2, 0xC2},
    {kh_Media_Play_Pause, "Media_Play_Pause", 0xB3, 0xC3},
    {kh_Launch_Mail, "Launch_Mail", 0xB4, 0xC7},
    {kh_Launch_Media_Select, "Launch_Media_Select", 0xB5, 0xD1},
    {kh_Launch_App1, "Launch_App1", 0xB6, 0},
    {kh_Launch_App2, "Launch_App2", 0xB7, 0},
    {kh_Return_KP, "", kNoVirtualKey, 0},
};

struct KeyTables
{
    std::array<KeyEntry, kKeyIndexCount> keys;
    std::array<quint8, 256> indexOfVirtualKey{}; // 0 = kh_None
    std::array<QString, 256> nameOfDeviceKey;

    KeyTables()
    {
        for (const FixedKey &k : kFixedKeys)
            keys[k.index] = {QString::fromLatin1(k.name), k.virtualKey, k.deviceKey};

        for (int i = 0; i < 10; ++i) {
            // The numeric pad and the digit row both put 0 after 9 in HID order.
            keys[kh_Numpad0 + i] = {QStringLiteral("%1 (numeric pad)").arg(i), 0x60 + i,
                                    quint8(i == 0 ? 0x62 : 0x58 + i)};
            keys[kh_0 + i] = {QString::number(i), 0x30 + i, quint8(i == 0 ? 0x27 : 0x1D + i)};
        }
        for (int i = 0; i < 24; ++i)
            keys[kh_F1 + i] = {QStringLiteral("F%1").arg(i + 1), 0x70 + i,
                               quint8(i < 12 ? 0x3A + i : 0x68 + (i - 12))};
        for (int i = 0; i < 26; ++i)
            keys[kh_A + i] = {QString(QChar(u'A' + i)), 0x41 + i, quint8(0x04 + i)};

        for (int index = 0; index < kKeyIndexCount; ++index) {
            const KeyEntry &k = keys[index];
            if (k.virtualKey >= 0)
                indexOfVirtualKey[k.virtualKey] = quint8(index);
            // Where two keys share a device code, the first index names it;
            // the modifier and Windows codes are overridden just below.
            if (k.deviceKey != 0 && nameOfDeviceKey[k.deviceKey].isEmpty())
                nameOfDeviceKey[k.deviceKey] = k.name;
        }
        // A decoded modifier cannot tell which side was meant; the mouse sends
        // the left-hand code, so that is the name shown.
        nameOfDeviceKey[0xE0] = QStringLiteral("Left Ctrl");
        nameOfDeviceKey[0xE1] = QStringLiteral("Left Shift");
        nameOfDeviceKey[0xE2] = QStringLiteral("Left Alt");
        nameOfDeviceKey[0xE3] = QStringLiteral("Win");
        nameOfDeviceKey[0xE7] = QStringLiteral("Win");
    }
};

const KeyTables &tables()
{
    static const KeyTables instance;
    return instance;
}

bool validIndex(int keyIndex)
{
    return keyIndex >= 0 && keyIndex < kKeyIndexCount;
}

} // namespace

int VirtualKeyToKeyIndex(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 0xFF)
        return kh_None;
    return tables().indexOfVirtualKey[virtualKey];
}

QString KeyIndexToName(int keyIndex)
{
    return validIndex(keyIndex) ? tables().keys[keyIndex].name : QString();
}

quint8 KeyIndexToDeviceKey(int keyIndex)
{
    return validIndex(keyIndex) ? tables().keys[keyIndex].deviceKey : quint8(0);
}

QString DeviceKeyToName(quint8 deviceKey)
{
    return tables().nameOfDeviceKey[deviceKey];
}

int KeyIndexToVirtualKey(int keyIndex)
{
    return validIndex(keyIndex) ? tables().keys[keyIndex].virtualKey : kNoVirtualKey;
}
