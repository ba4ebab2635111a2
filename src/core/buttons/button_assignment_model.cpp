#include "buttons/button_assignment_model.h"

#include <algorithm>

namespace {

constexpr int kFirstFullMenuButton = settings::kMouseButtonCount + 1;

constexpr FunctionCode kSwitchKeyCode = FunctionCode::fromWord(0x07000000);
constexpr FunctionCode kResetKeyCode = FunctionCode::fromWord(0x0D000000);

bool validButton(int button)
{
    return button >= 1 && button <= ButtonAssignmentModel::kButtonCount;
}

bool validProfile(int profile)
{
    return profile >= MainProfile && profile <= FixedProfile;
}

} // namespace

ButtonAssignmentModel::ButtonAssignmentModel(SectionRecords &records, ProfileFunctionTable &codes)
    : m_records(records), m_codes(codes)
{}

void ButtonAssignmentModel::setShownProfile(int profile)
{
    m_shownProfile = validProfile(profile) ? profile : NoProfileShown;
}

bool ButtonAssignmentModel::setCurrentButton(int button)
{
    if (!validButton(button))
        return false;
    m_currentButton = button;
    return true;
}

QStringList ButtonAssignmentModel::captions() const
{
    return QStringList(m_captions.begin(), m_captions.end());
}

QString ButtonAssignmentModel::caption(int button) const
{
    return validButton(button) ? m_captions[button - 1] : QString();
}

FunctionCode ButtonAssignmentModel::code(int profile, int button) const
{
    if (!validProfile(profile) || !validButton(button))
        return {};
    return m_codes[profile - 1][button - 1];
}

bool ButtonAssignmentModel::RefreshProfileKeys(int profile, const CodeTextContext &context)
{
    if (!validProfile(profile))
        return false;
    for (int b = 0; b < kButtonCount; ++b)
        m_captions[b] = CodeToText(m_codes[profile - 1][b], context);
    m_shownProfile = profile;
    return true;
}

bool ButtonAssignmentModel::isProfileEditable() const
{
    return m_shownProfile == MainProfile || m_shownProfile == SwitchProfile;
}

bool ButtonAssignmentModel::canStore() const
{
    return isProfileEditable() && validButton(m_currentButton);
}

bool ButtonAssignmentModel::writeCode(int profile, int button, const FunctionCode &code)
{
    if (!code.writeTo(m_records.Profile, ProfileCodeOffset(profile, button)))
        return false;
    m_codes[profile - 1][button - 1] = code;
    return true;
}

bool ButtonAssignmentModel::storeCode(const FunctionCode &code)
{
    return canStore() && writeCode(m_shownProfile, m_currentButton, code);
}

bool ButtonAssignmentModel::assignChoice(int choice, const CodeTextContext &context)
{
    // Buttons 1-3 only exchange left, right and middle among themselves.
    if (!canStore() || m_currentButton < kFirstFullMenuButton)
        return false;
    const FunctionCode newCode = CodeFromChoice(choice, context);
    if (newCode.isEmpty() || !storeCode(newCode))
        return false;
    const QString key = ChoiceTextKey(choice);
    m_captions[m_currentButton - 1] =
        key.isEmpty() || !context.text ? QString() : context.text(key);
    return true;
}

bool ButtonAssignmentModel::exchangeMouseButton(int choice, const CodeTextContext &context)
{
    const int k = m_currentButton;
    if (choice < kChoiceLeftKey || choice > kChoiceMiddleKey || !canStore() || k < 1 ||
        k >= kFirstFullMenuButton)
        return false;

    std::array<QString, settings::kMouseButtonCount> texts;
    std::array<FunctionCode, settings::kMouseButtonCount> codes;
    for (int i = 0; i < settings::kMouseButtonCount; ++i) {
        const QString key = ChoiceTextKey(kChoiceLeftKey + i);
        texts[i] = context.text ? context.text(key) : QString();
        codes[i] = CodeFromChoice(kChoiceLeftKey + i, context);
    }

    const QString oldCaption = m_captions[k - 1];
    const auto oldMatch = std::find(texts.begin(), texts.end(), oldCaption);
    // A button that shows none of the three functions (an image may give
    // buttons 1-3 anything) hands its present code to the sibling it swaps with.
    const FunctionCode oldCode = oldMatch != texts.end() ? codes[oldMatch - texts.begin()]
                                                         : m_codes[m_shownProfile - 1][k - 1];
    const QString newCaption = texts[choice - kChoiceLeftKey];
    const FunctionCode newCode = codes[choice - kChoiceLeftKey];

    if (!writeCode(m_shownProfile, k, newCode))
        return false;
    m_captions[k - 1] = newCaption;
    for (int j = 1; j < kFirstFullMenuButton; ++j) {
        if (j == k || m_captions[j - 1] != newCaption)
            continue;
        if (writeCode(m_shownProfile, j, oldCode))
            m_captions[j - 1] = oldCaption;
    }
    return true;
}

bool ButtonAssignmentModel::assignCode(const FunctionCode &code, const CodeTextContext &context)
{
    if (!canStore() || m_currentButton < kFirstFullMenuButton || !storeCode(code))
        return false;
    m_captions[m_currentButton - 1] =
        CodeToText(m_codes[m_shownProfile - 1][m_currentButton - 1], context);
    return true;
}

bool ButtonAssignmentModel::assignMacro(int slot, const QString &name)
{
    const FunctionCode macroCode = MacroSlotCode(slot);
    if (macroCode.isEmpty() || !canStore() || m_currentButton < kFirstFullMenuButton)
        return false;
    if (!storeCode(macroCode))
        return false;
    m_captions[m_currentButton - 1] = name;
    return true;
}

void ButtonAssignmentModel::clearPendingKeyCombination()
{
    m_pending = {};
}

void ButtonAssignmentModel::setPendingKeyCombination(const QString &caption,
                                                     const FunctionCode &code)
{
    m_pending = {caption, code, true};
}

bool ButtonAssignmentModel::ApplyKeyCombination()
{
    // The dialog stays open while other buttons are clicked; it applies to
    // whichever button is current now, but never to buttons 1-3 or to the
    // read-only Fixed profile, whose labels would then show an unstored function.
    if (!m_pending.confirmed || !canStore() || m_currentButton < kFirstFullMenuButton)
        return false;
    if (!storeCode(m_pending.code))
        return false;
    m_captions[m_currentButton - 1] = m_pending.caption;
    return true;
}

QString ButtonAssignmentModel::PageBlockMessage(int targetProfile) const
{
    return PageBlockMessage(targetProfile, m_codes);
}

QString ButtonAssignmentModel::PageBlockMessage(int targetProfile,
                                                const ProfileFunctionTable &codes)
{
    // The Switch profile is reached through a Main button with the switch
    // function, the Fixed profile through a Switch button with the reset one.
    auto carries = [&codes](int profile, const FunctionCode &code) {
        const auto &row = codes[profile - 1];
        return std::find(row.begin(), row.end(), code) != row.end();
    };
    if (targetProfile == SwitchProfile && !carries(MainProfile, kSwitchKeyCode))
        return QStringLiteral("Str020");
    if (targetProfile == FixedProfile && !carries(SwitchProfile, kResetKeyCode))
        return QStringLiteral("Str021");
    return {};
}

void ReadProfileFunctions(const QByteArray &profileSection, ProfileFunctionTable &codes)
{
    for (int p = 1; p <= ButtonAssignmentModel::kProfileCount; ++p) {
        for (int b = 1; b <= ButtonAssignmentModel::kButtonCount; ++b)
            codes[p - 1][b - 1] = FunctionCode::fromRecord(profileSection, ProfileCodeOffset(p, b));
    }
}
