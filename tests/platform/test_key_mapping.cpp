#include "buttons/key_tables.h"
#include "input/key_mapping.h"

#include <QKeyEvent>
#include <QSet>
#include <QTest>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

// xkb key codes of a US keyboard used below.
constexpr quint32 kCodeA = 38;
constexpr quint32 kCodeLeftShift = 50;
constexpr quint32 kCodeRightShift = 62;
constexpr quint32 kCodeLeftCtrl = 37;
constexpr quint32 kCodeRightCtrl = 105;
constexpr quint32 kCodeLeftAlt = 64;
constexpr quint32 kCodeRightAlt = 108;
constexpr quint32 kCodeLeftWin = 133;
constexpr quint32 kCodeRightWin = 134;

class KeyMappingTest : public QObject
{
    Q_OBJECT

    static int fromEvent(int qtKey, Qt::KeyboardModifiers modifiers, quint32 keysym, quint32 code)
    {
        const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, code, keysym, 0);
        return virtualKeyFromKeyEvent(event);
    }

private slots:
    void lettersAndDigitsFromEveryPath()
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
        // Shifted digits are still the digit keys.
        QCOMPARE(virtualKeyFromKeysym(XK_exclam), 0x31);
        QCOMPARE(virtualKeyFromKeysym(XK_parenright), 0x30);
        QCOMPARE(fromEvent(Qt::Key_At, Qt::ShiftModifier, XK_at, 11), 0x32);
        // Letters of a non-Latin layout fall back to the key's position.
        QCOMPARE(fromEvent(0x0444, Qt::NoModifier, XK_Cyrillic_ef, kCodeA), 0x41);
        QCOMPARE(virtualKeyFromX11Key(XK_Cyrillic_ef, kCodeA), 0x41);
        QCOMPARE(virtualKeyFromNativeKeyCode(52), 0x5A); // z
        QCOMPARE(virtualKeyFromNativeKeyCode(19), 0x30);
    }

    void functionKeysToF24()
    {
        for (int i = 0; i < 24; ++i) {
            QCOMPARE(virtualKeyFromKeysym(XK_F1 + i), 0x70 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_F1 + i, Qt::NoModifier), 0x70 + i);
            QCOMPARE(KeyIndexToName(VirtualKeyToKeyIndex(virtualKeyFromKeysym(XK_F1 + i))),
                     QStringLiteral("F%1").arg(i + 1));
        }
    }

    void numericPadApartFromTheMainBlock()
    {
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(virtualKeyFromKeysym(XK_KP_0 + i), 0x60 + i);
            QCOMPARE(virtualKeyFromQtKey(Qt::Key_0 + i, Qt::KeypadModifier), 0x60 + i);
        }
        const struct
        {
            quint32 keysym;
            int qtKey;
            int vk;
        } pad[] = {{XK_KP_Multiply, Qt::Key_Asterisk, 0x6A}, {XK_KP_Add, Qt::Key_Plus, 0x6B},
                   {XK_KP_Separator, Qt::Key_Comma, 0x6C},   {XK_KP_Subtract, Qt::Key_Minus, 0x6D},
                   {XK_KP_Decimal, Qt::Key_Period, 0x6E},    {XK_KP_Divide, Qt::Key_Slash, 0x6F}};
        for (const auto &k : pad) {
            QCOMPARE(virtualKeyFromKeysym(k.keysym), k.vk);
            QCOMPARE(virtualKeyFromQtKey(k.qtKey, Qt::KeypadModifier), k.vk);
            QVERIFY(virtualKeyFromQtKey(k.qtKey, Qt::NoModifier) != k.vk);
        }
        // Without Num Lock the pad's keys are the navigation keys, as on Windows.
        QCOMPARE(virtualKeyFromKeysym(XK_KP_End), 0x23);
        QCOMPARE(virtualKeyFromKeysym(XK_KP_Begin), 0x0C);
        QCOMPARE(virtualKeyFromQtKey(Qt::Key_Home, Qt::KeypadModifier), 0x24);
        QCOMPARE(virtualKeyFromKeysym(XK_KP_Enter), 0x0D);
        QCOMPARE(virtualKeyFromKeysym(XK_Num_Lock), 0x90);
    }

    void leftAndRightModifiers_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<quint32>("code");
        QTest::addColumn<int>("vk");
        QTest::newRow("left shift")
            << int(Qt::Key_Shift) << quint32(XK_Shift_L) << kCodeLeftShift << 0xA0;
        QTest::newRow("right shift")
            << int(Qt::Key_Shift) << quint32(XK_Shift_R) << kCodeRightShift << 0xA1;
        QTest::newRow("left ctrl")
            << int(Qt::Key_Control) << quint32(XK_Control_L) << kCodeLeftCtrl << 0xA2;
        QTest::newRow("right ctrl")
            << int(Qt::Key_Control) << quint32(XK_Control_R) << kCodeRightCtrl << 0xA3;
        QTest::newRow("left alt") << int(Qt::Key_Alt) << quint32(XK_Alt_L) << kCodeLeftAlt << 0xA4;
        QTest::newRow("right alt")
            << int(Qt::Key_Alt) << quint32(XK_Alt_R) << kCodeRightAlt << 0xA5;
        QTest::newRow("altgr") << int(Qt::Key_AltGr) << quint32(XK_ISO_Level3_Shift)
                               << kCodeRightAlt << 0xA5;
        QTest::newRow("left win") << int(Qt::Key_Super_L) << quint32(XK_Super_L) << kCodeLeftWin
                                  << 0x5B;
        QTest::newRow("right win")
            << int(Qt::Key_Super_R) << quint32(XK_Super_R) << kCodeRightWin << 0x5C;
        QTest::newRow("meta as right win")
            << int(Qt::Key_Meta) << quint32(XK_Super_R) << kCodeRightWin << 0x5C;
    }

    void leftAndRightModifiers()
    {
        QFETCH(int, qtKey);
        QFETCH(quint32, keysym);
        QFETCH(quint32, code);
        QFETCH(int, vk);
        QCOMPARE(virtualKeyFromKeysym(keysym), vk);
        QCOMPARE(virtualKeyFromX11Key(keysym, code), vk);
        QCOMPARE(fromEvent(qtKey, Qt::NoModifier, keysym, code), vk);
        // Without the key symbol the key's position still tells the side.
        QCOMPARE(fromEvent(qtKey, Qt::NoModifier, 0, code), vk);
        QCOMPARE(virtualKeyFromNativeKeyCode(code), vk);
    }

    void modifiersWithoutAnySideAreTheGenericKeys()
    {
        QCOMPARE(fromEvent(Qt::Key_Shift, Qt::ShiftModifier, 0, 0), 0x10);
        QCOMPARE(fromEvent(Qt::Key_Control, Qt::ControlModifier, 0, 0), 0x11);
        QCOMPARE(fromEvent(Qt::Key_Alt, Qt::AltModifier, 0, 0), 0x12);
        QCOMPARE(fromEvent(Qt::Key_Meta, Qt::MetaModifier, 0, 0), 0x5B);
        // A position that is no modifier does not turn a modifier into something else.
        QCOMPARE(fromEvent(Qt::Key_Shift, Qt::ShiftModifier, 0, kCodeA), 0x10);
    }

    void navigationAndSystemKeys()
    {
        const struct
        {
            quint32 keysym;
            int qtKey;
            int vk;
        } keys[] = {{XK_Left, Qt::Key_Left, 0x25},
                    {XK_Up, Qt::Key_Up, 0x26},
                    {XK_Right, Qt::Key_Right, 0x27},
                    {XK_Down, Qt::Key_Down, 0x28},
                    {XK_Prior, Qt::Key_PageUp, 0x21},
                    {XK_Next, Qt::Key_PageDown, 0x22},
                    {XK_Home, Qt::Key_Home, 0x24},
                    {XK_End, Qt::Key_End, 0x23},
                    {XK_Insert, Qt::Key_Insert, 0x2D},
                    {XK_Delete, Qt::Key_Delete, 0x2E},
                    {XK_BackSpace, Qt::Key_Backspace, 8},
                    {XK_Tab, Qt::Key_Tab, 9},
                    {XK_Return, Qt::Key_Return, 0x0D},
                    {XK_Escape, Qt::Key_Escape, 0x1B},
                    {XK_space, Qt::Key_Space, 0x20},
                    {XK_Pause, Qt::Key_Pause, 0x13},
                    {XK_Caps_Lock, Qt::Key_CapsLock, 0x14},
                    {XK_Print, Qt::Key_Print, 0x2C},
                    {XK_Scroll_Lock, Qt::Key_ScrollLock, 0x91},
                    {XK_Menu, Qt::Key_Menu, 0x5D},
                    {XK_Help, Qt::Key_Help, 0x2F},
                    {XK_Select, Qt::Key_Select, 0x29},
                    {XK_Clear, Qt::Key_Clear, 0x0C}};
        for (const auto &k : keys) {
            QCOMPARE(virtualKeyFromKeysym(k.keysym), k.vk);
            QCOMPARE(virtualKeyFromQtKey(k.qtKey, Qt::NoModifier), k.vk);
        }
        QCOMPARE(virtualKeyFromKeysym(XK_ISO_Left_Tab), 0x09);
    }

    void oemKeysApart()
    {
        const struct
        {
            char unshifted;
            char shifted;
            int vk;
            const char *name;
        } keys[] = {{';', ':', 0xBA, "OEM_1"},     {'/', '?', 0xBF, "OEM_2"},
                    {'`', '~', 0xC0, "OEM_3"},     {'[', '{', 0xDB, "OEM_4"},
                    {'\\', '|', 0xDC, "OEM_5"},    {']', '}', 0xDD, "OEM_6"},
                    {'\'', '"', 0xDE, "OEM_7"},    {'=', '+', 0xBB, "OEM_Plus"},
                    {',', '<', 0xBC, "OEM_Comma"}, {'-', '_', 0xBD, "OEM_Minus"},
                    {'.', '>', 0xBE, "OEM_Period"}};
        for (const auto &k : keys) {
            QCOMPARE(virtualKeyFromKeysym(quint32(k.unshifted)), k.vk);
            QCOMPARE(virtualKeyFromKeysym(quint32(k.shifted)), k.vk);
            QCOMPARE(virtualKeyFromQtKey(k.unshifted, Qt::NoModifier), k.vk);
            QCOMPARE(virtualKeyFromQtKey(k.shifted, Qt::ShiftModifier), k.vk);
            QCOMPARE(KeyIndexToName(VirtualKeyToKeyIndex(k.vk)), QString::fromLatin1(k.name));
        }
        // The ISO key beside left Shift is a key of its own, though it types '<'.
        QCOMPARE(virtualKeyFromX11Key(XK_less, 94), 0xE2);
        QCOMPARE(fromEvent(Qt::Key_Less, Qt::NoModifier, XK_less, 94), 0xE2);
        QCOMPARE(fromEvent(Qt::Key_Less, Qt::ShiftModifier, XK_less, 59), 0xBC);
    }

    void mediaAndBrowserKeysReachTheirTableEntries()
    {
        const struct
        {
            quint32 keysym;
            int qtKey;
            int index;
        } keys[] = {{XF86XK_Back, Qt::Key_Back, kh_Browser_Back},
                    {XF86XK_Forward, Qt::Key_Forward, kh_Browser_Forward},
                    {XF86XK_Refresh, Qt::Key_Refresh, kh_Browser_Refresh},
                    {XF86XK_Stop, Qt::Key_Stop, kh_Browser_Stop},
                    {XF86XK_Search, Qt::Key_Search, kh_Browser_Search},
                    {XF86XK_Favorites, Qt::Key_Favorites, kh_Browser_Favorites},
                    {XF86XK_HomePage, Qt::Key_HomePage, kh_Browser_Home},
                    {XF86XK_AudioMute, Qt::Key_VolumeMute, kh_Volume_Mute},
                    {XF86XK_AudioLowerVolume, Qt::Key_VolumeDown, kh_Volume_Down},
                    {XF86XK_AudioRaiseVolume, Qt::Key_VolumeUp, kh_Volume_Up},
                    {XF86XK_AudioNext, Qt::Key_MediaNext, kh_Media_Next_Track},
                    {XF86XK_AudioPrev, Qt::Key_MediaPrevious, kh_Media_Prev_Track},
                    {XF86XK_AudioStop, Qt::Key_MediaStop, kh_Media_Stop},
                    {XF86XK_AudioPlay, Qt::Key_MediaPlay, kh_Media_Play_Pause},
                    {XF86XK_Mail, Qt::Key_LaunchMail, kh_Launch_Mail},
                    {XF86XK_AudioMedia, Qt::Key_LaunchMedia, kh_Launch_Media_Select},
                    {XF86XK_MyComputer, Qt::Key_Launch0, kh_Launch_App1},
                    {XF86XK_Calculator, Qt::Key_Launch1, kh_Launch_App2}};
        for (const auto &k : keys) {
            QCOMPARE(VirtualKeyToKeyIndex(virtualKeyFromKeysym(k.keysym)), k.index);
            QCOMPARE(VirtualKeyToKeyIndex(virtualKeyFromQtKey(k.qtKey, Qt::NoModifier)), k.index);
        }
    }

    void everyKeyOfTheTablesIsReachable()
    {
        QSet<int> fromKeysyms;
        QSet<int> fromQtKeys;
        for (quint32 keysym = 0; keysym <= 0xFFFF; ++keysym)
            fromKeysyms.insert(virtualKeyFromKeysym(keysym));
        for (quint32 keysym = 0x1008FF00; keysym <= 0x1008FFFF; ++keysym)
            fromKeysyms.insert(virtualKeyFromKeysym(keysym));
        const QList<Qt::KeyboardModifiers> modifiers = {Qt::NoModifier, Qt::KeypadModifier};
        for (Qt::KeyboardModifiers m : modifiers) {
            for (int key = 0; key <= 0xFF; ++key)
                fromQtKeys.insert(virtualKeyFromQtKey(key, m));
            for (int key = Qt::Key_Escape; key < Qt::Key_Escape + 0x200; ++key)
                fromQtKeys.insert(virtualKeyFromQtKey(key, m));
            for (int key = Qt::Key_Select; key < Qt::Key_Select + 0x10; ++key)
                fromQtKeys.insert(virtualKeyFromQtKey(key, m));
        }
        for (int index = kh_Back; index < kh_Return_KP; ++index) {
            const int vk = KeyIndexToVirtualKey(index);
            // OEM_8 has no key on a US or ISO keyboard; 255 is no key at all.
            if (vk < 0 || index == kh_OEM_8)
                continue;
            // The plain modifiers come only from Qt, which cannot tell the side.
            if (index != kh_Shift && index != kh_Control && index != kh_Alt)
                QVERIFY2(fromKeysyms.contains(vk), qPrintable(KeyIndexToName(index)));
            // The sided modifiers need the key's position besides Qt's key (tested above).
            if (index < kh_LShift || index > kh_RAlt)
                QVERIFY2(fromQtKeys.contains(vk), qPrintable(KeyIndexToName(index)));
        }
    }

    void unknownKeysGiveNoCode()
    {
        QCOMPARE(virtualKeyFromKeysym(0), 0);
        QCOMPARE(virtualKeyFromKeysym(XK_odiaeresis), 0);
        QCOMPARE(virtualKeyFromKeysym(0xFFFFFFFF), 0);
        QCOMPARE(virtualKeyFromQtKey(Qt::Key_unknown, Qt::NoModifier), 0);
        QCOMPARE(virtualKeyFromNativeKeyCode(0), 0);
        QCOMPARE(virtualKeyFromNativeKeyCode(100000), 0);
        QCOMPARE(fromEvent(0, Qt::NoModifier, 0, 0), 0);
    }
};

QTEST_MAIN(KeyMappingTest)
#include "test_key_mapping.moc"
