#pragma once

#include <QtGlobal>
#include <qnamespace.h>

class QKeyEvent;

// Windows virtual-key codes are the language of the key tables, the key-combination
// dialog and the macro recorder; these helpers turn the keys this platform reports
// into them. Every result is a code the key tables name, or 0 for a key they do not
// know (which the tables read as "None").
//
// Native key codes here are X11/xkb key codes (the Linux evdev code + 8), which is
// what both the xcb and the Wayland platform report as a key event's native scan
// code and what XInput2 reports as a raw key event's detail.

// A key event of one of the program's windows. Prefers the native key symbol (it
// tells left from right modifiers, the numeric pad from the main block and the
// punctuation keys apart), then Qt's key code with its keypad modifier, then the
// key's position on the keyboard.
int virtualKeyFromKeyEvent(const QKeyEvent &event);

// The same from the parts of a key event, for callers (and tests) that have no
// event at hand. keysym is an X11 key symbol (QKeyEvent::nativeVirtualKey() on
// X11 and Wayland), 0 when unknown; nativeKeyCode is the xkb key code, 0 when unknown.
int virtualKeyFromKeyParts(int qtKey, Qt::KeyboardModifiers modifiers, quint32 keysym,
                           quint32 nativeKeyCode);

// An X11 key symbol alone: XK_Shift_R is 0xA1, XK_KP_1 is 0x61, XK_semicolon 0xBA.
// Shifted punctuation gives the key that carries it on a US keyboard ('!' is the 1
// key), which is how the punctuation keys' virtual-key codes are defined.
int virtualKeyFromKeysym(quint32 keysym);

// A key's position alone, read as on a US keyboard (xkb key code 38 is 'A').
// Serves keys whose symbol says nothing about the key (Cyrillic letters, accented
// letters of other layouts).
int virtualKeyFromNativeKeyCode(quint32 nativeKeyCode);

// What the system-wide capture uses: the key symbol first, else the position.
int virtualKeyFromX11Key(quint32 keysym, quint32 nativeKeyCode);

// Qt's key code alone (with Qt::KeypadModifier for the numeric pad). Left and
// right modifiers cannot be told apart here: Shift is 0x10, Ctrl 0x11, Alt 0x12.
int virtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
