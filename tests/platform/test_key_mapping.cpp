#include "buttons/key_tables.h"
#include "input/key_mapping.h"

#include <QKeyEvent>
#include <QSet>
#include <QTest>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

// Key events and X11 key symbols to the virtual-key codes of the key tables.
class KeyMappingTest : public QObject
{
    Q_OBJECT

    static int fromEvent(int qtKey, Qt::KeyboardModifiers mods, quint32 keysym, quint32 code)
    {
        return virtualKeyFromKeyEvent(QKeyEvent(QEvent::KeyPress, qtKey, mods, code, keysym, 0));
    }

private slots:
    void lettersDigitsAndFunctionKeys()
    {
        for (int i = 0; i < 26; ++i) {
            QCOMPARE(virtualKeyFromKeysym(XK_a + i), 0x41 + i);
            QCOMPARE(virtualKeyFromKeysym(XK_A + i), 0x41 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_A + i, Qt::NoModifier), 0x41 + i);
        }
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(virtualKeyFromKeysym(XK_0 + i), 0x30 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_0 + i, Qt::NoModifier), 0x30 + i);
        }
        for (int i = 0; i < 24; ++i) {
            QCOMPARE(virtualKeyFromKeysym(XK_F1 + i), 0x70 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_F1 + i, Qt::NoModifier), 0x70 + i);
        }
        // Shift+2 is still the 2 key; a Cyrillic letter is read by its position (38 is A).
        QCOMPARE(fromEvent(Qt::Key_At, Qt::ShiftModifier, XK_at, 11), 0x32);
        QCOMPARE(fromEvent(0x0444, Qt::NoModifier, XK_Cyrillic_ef, 38), 0x41);
        QCOMPARE(virtualKeyFromX11Key(XK_Cyrillic_ef, 38), 0x41);
        QCOMPARE(virtualKeyFromNativeKeyCode(61), 0xBF); // the / key
    }

    void numericPadApartFromTheMainBlock()
    {
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(virtualKeyFromKeysym(XK_KP_0 + i), 0x60 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_0 + i, Qt::KeypadModifier), 0x60 + i);
        }
        const int qtKeys[] = {Qt::Key_Asterisk, Qt::Key_Plus,   Qt::Key_Comma,
                              Qt::Key_Minus,    Qt::Key_Period, Qt::Key_Slash};
        const quint32 keysyms[] = {XK_KP_Multiply, XK_KP_Add,     XK_KP_Separator,
                                   XK_KP_Subtract, XK_KP_Decimal, XK_KP_Divide};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(virtualKeyFromKeysym(keysyms[i]), 0x6A + i);
            QCOMPARE(virtualKeyFromQtKey(qtKeys[i], Qt::KeypadModifier), 0x6A + i);
            QVERIFY(virtualKeyFromQtKey(qtKeys[i], Qt::NoModifier) != 0x6A + i);
        }
        // Without Num Lock the pad's keys are navigation keys, as on Windows.
        QCOMPARE(virtualKeyFromKeysym(XK_KP_End), 0x23);
        QCOMPARE(virtualKeyFromQtKey(Qt::Key_Home, Qt::KeypadModifier), 0x24);
    }

    void leftAndRightModifiers()
    {
        const struct
        {
            int qtKey;
            quint32 keysym, code;
            int vk;
        } keys[] = {
            {Qt::Key_Shift, XK_Shift_L, 50, 0xA0},     {Qt::Key_Shift, XK_Shift_R, 62, 0xA1},
            {Qt::Key_Control, XK_Control_L, 37, 0xA2}, {Qt::Key_Control, XK_Control_R, 105, 0xA3},
            {Qt::Key_Alt, XK_Alt_L, 64, 0xA4},         {Qt::Key_Alt, XK_Alt_R, 108, 0xA5},
            {Qt::Key_Super_L, XK_Super_L, 133, 0x5B},  {Qt::Key_Meta, XK_Super_R, 134, 0x5C}};
        for (const auto &k : keys) {
            QCOMPARE(virtualKeyFromX11Key(k.keysym, k.code), k.vk);
            QCOMPARE(fromEvent(k.qtKey, Qt::NoModifier, k.keysym, k.code), k.vk);
            // Without the key symbol the key's position still tells the side.
            QCOMPARE(fromEvent(k.qtKey, Qt::NoModifier, 0, k.code), k.vk);
        }
        // With neither, the plain modifier; a position of another key changes nothing.
        QCOMPARE(fromEvent(Qt::Key_Shift, Qt::ShiftModifier, 0, 0), 0x10);
        QCOMPARE(fromEvent(Qt::Key_Control, Qt::ControlModifier, 0, 38), 0x11);
        QCOMPARE(fromEvent(Qt::Key_AltGr, Qt::NoModifier, XK_ISO_Level3_Shift, 108), 0xA5);
    }

    void arrowsAndOemKeys()
    {
        const quint32 arrows[] = {XK_Left, XK_Up, XK_Right, XK_Down};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(virtualKeyFromKeysym(arrows[i]), 0x25 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_Left + i, Qt::NoModifier), 0x25 + i);
        }
        const char *oem[] = {";:OEM_1",     "/?OEM_2",     "`~OEM_3",     "[{OEM_4",
                             "\\|OEM_5",    "]}OEM_6",     "'\"OEM_7",    "=+OEM_Plus",
                             ",<OEM_Comma", "-_OEM_Minus", ".>OEM_Period"};
        for (const char *k : oem) {
            const int vk = virtualKeyFromKeysym(quint32(k[0]));
            QCOMPARE(KeyIndexToName(VirtualKeyToKeyIndex(vk)), QString::fromLatin1(k + 2));
            QCOMPARE(virtualKeyFromKeysym(quint32(k[1])), vk);
            QCOMPARE(virtualKeyFromQtKey(k[1], Qt::ShiftModifier), vk);
        }
        // The ISO key beside left Shift is a key of its own, though it types '<'.
        QCOMPARE(fromEvent(Qt::Key_Less, Qt::NoModifier, XK_less, 94), 0xE2);
        QCOMPARE(fromEvent(Qt::Key_Less, Qt::ShiftModifier, XK_less, 59), 0xBC);
    }

    void everyKeyOfTheTablesIsReachable()
    {
        QSet<int> fromKeysyms, fromQtKeys;
        for (quint32 keysym = 0; keysym <= 0xFFFF; ++keysym)
            fromKeysyms.insert(virtualKeyFromKeysym(keysym));
        for (quint32 keysym = 0x1008FF00; keysym <= 0x1008FFFF; ++keysym)
            fromKeysyms.insert(virtualKeyFromKeysym(keysym));
        for (Qt::KeyboardModifiers m : {Qt::NoModifier, Qt::KeypadModifier}) {
            for (int key = 0; key <= 0xFF; ++key)
                fromQtKeys.insert(virtualKeyFromQtKey(key, m));
            for (int key = Qt::Key_Escape; key < Qt::Key_Escape + 0x200; ++key)
                fromQtKeys.insert(virtualKeyFromQtKey(key, m));
            fromQtKeys.insert(virtualKeyFromQtKey(Qt::Key_Select, m));
        }
        for (int index = kh_Back; index < kh_Return_KP; ++index) {
            const int vk = KeyIndexToVirtualKey(index);
            if (vk < 0 || index == kh_OEM_8) // OEM_8 has no key on US or ISO keyboards
                continue;
            // The plain modifiers come from Qt alone, the sided ones need a symbol or position.
            if (index != kh_Shift && index != kh_Control && index != kh_Alt)
                QVERIFY2(fromKeysyms.contains(vk), qPrintable(KeyIndexToName(index)));
            if (index < kh_LShift || index > kh_RAlt)
                QVERIFY2(fromQtKeys.contains(vk), qPrintable(KeyIndexToName(index)));
        }
        QCOMPARE(VirtualKeyToKeyIndex(virtualKeyFromKeysym(XF86XK_AudioPlay)), kh_Media_Play_Pause);
        QCOMPARE(VirtualKeyToKeyIndex(virtualKeyFromQtKey(Qt::Key_Back, {})), kh_Browser_Back);
    }

    void unknownKeysGiveNoCode()
    {
        QCOMPARE(virtualKeyFromKeysym(XK_odiaeresis), 0);
        QCOMPARE(virtualKeyFromKeysym(0xFFFFFFFF), 0);
        QCOMPARE(virtualKeyFromQtKey(Qt::Key_unknown, Qt::NoModifier), 0);
        QCOMPARE(virtualKeyFromNativeKeyCode(100000), 0);
        QCOMPARE(fromEvent(0, Qt::NoModifier, 0, 0), 0);
    }
};

QTEST_MAIN(KeyMappingTest)
#include "test_key_mapping.moc"
