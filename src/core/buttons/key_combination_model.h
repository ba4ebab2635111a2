#pragma once

#include "buttons/function_code.h"

#include <QString>

#include <array>

// The key-combination dialog without its window: the keys captured from the
// key field, the modifier check boxes and the text the field shows. Key
// presses arrive as Windows virtual-key codes with the state of the held
// modifiers; modifiers themselves are only chosen with the check boxes.
class KeyCombinationModel
{
public:
    enum Modifier : int
    {
        Ctrl = 0,
        Shift = 1,
        Alt = 2,
        Win = 3
    };

    struct Result
    {
        QString caption;
        FunctionCode code; // 02, modifier bits, first key, second key
    };

    KeyCombinationModel() = default;

    // The state of a freshly opened dialog: nothing captured, nothing ticked.
    void reset();

    QString fieldText() const { return m_field; }
    int keyCount() const { return m_keyCount; }
    QString keyText() const { return m_keyText; }
    QString lastKeyName() const { return m_lastKeyName; }
    QString modifierText() const { return m_modifierText; }
    quint8 firstDeviceKey() const { return m_firstKey; }
    quint8 secondDeviceKey() const { return m_secondKey; }
    FunctionCode code() const { return m_code; }
    bool isTicked(Modifier modifier) const;

    // Modifier bits of the ticked boxes: bit 0 Ctrl, 1 Shift, 2 Alt, 3 Win.
    quint8 modifierBits() const;

    // A key pressed in the key field. A third key starts a new combination.
    // Windows keys and keys pressed with Shift, Alt or Ctrl held are swallowed.
    // Returns whether the key was taken into the combination.
    bool keyDown(int virtualKey, bool shiftHeld, bool altHeld, bool ctrlHeld);

    // A modifier box changed to `ticked`; a call that changes nothing is ignored.
    void setModifier(Modifier modifier, bool ticked);

    // Confirm: the caption (the field's text) and the keyboard code to assign.
    Result confirm();

    // Clear: everything captured and every tick goes; the dialog stays open.
    void clear();

    static QString modifierWord(Modifier modifier);

private:
    QString buildModifierText() const;

    QString m_field;
    int m_keyCount = 0;
    QString m_lastKeyName;
    QString m_keyText;
    QString m_modifierText;
    quint8 m_firstKey = 0;
    quint8 m_secondKey = 0;
    FunctionCode m_code;
    std::array<bool, 4> m_ticked{};
};
