#include "input/key_mapping.h"

#include <QKeyEvent>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <span>

namespace {

// One native key and the virtual-key code it stands for. The native names say
// which key each line is; the codes are those of the key tables.
struct KeyPair
{
    quint32 native;
    int virtualKey;
};

int lookUp(std::span<const KeyPair> table, quint32 native)
{
    for (const KeyPair &pair : table) {
        if (pair.native == native)
            return pair.virtualKey;
    }
    return 0;
}

constexpr int kVkNumpad0 = 0x60;
constexpr int kVkF1 = 0x70;
constexpr int kVkShift = 0x10, kVkCtrl = 0x11, kVkAlt = 0x12, kVkLeftWin = 0x5B;
constexpr int kVkIsoExtraKey = 0xE2; // VK_OEM_102: no entry in the key tables

// The printable ASCII characters as a US keyboard types them, with and without
// Shift: the OEM codes are defined by the keys of that keyboard.
constexpr KeyPair kAsciiKeys[] = {
    {' ', 0x20}, {')', 0x30}, {'!', 0x31}, {'@', 0x32},  {'#', 0x33}, {'$', 0x34}, {'%', 0x35},
    {'^', 0x36}, {'&', 0x37}, {'*', 0x38}, {'(', 0x39},  {';', 0xBA}, {':', 0xBA}, {'=', 0xBB},
    {'+', 0xBB}, {',', 0xBC}, {'<', 0xBC}, {'-', 0xBD},  {'_', 0xBD}, {'.', 0xBE}, {'>', 0xBE},
    {'/', 0xBF}, {'?', 0xBF}, {'`', 0xC0}, {'~', 0xC0},  {'[', 0xDB}, {'{', 0xDB}, {'\\', 0xDC},
    {'|', 0xDC}, {']', 0xDD}, {'}', 0xDD}, {'\'', 0xDE}, {'"', 0xDE},
};

// Keypad keys without Num Lock are their navigation twins (pad 5 is Clear, as
// on Windows); Meta is what Shift+Alt gives, ISO_Level3_Shift is AltGr.
// clang-format off
constexpr KeyPair kKeysymKeys[] = {
    {XK_BackSpace, 0x08}, {XK_Tab, 0x09}, {XK_ISO_Left_Tab, 0x09}, {XK_KP_Tab, 0x09},
    {XK_Clear, 0x0C}, {XK_KP_Begin, 0x0C}, {XK_Return, 0x0D}, {XK_KP_Enter, 0x0D},
    {XK_Pause, 0x13}, {XK_Break, 0x13}, {XK_Caps_Lock, 0x14}, {XK_Shift_Lock, 0x14},
    {XK_Escape, 0x1B}, {XK_KP_Space, 0x20}, {XK_Prior, 0x21}, {XK_KP_Prior, 0x21},
    {XK_Next, 0x22}, {XK_KP_Next, 0x22}, {XK_End, 0x23}, {XK_KP_End, 0x23}, {XK_Home, 0x24},
    {XK_KP_Home, 0x24}, {XK_Left, 0x25}, {XK_KP_Left, 0x25}, {XK_Up, 0x26}, {XK_KP_Up, 0x26},
    {XK_Right, 0x27}, {XK_KP_Right, 0x27}, {XK_Down, 0x28}, {XK_KP_Down, 0x28},
    {XK_Select, 0x29}, {XK_Print, 0x2C}, {XK_Sys_Req, 0x2C}, {XK_Insert, 0x2D},
    {XK_KP_Insert, 0x2D}, {XK_Delete, 0x2E}, {XK_KP_Delete, 0x2E}, {XK_Help, 0x2F},
    {XK_Super_L, 0x5B}, {XK_Super_R, 0x5C}, {XK_Menu, 0x5D}, {XK_KP_Multiply, 0x6A},
    {XK_KP_Add, 0x6B}, {XK_KP_Separator, 0x6C}, {XK_KP_Subtract, 0x6D}, {XK_KP_Decimal, 0x6E},
    {XK_KP_Divide, 0x6F}, {XK_Num_Lock, 0x90}, {XK_Scroll_Lock, 0x91}, {XK_Shift_L, 0xA0},
    {XK_Shift_R, 0xA1}, {XK_Control_L, 0xA2}, {XK_Control_R, 0xA3}, {XK_Alt_L, 0xA4},
    {XK_Meta_L, 0xA4}, {XK_Alt_R, 0xA5}, {XK_Meta_R, 0xA5}, {XK_ISO_Level3_Shift, 0xA5},
    {XF86XK_Back, 0xA6}, {XF86XK_Forward, 0xA7}, {XF86XK_Refresh, 0xA8}, {XF86XK_Stop, 0xA9},
    {XF86XK_Search, 0xAA}, {XF86XK_Favorites, 0xAB}, {XF86XK_HomePage, 0xAC},
    {XF86XK_AudioMute, 0xAD}, {XF86XK_AudioLowerVolume, 0xAE}, {XF86XK_AudioRaiseVolume, 0xAF},
    {XF86XK_AudioNext, 0xB0}, {XF86XK_AudioPrev, 0xB1}, {XF86XK_AudioStop, 0xB2},
    {XF86XK_AudioPlay, 0xB3}, {XF86XK_AudioPause, 0xB3}, {XF86XK_Mail, 0xB4},
    {XF86XK_AudioMedia, 0xB5}, {XF86XK_MyComputer, 0xB6}, {XF86XK_Calculator, 0xB7},
};
// clang-format on

// clang-format off
constexpr KeyPair kQtKeys[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09},
    {Qt::Key_Clear, 0x0C}, {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, kVkShift}, {Qt::Key_Control, kVkCtrl}, {Qt::Key_Alt, kVkAlt},
    {Qt::Key_AltGr, 0xA5}, {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Escape, 0x1B}, {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23}, {Qt::Key_Home, 0x24}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28}, {Qt::Key_Select, 0x29}, {Qt::Key_Print, 0x2C},
    {Qt::Key_SysReq, 0x2C}, {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
    {Qt::Key_Help, 0x2F}, {Qt::Key_Meta, kVkLeftWin}, {Qt::Key_Super_L, kVkLeftWin},
    {Qt::Key_Super_R, 0x5C}, {Qt::Key_Menu, 0x5D}, {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Back, 0xA6}, {Qt::Key_Forward, 0xA7},
    {Qt::Key_Refresh, 0xA8}, {Qt::Key_Stop, 0xA9}, {Qt::Key_Search, 0xAA},
    {Qt::Key_Favorites, 0xAB}, {Qt::Key_HomePage, 0xAC}, {Qt::Key_VolumeMute, 0xAD},
    {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF}, {Qt::Key_MediaNext, 0xB0},
    {Qt::Key_MediaPrevious, 0xB1}, {Qt::Key_MediaStop, 0xB2}, {Qt::Key_MediaPlay, 0xB3},
    {Qt::Key_MediaPause, 0xB3}, {Qt::Key_MediaTogglePlayPause, 0xB3},
    {Qt::Key_LaunchMail, 0xB4}, {Qt::Key_LaunchMedia, 0xB5}, {Qt::Key_Launch0, 0xB6},
    {Qt::Key_Launch1, 0xB7}, {Qt::Key_Calculator, 0xB7},
};
// clang-format on

// Qt keys with Qt::KeypadModifier whose pad twin has a code of its own; the
// pad's navigation keys and Enter read as their main-block twins.
constexpr KeyPair kQtKeypadKeys[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},   {Qt::Key_Comma, 0x6C},
    {Qt::Key_Minus, 0x6D},    {Qt::Key_Period, 0x6E}, {Qt::Key_Slash, 0x6F},
};

// xkb key codes (evdev code + 8) of the keys whose position alone names them:
// the modifiers, which Qt's key code does not give a side, and the keys that
// serve when a layout's symbol says nothing (a Cyrillic letter, say).
constexpr quint32 kIsoExtraKeyCode = 94;
// clang-format off
constexpr KeyPair kPositionKeys[] = {
    {50, 0xA0}, {62, 0xA1}, {37, 0xA2}, {105, 0xA3}, {64, 0xA4}, {108, 0xA5}, {133, 0x5B},
    {134, 0x5C}, {65, 0x20}, {66, 0x14}, {9, 0x1B}, {22, 0x08}, {23, 0x09}, {36, 0x0D},
    {kIsoExtraKeyCode, kVkIsoExtraKey},
};
// clang-format on

// The US keyboard's main block in xkb key code order, from code 10 (the 1 key)
// to code 61 (the / key); blanks are keys of kPositionKeys.
constexpr char kMainBlock[] = "1234567890-=  qwertyuiop[]  asdfghjkl;'` \\zxcvbnm,./";
constexpr quint32 kMainBlockFirstCode = 10;

int virtualKeyFromAscii(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return int(c - 'a') + 'A';
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return int(c);
    return lookUp(kAsciiKeys, c);
}

// A generic modifier made left or right by the key's position.
int sidedModifier(int virtualKey, quint32 nativeKeyCode)
{
    const int positional = lookUp(kPositionKeys, nativeKeyCode);
    const auto generic = [](int vk) {
        return vk >= 0xA0 && vk <= 0xA5 ? kVkShift + (vk - 0xA0) / 2 : vk == 0x5C ? 0x5B : vk;
    };
    const bool sameKey = positional != 0 && generic(positional) == generic(virtualKey);
    const bool isModifier = virtualKey == kVkShift || virtualKey == kVkCtrl ||
                            virtualKey == kVkAlt || virtualKey == kVkLeftWin || virtualKey == 0x5C;
    return sameKey && isModifier ? positional : virtualKey;
}

} // namespace

int virtualKeyFromKeysym(quint32 keysym)
{
    if (keysym >= 0x20 && keysym <= 0x7E) // Latin-1 keysyms are their characters
        return virtualKeyFromAscii(char32_t(keysym));
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return kVkF1 + int(keysym - XK_F1);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return kVkNumpad0 + int(keysym - XK_KP_0);
    return lookUp(kKeysymKeys, keysym);
}

int virtualKeyFromNativeKeyCode(quint32 nativeKeyCode)
{
    const quint32 offset = nativeKeyCode - kMainBlockFirstCode; // wraps below the block
    if (offset < sizeof(kMainBlock) - 1 && kMainBlock[offset] != ' ')
        return virtualKeyFromAscii(char32_t(kMainBlock[offset]));
    return lookUp(kPositionKeys, nativeKeyCode);
}

int virtualKeyFromX11Key(quint32 keysym, quint32 nativeKeyCode)
{
    // The extra ISO key types '<' on many layouts, which would otherwise read
    // as the comma key of a US keyboard.
    if (nativeKeyCode == kIsoExtraKeyCode)
        return kVkIsoExtraKey;
    if (const int vk = virtualKeyFromKeysym(keysym))
        return vk;
    return virtualKeyFromNativeKeyCode(nativeKeyCode);
}

int virtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return kVkNumpad0 + (qtKey - Qt::Key_0);
        if (const int vk = lookUp(kQtKeypadKeys, quint32(qtKey)))
            return vk;
    }
    if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde)
        return virtualKeyFromAscii(char32_t(qtKey));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return kVkF1 + (qtKey - Qt::Key_F1);
    return lookUp(kQtKeys, quint32(qtKey));
}

int virtualKeyFromKeyParts(int qtKey, Qt::KeyboardModifiers modifiers, quint32 keysym,
                           quint32 nativeKeyCode)
{
    if (nativeKeyCode == kIsoExtraKeyCode)
        return kVkIsoExtraKey;
    if (const int vk = virtualKeyFromKeysym(keysym))
        return vk;
    if (const int vk = virtualKeyFromQtKey(qtKey, modifiers))
        return sidedModifier(vk, nativeKeyCode);
    return virtualKeyFromNativeKeyCode(nativeKeyCode);
}

int virtualKeyFromKeyEvent(const QKeyEvent &event)
{
#ifdef Q_OS_WIN
    // Windows reports the virtual-key code itself.
    if (event.nativeVirtualKey() != 0)
        return int(event.nativeVirtualKey() & 0xFF);
#endif
    return virtualKeyFromKeyParts(event.key(), event.modifiers(), event.nativeVirtualKey(),
                                  event.nativeScanCode());
}
