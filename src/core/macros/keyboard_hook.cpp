#include "macros/keyboard_hook.h"

#include <algorithm>
#include <utility>

int TKeyboardHook::normalizedVirtualKey(int virtualKey)
{
    switch (virtualKey) {
    case 0xA0: // left and right Shift
    case 0xA1:
        return 0x10;
    case 0xA2: // left and right Ctrl
    case 0xA3:
        return 0x11;
    case 0xA4: // left and right Alt
    case 0xA5:
        return 0x12;
    default:
        return virtualKey;
    }
}

void TKeyboardHook::keyDown(int virtualKey)
{
    virtualKey = normalizedVirtualKey(virtualKey);
    ++m_downCount;
    const auto key = TKeyboardHookKey(VirtualKeyToKeyIndex(virtualKey));
    // A key pressed again before the combination ends is held again.
    auto it = std::find_if(m_held.begin(), m_held.end(),
                           [key](const HeldKey &h) { return h.key == key; });
    if (it == m_held.end())
        m_held.append({key, false});
    else
        it->released = false;
    deliver(virtualKey);
}

void TKeyboardHook::keyUp(int virtualKey)
{
    virtualKey = normalizedVirtualKey(virtualKey);
    const auto key = TKeyboardHookKey(VirtualKeyToKeyIndex(virtualKey));
    for (HeldKey &h : m_held) {
        if (h.key == key)
            h.released = true;
    }
    m_downCount = 0;
    deliver(virtualKey);
    const bool complete =
        !m_held.isEmpty() &&
        std::all_of(m_held.cbegin(), m_held.cend(), [](const HeldKey &h) { return h.released; });
    if (complete)
        finishCombination();
}

void TKeyboardHook::deliver(int virtualKey)
{
    if (!Enabled || !OnReceive)
        return;
    const TKeyboardHookState state = m_downCount == 0   ? kh_Off
                                     : m_downCount == 1 ? kh_On
                                                        : kh_Repeat;
    OnReceive(virtualKey, state, m_downCount);
}

void TKeyboardHook::finishCombination()
{
    // The held list empties with every completed combination, whether or not
    // anyone listens, so it never grows without bound.
    const QList<HeldKey> held = std::exchange(m_held, {});
    if (!Enabled || !OnKeyCombination)
        return;
    TKeyCombination keys;
    TKeyboardHookShiftState shift;
    for (const HeldKey &h : held) {
        if (h.key == kh_Shift || h.key == kh_Control || h.key == kh_Alt)
            shift.append(h.key);
        else
            keys.append(h.key);
    }
    OnKeyCombination(keys, shift);
}
