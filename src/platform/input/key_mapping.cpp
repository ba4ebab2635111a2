#include "input/key_mapping.h"

#include <QKeyEvent>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace {

// Virtual-key codes the mapping produces by name, where a bare number would not
// say which key it is.
enum VirtualKey : int
{
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12, // Alt
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SELECT = 0x29,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_HELP = 0x2F,
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0,
    VK_RSHIFT = 0xA1,
    VK_LCONTROL = 0xA2,
    VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4,
    VK_RMENU = 0xA5,
    VK_BROWSER_BACK = 0xA6,
    VK_BROWSER_FORWARD = 0xA7,
    VK_BROWSER_REFRESH = 0xA8,
    VK_BROWSER_STOP = 0xA9,
    VK_BROWSER_SEARCH = 0xAA,
    VK_BROWSER_FAVORITES = 0xAB,
    VK_BROWSER_HOME = 0xAC,
    VK_VOLUME_MUTE = 0xAD,
    VK_VOLUME_DOWN = 0xAE,
    VK_VOLUME_UP = 0xAF,
    VK_MEDIA_NEXT_TRACK = 0xB0,
    VK_MEDIA_PREV_TRACK = 0xB1,
    VK_MEDIA_STOP = 0xB2,
    VK_MEDIA_PLAY_PAUSE = 0xB3,
    VK_LAUNCH_MAIL = 0xB4,
    VK_LAUNCH_MEDIA_SELECT = 0xB5,
    VK_LAUNCH_APP1 = 0xB6,
    VK_LAUNCH_APP2 = 0xB7,
    VK_OEM_1 = 0xBA,      // ;:
    VK_OEM_PLUS = 0xBB,   // =+
    VK_OEM_COMMA = 0xBC,  // ,<
    VK_OEM_MINUS = 0xBD,  // -_
    VK_OEM_PERIOD = 0xBE, // .>
    VK_OEM_2 = 0xBF,      // /?
    VK_OEM_3 = 0xC0,      // `~
    VK_OEM_4 = 0xDB,      // [{
    VK_OEM_5 = 0xDC,      // \|
    VK_OEM_6 = 0xDD,      // ]}
    VK_OEM_7 = 0xDE,      // '"
    VK_OEM_102 = 0xE2,    // the extra key beside left Shift on ISO keyboards
};

// xkb key codes of the modifier keys (evdev code + 8), the only way a Qt key
// event without a key symbol tells left from right.
constexpr quint32 kLeftShiftCode = 50;
constexpr quint32 kRightShiftCode = 62;
constexpr quint32 kLeftCtrlCode = 37;
constexpr quint32 kRightCtrlCode = 105;
constexpr quint32 kLeftAltCode = 64;
constexpr quint32 kRightAltCode = 108;
constexpr quint32 kLeftWinCode = 133;
constexpr quint32 kRightWinCode = 134;
constexpr quint32 kIsoExtraKeyCode = 94;

// A printable ASCII character as the US keyboard types it: letters of either
// case, digits, and punctuation with or without Shift.
int virtualKeyFromAscii(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return int(c - 'a') + 'A';
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')
        return int(c);
    switch (c) {
    case ')':
        return '0';
    case '!':
        return '1';
    case '@':
        return '2';
    case '#':
        return '3';
    case '$':
        return '4';
    case '%':
        return '5';
    case '^':
        return '6';
    case '&':
        return '7';
    case '*':
        return '8';
    case '(':
        return '9';
    case ';':
    case ':':
        return VK_OEM_1;
    case '=':
    case '+':
        return VK_OEM_PLUS;
    case ',':
    case '<':
        return VK_OEM_COMMA;
    case '-':
    case '_':
        return VK_OEM_MINUS;
    case '.':
    case '>':
        return VK_OEM_PERIOD;
    case '/':
    case '?':
        return VK_OEM_2;
    case '`':
    case '~':
        return VK_OEM_3;
    case '[':
    case '{':
        return VK_OEM_4;
    case '\\':
    case '|':
        return VK_OEM_5;
    case ']':
    case '}':
        return VK_OEM_6;
    case '\'':
    case '"':
        return VK_OEM_7;
    default:
        return 0;
    }
}

int virtualKeyFromFunctionKeysym(quint32 keysym)
{
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return VK_F1 + int(keysym - XK_F1);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return VK_NUMPAD0 + int(keysym - XK_KP_0);
    switch (keysym) {
    case XK_BackSpace:
        return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab: // Shift+Tab
    case XK_KP_Tab:
        return VK_TAB;
    case XK_Clear:
    case XK_KP_Begin: // numeric pad 5 without Num Lock
        return VK_CLEAR;
    case XK_Return:
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_Pause:
    case XK_Break: // Ctrl+Pause
        return VK_PAUSE;
    case XK_Scroll_Lock:
        return VK_SCROLL;
    case XK_Sys_Req: // Alt+Print
    case XK_Print:
        return VK_SNAPSHOT;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_Delete:
    case XK_KP_Delete:
        return VK_DELETE;
    case XK_Home:
    case XK_KP_Home:
        return VK_HOME;
    case XK_Left:
    case XK_KP_Left:
        return VK_LEFT;
    case XK_Up:
    case XK_KP_Up:
        return VK_UP;
    case XK_Right:
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_Down:
    case XK_KP_Down:
        return VK_DOWN;
    case XK_Prior:
    case XK_KP_Prior:
        return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next:
        return VK_NEXT;
    case XK_End:
    case XK_KP_End:
        return VK_END;
    case XK_Select:
        return VK_SELECT;
    case XK_Insert:
    case XK_KP_Insert:
        return VK_INSERT;
    case XK_Menu:
        return VK_APPS;
    case XK_Help:
        return VK_HELP;
    case XK_Num_Lock:
        return VK_NUMLOCK;
    case XK_KP_Space:
        return VK_SPACE;
    case XK_KP_Multiply:
        return VK_MULTIPLY;
    case XK_KP_Add:
        return VK_ADD;
    case XK_KP_Separator:
        return VK_SEPARATOR;
    case XK_KP_Subtract:
        return VK_SUBTRACT;
    case XK_KP_Decimal:
        return VK_DECIMAL;
    case XK_KP_Divide:
        return VK_DIVIDE;
    case XK_Shift_L:
        return VK_LSHIFT;
    case XK_Shift_R:
        return VK_RSHIFT;
    case XK_Control_L:
        return VK_LCONTROL;
    case XK_Control_R:
        return VK_RCONTROL;
    case XK_Caps_Lock:
    case XK_Shift_Lock:
        return VK_CAPITAL;
    case XK_Alt_L:
    case XK_Meta_L: // Shift+Alt
        return VK_LMENU;
    case XK_Alt_R:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift: // AltGr
        return VK_RMENU;
    case XK_Super_L:
        return VK_LWIN;
    case XK_Super_R:
        return VK_RWIN;
    default:
        return 0;
    }
}

int virtualKeyFromVendorKeysym(quint32 keysym)
{
    switch (keysym) {
    case XF86XK_Back:
        return VK_BROWSER_BACK;
    case XF86XK_Forward:
        return VK_BROWSER_FORWARD;
    case XF86XK_Refresh:
        return VK_BROWSER_REFRESH;
    case XF86XK_Stop:
        return VK_BROWSER_STOP;
    case XF86XK_Search:
        return VK_BROWSER_SEARCH;
    case XF86XK_Favorites:
        return VK_BROWSER_FAVORITES;
    case XF86XK_HomePage:
        return VK_BROWSER_HOME;
    case XF86XK_AudioMute:
        return VK_VOLUME_MUTE;
    case XF86XK_AudioLowerVolume:
        return VK_VOLUME_DOWN;
    case XF86XK_AudioRaiseVolume:
        return VK_VOLUME_UP;
    case XF86XK_AudioNext:
        return VK_MEDIA_NEXT_TRACK;
    case XF86XK_AudioPrev:
        return VK_MEDIA_PREV_TRACK;
    case XF86XK_AudioStop:
        return VK_MEDIA_STOP;
    case XF86XK_AudioPlay:
    case XF86XK_AudioPause:
        return VK_MEDIA_PLAY_PAUSE;
    case XF86XK_Mail:
        return VK_LAUNCH_MAIL;
    case XF86XK_AudioMedia:
        return VK_LAUNCH_MEDIA_SELECT;
    case XF86XK_MyComputer: // the keys the Windows keyboard layouts give these codes
        return VK_LAUNCH_APP1;
    case XF86XK_Calculator:
        return VK_LAUNCH_APP2;
    default:
        return 0;
    }
}

int virtualKeyFromKeypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VK_NUMPAD0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Comma:
        return VK_SEPARATOR;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Period:
        return VK_DECIMAL;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        return 0; // navigation keys and Enter read as their main-block twins
    }
}

int virtualKeyFromSpecialQtKey(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_AltGr:
        return VK_RMENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Select:
        return VK_SELECT;
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return VK_SNAPSHOT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Help:
        return VK_HELP;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return VK_LWIN;
    case Qt::Key_Super_R:
        return VK_RWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Back:
        return VK_BROWSER_BACK;
    case Qt::Key_Forward:
        return VK_BROWSER_FORWARD;
    case Qt::Key_Refresh:
        return VK_BROWSER_REFRESH;
    case Qt::Key_Stop:
        return VK_BROWSER_STOP;
    case Qt::Key_Search:
        return VK_BROWSER_SEARCH;
    case Qt::Key_Favorites:
        return VK_BROWSER_FAVORITES;
    case Qt::Key_HomePage:
        return VK_BROWSER_HOME;
    case Qt::Key_VolumeMute:
        return VK_VOLUME_MUTE;
    case Qt::Key_VolumeDown:
        return VK_VOLUME_DOWN;
    case Qt::Key_VolumeUp:
        return VK_VOLUME_UP;
    case Qt::Key_MediaNext:
        return VK_MEDIA_NEXT_TRACK;
    case Qt::Key_MediaPrevious:
        return VK_MEDIA_PREV_TRACK;
    case Qt::Key_MediaStop:
        return VK_MEDIA_STOP;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause:
        return VK_MEDIA_PLAY_PAUSE;
    case Qt::Key_LaunchMail:
        return VK_LAUNCH_MAIL;
    case Qt::Key_LaunchMedia:
        return VK_LAUNCH_MEDIA_SELECT;
    case Qt::Key_Launch0:
        return VK_LAUNCH_APP1;
    case Qt::Key_Launch1:
    case Qt::Key_Calculator:
        return VK_LAUNCH_APP2;
    default:
        return 0;
    }
}

// A modifier whose side Qt's key code does not say, resolved by the key's position.
int sidedModifier(int genericKey, quint32 nativeKeyCode)
{
    switch (nativeKeyCode) {
    case kLeftShiftCode:
        return genericKey == VK_SHIFT ? VK_LSHIFT : genericKey;
    case kRightShiftCode:
        return genericKey == VK_SHIFT ? VK_RSHIFT : genericKey;
    case kLeftCtrlCode:
        return genericKey == VK_CONTROL ? VK_LCONTROL : genericKey;
    case kRightCtrlCode:
        return genericKey == VK_CONTROL ? VK_RCONTROL : genericKey;
    case kLeftAltCode:
        return genericKey == VK_MENU ? VK_LMENU : genericKey;
    case kRightAltCode:
        return genericKey == VK_MENU ? VK_RMENU : genericKey;
    case kLeftWinCode:
        return genericKey == VK_LWIN || genericKey == VK_RWIN ? VK_LWIN : genericKey;
    case kRightWinCode:
        return genericKey == VK_LWIN || genericKey == VK_RWIN ? VK_RWIN : genericKey;
    default:
        return genericKey;
    }
}

} // namespace

int virtualKeyFromKeysym(quint32 keysym)
{
    if (keysym >= 0x20 && keysym <= 0x7E) // Latin-1 keysyms are their characters
        return virtualKeyFromAscii(char32_t(keysym));
    if (keysym >= 0xFF00 && keysym <= 0xFFFF) // function, modifier and keypad keys
        return virtualKeyFromFunctionKeysym(keysym);
    if (keysym == XK_ISO_Left_Tab || keysym == XK_ISO_Level3_Shift)
        return virtualKeyFromFunctionKeysym(keysym);
    return virtualKeyFromVendorKeysym(keysym);
}

int virtualKeyFromNativeKeyCode(quint32 nativeKeyCode)
{
    // Key positions of a US keyboard in xkb key code order, from code 9 (Esc)
    // to code 61 (the / key); 0 where the code is not a key of that block.
    static constexpr char kMainBlock[] = "\x1b"
                                         "1234567890-=\b\t"
                                         "qwertyuiop[]\r\0"
                                         "asdfghjkl;'`\0\\"
                                         "zxcvbnm,./";
    constexpr quint32 kFirstCode = 9;
    constexpr quint32 kBlockSize = sizeof(kMainBlock) - 1;
    if (nativeKeyCode >= kFirstCode && nativeKeyCode < kFirstCode + kBlockSize) {
        const char c = kMainBlock[nativeKeyCode - kFirstCode];
        switch (c) {
        case '\x1b':
            return VK_ESCAPE;
        case '\b':
            return VK_BACK;
        case '\t':
            return VK_TAB;
        case '\r':
            return VK_RETURN;
        default:
            break;
        }
        if (c != 0)
            return virtualKeyFromAscii(char32_t(c));
    }
    switch (nativeKeyCode) {
    case kLeftShiftCode:
        return VK_LSHIFT;
    case kRightShiftCode:
        return VK_RSHIFT;
    case kLeftCtrlCode:
        return VK_LCONTROL;
    case kRightCtrlCode:
        return VK_RCONTROL;
    case kLeftAltCode:
        return VK_LMENU;
    case kRightAltCode:
        return VK_RMENU;
    case kLeftWinCode:
        return VK_LWIN;
    case kRightWinCode:
        return VK_RWIN;
    case 65:
        return VK_SPACE;
    case 66:
        return VK_CAPITAL;
    case kIsoExtraKeyCode:
        return VK_OEM_102;
    default:
        return 0;
    }
}

int virtualKeyFromX11Key(quint32 keysym, quint32 nativeKeyCode)
{
    // The extra ISO key carries '<' on many layouts, which would otherwise read
    // as the comma key of a US keyboard.
    if (nativeKeyCode == kIsoExtraKeyCode)
        return VK_OEM_102;
    if (const int vk = virtualKeyFromKeysym(keysym))
        return vk;
    return virtualKeyFromNativeKeyCode(nativeKeyCode);
}

int virtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int vk = virtualKeyFromKeypadKey(qtKey))
            return vk;
    }
    if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde)
        return virtualKeyFromAscii(char32_t(qtKey));
    return virtualKeyFromSpecialQtKey(qtKey);
}

int virtualKeyFromKeyParts(int qtKey, Qt::KeyboardModifiers modifiers, quint32 keysym,
                           quint32 nativeKeyCode)
{
    if (nativeKeyCode == kIsoExtraKeyCode)
        return VK_OEM_102;
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
