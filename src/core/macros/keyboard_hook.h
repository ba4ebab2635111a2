#pragma once

#include "buttons/key_tables.h"

#include <QList>

#include <functional>

// What a key event means for the recorder: the first key down since the last
// key up of any key is kh_On, every further down (a repeat, or another key
// pressed while one is held) is kh_Repeat, and a key up is kh_Off.
enum TKeyboardHookState
{
    kh_On = 0,
    kh_Off = 1,
    kh_Repeat = 2
};

using TKeyCombination = QList<TKeyboardHookKey>;
using TKeyboardHookShiftState = QList<TKeyboardHookKey>; // Shift, Ctrl, Alt among the held keys

// Turns raw key downs and ups, as a platform capture reports them (a Windows
// virtual-key code and the direction; repeats arrive as further downs), into
// kh_On / kh_Repeat / kh_Off. The count and the held keys follow every event
// fed in, also while the hook is disabled, so a capture should feed it all
// it sees; only the callbacks are gated by Enabled.
class TKeyboardHook
{
public:
    using TKeyboardHookEvent =
        std::function<void(int key, TKeyboardHookState state, int repeatCount)>;
    using TKeyCombinationPressedEvent =
        std::function<void(const TKeyCombination &keys, const TKeyboardHookShiftState &shift)>;

    bool Enabled = false;
    TKeyboardHookEvent OnReceive;
    TKeyCombinationPressedEvent OnKeyCombination;

    void keyDown(int virtualKey);
    void keyUp(int virtualKey);

    // Key downs since the last key up.
    int keyDownCount() const { return m_downCount; }
    // The left and right variants of Shift, Ctrl and Alt are reported as the
    // plain keys, which is how the recorder and the key tables name them.
    static int normalizedVirtualKey(int virtualKey);

private:
    struct HeldKey
    {
        TKeyboardHookKey key;
        bool released = false;
    };

    void deliver(int virtualKey);
    void finishCombination();

    int m_downCount = 0;
    QList<HeldKey> m_held;
};
