#include "buttons/key_combination_model.h"

#include "buttons/key_tables.h"

#include <QStringList>

namespace {

constexpr int kLeftWindowsKey = 0x5B;
constexpr int kRightWindowsKey = 0x5C;
constexpr int kMaxKeys = 2;

} // namespace

void KeyCombinationModel::reset()
{
    *this = KeyCombinationModel();
}

bool KeyCombinationModel::isTicked(Modifier modifier) const
{
    return modifier >= Ctrl && modifier <= Win && m_ticked[modifier];
}

quint8 KeyCombinationModel::modifierBits() const
{
    quint8 bits = 0;
    for (int m = Ctrl; m <= Win; ++m) {
        if (m_ticked[m])
            bits |= quint8(1u << m);
    }
    return bits;
}

QString KeyCombinationModel::modifierWord(Modifier modifier)
{
    switch (modifier) {
    case Ctrl:
        return QStringLiteral("Ctrl");
    case Shift:
        return QStringLiteral("Shift");
    case Alt:
        return QStringLiteral("Alt");
    case Win:
        return QStringLiteral("Win");
    }
    return {};
}

QString KeyCombinationModel::buildModifierText() const
{
    QStringList words;
    for (int m = Ctrl; m <= Win; ++m) {
        if (m_ticked[m])
            words << modifierWord(Modifier(m));
    }
    return words.join(QLatin1Char('+'));
}

bool KeyCombinationModel::keyDown(int virtualKey, bool shiftHeld, bool altHeld, bool ctrlHeld)
{
    if (m_keyCount >= kMaxKeys) {
        m_lastKeyName.clear();
        m_keyText.clear();
        m_code = FunctionCode();
        m_modifierText = buildModifierText();
        m_field = m_modifierText;
        m_keyCount = 0;
        m_firstKey = 0;
        m_secondKey = 0;
    }

    // The Windows keys would open the system menu; modifiers come from the boxes.
    if (virtualKey == kLeftWindowsKey || virtualKey == kRightWindowsKey)
        return false;
    if (shiftHeld || altHeld || ctrlHeld)
        return false;

    const int index = VirtualKeyToKeyIndex(virtualKey);
    const QString name = KeyIndexToName(index);
    const quint8 deviceKey = KeyIndexToDeviceKey(index);

    m_lastKeyName = name;
    if (m_keyCount == 0) {
        m_keyText = name;
        m_firstKey = deviceKey;
    } else {
        m_keyText += QLatin1Char('+') + name;
        m_secondKey = deviceKey;
    }
    m_field = m_field.isEmpty() ? name : m_field + QLatin1Char('+') + name;
    ++m_keyCount;
    return true;
}

void KeyCombinationModel::setModifier(Modifier modifier, bool ticked)
{
    if (modifier < Ctrl || modifier > Win || m_ticked[modifier] == ticked)
        return;
    m_ticked[modifier] = ticked;

    if (ticked) {
        m_modifierText = buildModifierText();
        m_field =
            m_keyText.isEmpty() ? m_modifierText : m_modifierText + QLatin1Char('+') + m_keyText;
        return;
    }

    if (m_field.isEmpty())
        return;
    const QString word = modifierWord(modifier);
    if (m_field.startsWith(word)) {
        const int at = m_field.indexOf(word + QLatin1Char('+'));
        if (m_field == word)
            m_field.clear();
        else if (at >= 0)
            m_field.remove(at, word.size() + 1);
    } else {
        const int at = m_field.indexOf(QLatin1Char('+') + word);
        if (at >= 0)
            m_field.remove(at, word.size() + 1);
    }
}

KeyCombinationModel::Result KeyCombinationModel::confirm()
{
    m_code = FunctionCode({0x02, modifierBits(), m_firstKey, m_secondKey});
    return {m_field, m_code};
}

void KeyCombinationModel::clear()
{
    reset();
}
