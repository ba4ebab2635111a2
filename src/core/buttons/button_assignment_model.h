#pragma once

#include "records/section_records.h"
#include "buttons/function_code.h"
#include "buttons/function_codes.h"
#include "settings/setting_declarations.h"

#include <QString>
#include <QStringList>

#include <array>

// Profiles of the button pages. Main and Switch can be edited; Fixed can only
// be viewed.
enum ButtonProfile : int
{
    NoProfileShown = 0,
    MainProfile = 1,
    SwitchProfile = 2,
    FixedProfile = 3,
};

// What the key-combination dialog hands to the button page on Confirm.
struct PendingKeyCombination
{
    QString caption;
    FunctionCode code;
    bool confirmed = false;
};

// The button pages without their widgets: the twelve captions of the profile
// shown, the current button, and every assignment rule. Works directly on the
// configuration's Profile section and its table of 36 codes, keeping the two
// in step for the Main and Switch profiles.
class ButtonAssignmentModel
{
public:
    static constexpr int kButtonCount = settings::kButtonsPerProfile;
    static constexpr int kProfileCount = settings::kProfileCount;

    ButtonAssignmentModel(SectionRecords &records, ProfileFunctionTable &codes);

    // The profile whose captions are held (set by RefreshProfileKeys);
    // NoProfileShown while another page is current.
    int shownProfile() const { return m_shownProfile; }
    void setShownProfile(int profile);

    // The button label clicked last, 1..12, or 0 before any click.
    int currentButton() const { return m_currentButton; }
    bool setCurrentButton(int button);

    QStringList captions() const;
    QString caption(int button) const; // 1..12, empty otherwise
    // The code in the table; empty for a profile or button out of range.
    FunctionCode code(int profile, int button) const;

    // Captions of `profile` (1..3) from its twelve codes; that profile becomes
    // the one shown. False, and nothing changes, for another number.
    bool RefreshProfileKeys(int profile, const CodeTextContext &context);
    bool RefreshProfile1Keys(const CodeTextContext &c) { return RefreshProfileKeys(1, c); }
    bool RefreshProfile2Keys(const CodeTextContext &c) { return RefreshProfileKeys(2, c); }
    bool RefreshProfile3Keys(const CodeTextContext &c) { return RefreshProfileKeys(3, c); }

    // Whether assignments reach the codes: Main or Switch shown and a button chosen.
    bool canStore() const;

    // The code of the current button in the shown profile: table and
    // Profile bytes together. Fixed (or no profile) stores nothing; the
    // empty code is refused.
    bool storeCode(const FunctionCode &code);

    // A final menu entry chosen for one of buttons 4-12: caption from the
    // choice's text, code from CodeFromChoice. Unknown choices assign nothing.
    bool assignChoice(int choice, const CodeTextContext &context);

    // Left, right or middle (choice 900..902) chosen for one of buttons 1-3:
    // the button takes it and a sibling that had it takes the button's old
    // function, so the three stay an exchange.
    bool exchangeMouseButton(int choice, const CodeTextContext &context);

    // Any code for one of buttons 4-12, as a raw code: the caption is what
    // the code reads as. Buttons 1-3 keep to the exchange.
    bool assignCode(const FunctionCode &code, const CodeTextContext &context);

    // Macro slot 0..31 chosen from the macro list for one of buttons 4-12;
    // `name` is the slot's name as the list shows it.
    bool assignMacro(int slot, const QString &name);

    const PendingKeyCombination &pendingKeyCombination() const { return m_pending; }
    void clearPendingKeyCombination();
    void setPendingKeyCombination(const QString &caption, const FunctionCode &code);
    // Applies a confirmed pending combination to the current button.
    bool ApplyKeyCombination();

    // Which notice keeps a profile page closed: "Str020" for the Switch page
    // while no Main button is a KB Switch Key, "Str021" for the Fixed page
    // while no Switch button is a KB Reset Key; empty when the page may open.
    QString PageBlockMessage(int targetProfile) const;
    static QString PageBlockMessage(int targetProfile, const ProfileFunctionTable &codes);

private:
    bool isProfileEditable() const;
    bool writeCode(int profile, int button, const FunctionCode &code);

    SectionRecords &m_records;
    ProfileFunctionTable &m_codes;
    std::array<QString, kButtonCount> m_captions;
    int m_shownProfile = NoProfileShown;
    int m_currentButton = 0;
    PendingKeyCombination m_pending;
};

// The 36 codes from a Profile section; codes that lie beyond a short section
// come out empty.
void ReadProfileFunctions(const QByteArray &profileSection, ProfileFunctionTable &codes);

// Byte offset of profile p (1..3), button b (1..12) in the Profile section.
constexpr int ProfileCodeOffset(int profile, int button)
{
    return 48 * (profile - 1) + 4 * (button - 1);
}
