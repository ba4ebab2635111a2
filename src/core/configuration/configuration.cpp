#include "configuration/configuration.h"

#include "image/default_image.h"
#include "image/image_layout.h"
#include "image/section_checks.h"
#include "settings/setting_declarations.h"
#include "ui/language.h"

#include <algorithm>

namespace {

constexpr int kProfileCount = settings::kProfileCount;
constexpr int kButtonCount = settings::kButtonsPerProfile;
constexpr int kCodeLength = 4;
constexpr int kProfileStride = kButtonCount * kCodeLength;
constexpr int kProfileByteOffset = 2; // in ParameterB
constexpr quint8 kFireModeCodeType = 0x0F;

int codeOffset(int profileIndex, int buttonIndex)
{
    return kProfileStride * profileIndex + kCodeLength * buttonIndex;
}

} // namespace

Configuration::Configuration()
{
    m_text = languageLookup(m_state.CurrentLanguage);
}

Configuration::~Configuration() = default;

void Configuration::setCurrentPage(Page page)
{
    m_page = page;
    switch (page) {
    case Page::Main:
        m_buttons.RefreshProfileKeys(MainProfile, codeTextContext());
        break;
    case Page::Switch:
        m_buttons.RefreshProfileKeys(SwitchProfile, codeTextContext());
        break;
    case Page::Fixed:
        m_buttons.RefreshProfileKeys(FixedProfile, codeTextContext());
        break;
    default:
        m_buttons.setShownProfile(NoProfileShown);
        break;
    }
}

void Configuration::setLanguage(int languageNumber)
{
    if (languageNumber < 1 || languageNumber > 3)
        return;
    m_state.CurrentLanguage = languageNumber;
    m_text = languageLookup(languageNumber);
    m_advanced.applyLanguage(m_text);
    // The captions of the profile shown follow the language, so a caption
    // rendered later never brings back the previous language's text.
    if (m_buttons.shownProfile() != NoProfileShown)
        m_buttons.RefreshProfileKeys(m_buttons.shownProfile(), codeTextContext());
}

CodeTextContext Configuration::codeTextContext() const
{
    CodeTextContext context;
    context.text = m_text;
    const auto fields = m_advanced.allFireKeyFields(m_sections);
    for (int n = 0; n < int(fields.size()) && n < int(context.fireKeys.size()); ++n)
        context.fireKeys[n] = {fields[n].repeat, fields[n].delay, fields[n].byte2HighNibble};
    context.macroNames = MacroNames();
    return context;
}

void Configuration::RefreshMacroName()
{
    if (m_macroNames)
        m_macroNames->takeNamesFromTable();
}

void Configuration::UIToMacroName()
{
    if (m_macroNames)
        m_macroNames->putNamesIntoTable();
}

QStringList Configuration::MacroNames() const
{
    return m_macroNames ? m_macroNames->macroNames() : QStringList();
}

bool Configuration::startUp()
{
    m_state = AppState{};
    m_page = Page::Main;
    m_specialPanelHeight = kSpecialPanelHeight58;
    setLanguage(1);

    const bool loaded = LoadDefaultImage();
    if (loaded)
        takeImageIdentity();

    clearProfileFunctions();
    RefreshMacroName();
    DataBufToUI();

    m_state.CommandHandle = kInvalidHandle;
    m_state.DataHandle = kInvalidHandle;
    // Without a default image there are no ids to look for; (0, 0) is never
    // searched.
    m_state.CandidateIds[0] = {m_state.ImageVendorId, m_state.ImageProductId};
    m_state.CandidateIds[1] = {0, 0};
    return loaded;
}

void Configuration::takeImageIdentity()
{
    if (m_image.DataBuf.size() != kParameterBlockSize)
        m_image.DataBuf.resize(kParameterBlockSize, char(0xFF));
    const QByteArray &d = m_image.DataBuf;
    m_state.ImageVendorId = quint8(d[2]) * 256u + quint8(d[3]);
    m_state.ImageProductId = quint8(d[4]) * 256u + quint8(d[5]);

    const int layout = layoutCodeFromByte(quint8(d[kLayoutByteOffset]));
    if (const auto areas = layoutAreas(layout)) {
        m_state.ImageLayoutCode = layout;
        m_state.ImageIdBytes[0] = quint8(d[areas->idBytes]);
        m_state.ImageIdBytes[1] = quint8(d[areas->idBytes + 1]);
        m_specialPanelHeight = layout == 42 ? kSpecialPanelHeight42 : kSpecialPanelHeight58;
    }
}

bool Configuration::LoadDefaultImage()
{
    return readDefaultImage(m_image);
}

bool Configuration::LoadDefaultCopy()
{
    return readDefaultImage(m_default);
}

void Configuration::DataBufToUI()
{
    // A buffer of the wrong length is read as if the missing bytes were
    // never delivered, like a failed device read.
    if (m_image.DataBuf.size() != kParameterBlockSize)
        m_image.DataBuf.resize(kParameterBlockSize, char(0xFF));

    splitParameterBlock(m_image.DataBuf, m_state.ImageLayoutCode, m_state.ChipFamilyB, m_sections);
    CheckParameterASection();
    if (!m_state.ChipFamilyB)
        CheckParameterBSection();
    CheckFireKeySection();
    CheckProfileSection();

    clearProfileFunctions();
    rebuildProfileFunctions();
    RefreshUI();
}

void Configuration::RefreshUI()
{
    m_advanced.showDpi(m_sections, m_text);
    m_advanced.showReportRate(m_sections, m_state);
    if (!BreathingPageModel::bypassed(m_sections))
        m_breathing.show(m_sections);
    m_advanced.showFireKeys(m_sections);

    // The image names the profile page to show; another value keeps the page.
    const quint8 profile = quint8(m_sections.ParameterB[kProfileByteOffset]);
    if (profile <= 2)
        setCurrentPage(profile == 0 ? Page::Main : profile == 1 ? Page::Switch : Page::Fixed);

    if (PagesRefreshed)
        PagesRefreshed();
}

void Configuration::UIToDataBuf()
{
    normaliseSections(m_sections);
    m_advanced.storeDpi(m_sections);
    m_advanced.storeReportRate(m_sections, m_state);
    if (!BreathingPageModel::bypassed(m_sections))
        m_breathing.store(m_sections);

    switch (m_page) {
    case Page::Main:
        m_sections.ParameterB[kProfileByteOffset] = 0;
        break;
    case Page::Switch:
        m_sections.ParameterB[kProfileByteOffset] = 1;
        break;
    case Page::Fixed:
        m_sections.ParameterB[kProfileByteOffset] = 2;
        break;
    default:
        break; // another page is current: the mouse keeps its profile
    }
}

void Configuration::AssembleDataBuf()
{
    if (m_image.DataBuf.size() != kParameterBlockSize)
        m_image.DataBuf.resize(kParameterBlockSize, char(0xFF));
    QByteArray &d = m_image.DataBuf;

    UIToDataBuf();

    SectionChecksum(m_sections.ParameterA, kParameterADataBytes);
    copyToBlock(m_sections.ParameterA, kParameterAOffset, d);
    SectionChecksum(m_sections.ParameterB, kParameterBDataBytes);
    copyToBlock(m_sections.ParameterB, kParameterBOffset, d);

    placeLayoutAreas(m_sections, m_state.DeviceLayoutCode, d);

    // The boxes are held to their limits before they are stored, also when
    // focus never left them. A fire key whose value changes by that would
    // leave the buttons that carry its old code without a fire key, so they
    // follow it to the new code.
    const auto shownFireKeys = m_advanced.allFireKeyFields(m_sections);
    m_advanced.commitFireKeyTexts();
    const auto storedFireKeys = m_advanced.allFireKeyFields(m_sections);
    m_advanced.FireKeyModeToDataBuf(m_sections);
    retargetFireKeyCodes(shownFireKeys, storedFireKeys);
    SectionChecksum(m_sections.FireKey, kFireKeyDataBytes);
    copyToBlock(m_sections.FireKey, kFireKeyOffset, d);

    FireKeyAndFireKeyModeToDataBuf();
    SectionChecksum(m_sections.Profile, kProfileDataBytes);
    copyToBlock(m_sections.Profile, kProfileOffset, d);
}

void Configuration::retargetFireKeyCodes(const FireKeyFieldSet &before,
                                         const FireKeyFieldSet &after)
{
    if (before == after)
        return;
    std::array<FunctionCode, AdvancedPageModel::kFireKeyCount> oldCodes;
    std::array<FunctionCode, AdvancedPageModel::kFireKeyCount> newCodes;
    for (int n = 0; n < AdvancedPageModel::kFireKeyCount; ++n) {
        oldCodes[n] = FireKeyCode({before[n].repeat, before[n].delay, before[n].byte2HighNibble});
        newCodes[n] = FireKeyCode({after[n].repeat, after[n].delay, after[n].byte2HighNibble});
    }
    normaliseSections(m_sections);
    for (int p = 0; p < kProfileCount; ++p) {
        for (int b = 0; b < kButtonCount; ++b) {
            FunctionCode &code = m_profileFunctions[p][b];
            // A button names the first fire key whose code it equals, as its
            // caption does; one pass, so a new code is never moved again.
            const auto it = std::find(oldCodes.begin(), oldCodes.end(), code);
            if (it == oldCodes.end())
                continue;
            const FunctionCode &replacement = newCodes[size_t(it - oldCodes.begin())];
            if (replacement == code)
                continue;
            code = replacement;
            code.writeTo(m_sections.Profile, codeOffset(p, b));
        }
    }
}

void Configuration::FireKeyAndFireKeyModeToDataBuf()
{
    normaliseSections(m_sections);
    for (int p = 0; p < kProfileCount; ++p) {
        for (int b = 0; b < kButtonCount; ++b) {
            const FunctionCode &code = m_profileFunctions[p][b];
            if (code.isEmpty() || code[0] != kFireModeCodeType)
                continue;
            const int at = codeOffset(p, b);
            m_sections.Profile[at] = char(kFireModeCodeType);
            for (int i = 1; i < kCodeLength; ++i)
                m_sections.Profile[at + i] = 0;
            // Modes in ascending order; the code has room for three.
            int next = 1;
            for (int mode = 1; mode <= AdvancedPageModel::kFireModeCount && next < kCodeLength;
                 ++mode) {
                if (m_advanced.fireModeSelected(mode))
                    m_sections.Profile[at + next++] = char(mode);
            }
        }
    }
}

void Configuration::CheckParameterASection()
{
    ::CheckParameterASection(m_sections, m_state.DeviceLayoutCode);
}

void Configuration::CheckParameterBSection()
{
    ::CheckParameterBSection(m_sections, m_state.DeviceLayoutCode);
}

void Configuration::CheckFireKeySection()
{
    ::CheckFireKeySection(m_sections, m_state.DeviceLayoutCode);
}

void Configuration::CheckProfileSection()
{
    ::CheckProfileSection(m_sections, m_state.DeviceLayoutCode);
}

void Configuration::clearProfileFunctions()
{
    for (auto &profile : m_profileFunctions)
        profile.fill(FunctionCode());
}

void Configuration::rebuildProfileFunctions()
{
    ReadProfileFunctions(m_sections.Profile, m_profileFunctions);
}

ProfileFileResult Configuration::saveProfile(const QString &chosenName)
{
    return saveProfileFile(profileFileName(chosenName));
}

ProfileFileResult Configuration::saveProfileFile(const QString &fileName)
{
    if (!m_state.deviceOpen())
        return {ProfileFileResult::Status::NoDevice, fileName};

    AssembleDataBuf();

    // A mouse without macro memory has no macros to keep: its file carries an
    // erased macro area.
    const bool familyB = m_state.ChipFamilyB;
    ImageBuffers erased;
    erased.DataBuf = m_image.DataBuf;
    const QByteArray raw = joinImage(familyB ? m_image : erased);

    ProfileFileResult result = writeProfileImage(fileName, raw);
    if (result.ok() && !familyB) {
        m_image.MacroNameTable.fill(char(0xFF), kMacroNameTableSize);
        m_image.MacroBlocks.fill(char(0xFF), kMacroBlocksSize);
    }
    return result;
}

ProfileFileResult Configuration::loadProfile(const QString &fileName)
{
    if (!m_state.deviceOpen())
        return {ProfileFileResult::Status::NoDevice, fileName};
    ProfileFileResult result = readProfileImage(fileName, m_image);
    if (result.ok()) {
        // The mouse still runs at the rate it was read with. Showing the
        // file's rate must not make it the "current" one, or the next Apply
        // would skip the report-rate reload and the mouse would keep its old
        // rate while the page shows the new one.
        const qint32 mouseRate = m_state.CurrentReportRate;
        MemoToDataBuf();
        m_state.CurrentReportRate = mouseRate;
    }
    return result;
}

ProfileFileResult Configuration::importProfile(const QString &fileName)
{
    if (!m_state.deviceOpen())
        return {ProfileFileResult::Status::NoDevice, fileName};
    const ProfileFileResult checked = checkProfileFileSize(fileName);
    return checked.ok() ? loadProfile(fileName) : checked;
}

void Configuration::MemoToDataBuf()
{
    RefreshMacroName();
    clearProfileFunctions();
    DataBufToUI();
}
