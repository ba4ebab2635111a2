#pragma once

#include "records/app_state.h"
#include "records/image_buffers.h"
#include "records/section_records.h"
#include "records/text_lookup.h"
#include "buttons/button_assignment_model.h"
#include "buttons/function_code.h"
#include "buttons/function_codes.h"
#include "image/macro_name_list.h"
#include "image/profile_file.h"
#include "settings/advanced_page_model.h"
#include "settings/breathing_page_model.h"
#include "settings/mouse_settings_page_model.h"

#include <QStringList>

#include <functional>

// The whole configuration of one run: the shared state, the working image and
// its default twin, the section records with the table of 36 button codes, and
// the page models that show and edit them. Whoever plays the main window (the
// GUI window or the command-line tool) owns exactly one.
//
// Raw form (the ImageBuffers) and sectioned form (SectionRecords) meet only
// in DataBufToUI and AssembleDataBuf; between them the records are the single
// source of truth for the pages.
class Configuration
{
public:
    // The page that is current; the three profile pages decide which profile
    // the mouse starts in when the configuration is stored.
    enum class Page
    {
        Main,
        Switch,
        Fixed,
        Advanced,
        Breathing,
        Macro
    };

    static constexpr int kSpecialPanelHeight58 = 266;
    static constexpr int kSpecialPanelHeight42 = 218;

    Configuration();
    ~Configuration();
    Configuration(const Configuration &) = delete;
    Configuration &operator=(const Configuration &) = delete;

    // --- owned data -------------------------------------------------------
    AppState &state() { return m_state; }
    const AppState &state() const { return m_state; }
    ImageBuffers &image() { return m_image; } // DataBuf, MacroNameTable, MacroBlocks
    const ImageBuffers &image() const { return m_image; }
    ImageBuffers &defaultImage() { return m_default; } // DefaultDataBuf ... for Reset
    const ImageBuffers &defaultImage() const { return m_default; }
    SectionRecords &sections() { return m_sections; }
    const SectionRecords &sections() const { return m_sections; }
    ProfileFunctionTable &profileFunctions() { return m_profileFunctions; }
    const ProfileFunctionTable &profileFunctions() const { return m_profileFunctions; }

    AdvancedPageModel &advancedPage() { return m_advanced; }
    const AdvancedPageModel &advancedPage() const { return m_advanced; }
    BreathingPageModel &breathingPage() { return m_breathing; }
    const BreathingPageModel &breathingPage() const { return m_breathing; }
    // The desktop's mouse settings on the advanced page; its store is set by
    // whoever knows the platform.
    MouseSettingsPageModel &mouseSettingsPage() { return m_mouseSettings; }
    const MouseSettingsPageModel &mouseSettingsPage() const { return m_mouseSettings; }
    ButtonAssignmentModel &buttonAssignment() { return m_buttons; }
    const ButtonAssignmentModel &buttonAssignment() const { return m_buttons; }

    // --- the macro list and the window --------------------------------------
    // The macro names' owner (may be null: no names, nothing to refresh).
    void setMacroNameList(MacroNameList *list) { m_macroNames = list; }
    // Rebuilds the macro-name lists from MacroNameTable.
    void RefreshMacroName();
    // The names of the macro list into MacroNameTable.
    void UIToMacroName();
    // The 32 macro names as the button pages show them (empty without a list).
    QStringList MacroNames() const;
    // Called at the end of every RefreshUI, so a window can re-render.
    std::function<void()> PagesRefreshed;

    // --- page and language ------------------------------------------------
    Page currentPage() const { return m_page; }
    // Makes `page` current; a profile page refreshes the button captions of
    // its profile, any other page leaves no profile shown. Whether a page may
    // open at all (ButtonAssignmentModel::PageBlockMessage) is the caller's
    // check.
    void setCurrentPage(Page page);
    // Sets CurrentLanguage (1-3; other numbers are ignored) and the text
    // lookup to that language's texts.
    void setLanguage(int languageNumber);
    void setTextLookup(TextLookup text) { m_text = std::move(text); }
    const TextLookup &text() const { return m_text; }
    // Texts, fire keys and macro names the button captions depend on now.
    CodeTextContext codeTextContext() const;
    // Height of the special-key menu, fixed by the default image's layout.
    int specialPanelHeight() const { return m_specialPanelHeight; }

    // --- start-up ---------------------------------------------------------
    // The start-up steps that are not about widgets: the default image into
    // the working buffers, the image ids and layout, an empty code table, the
    // macro names, DataBufToUI and the candidate ids. False when the embedded
    // default image is missing or broken: the buffers then keep their 0xFF
    // fill, the layout stays unknown and no ids are searched for.
    bool startUp();
    // Start-up's reading of the default image in DataBuf: ImageVendorId,
    // ImageProductId, and for a known layout byte ImageLayoutCode,
    // ImageIdBytes and the special-key menu height. An unknown layout byte
    // changes none of the last three.
    void takeImageIdentity();

    // --- image <-> sections <-> pages -------------------------------------
    bool LoadDefaultImage(); // embedded image into DataBuf, MacroNameTable, MacroBlocks
    bool LoadDefaultCopy();  // the same into the default twins (Reset)
    void DataBufToUI();
    void RefreshUI();
    void UIToDataBuf();
    void AssembleDataBuf();
    void FireKeyAndFireKeyModeToDataBuf();

    void CheckParameterASection();
    void CheckParameterBSection();
    void CheckFireKeySection();
    void CheckProfileSection();

    void clearProfileFunctions();
    void rebuildProfileFunctions(); // from the Profile section

    // --- profile files ----------------------------------------------------
    // Save: refused without a mouse; assembles DataBuf (no 0xFF pre-fill),
    // writes "<chosenName>.bin". For a family-A mouse the macro area is
    // written as 0xFF and, once the file is written, the working macro
    // buffers become 0xFF too.
    ProfileFileResult saveProfile(const QString &chosenName);
    // The same save under exactly the given name (for callers that name the
    // file themselves, such as the command-line tool).
    ProfileFileResult saveProfileFile(const QString &fileName);
    // Load: refused without a mouse; on success the file replaces what it
    // reaches of the image, then MemoToDataBuf.
    ProfileFileResult loadProfile(const QString &fileName);
    // The window's Import setting: the same load, for a file of exactly one
    // image only; any other file is refused and nothing changes.
    ProfileFileResult importProfile(const QString &fileName);
    // A freshly loaded raw image into the window: macro names, an empty code
    // table, DataBufToUI.
    void MemoToDataBuf();

private:
    using FireKeyFieldSet = std::array<FireKeyFields, AdvancedPageModel::kFireKeyCount>;
    // Buttons whose code was fire key n's code as `before` builds it get
    // fire key n's code as `after` builds it.
    void retargetFireKeyCodes(const FireKeyFieldSet &before, const FireKeyFieldSet &after);

    AppState m_state;
    ImageBuffers m_image;
    ImageBuffers m_default;
    SectionRecords m_sections;
    ProfileFunctionTable m_profileFunctions;
    AdvancedPageModel m_advanced;
    BreathingPageModel m_breathing;
    MouseSettingsPageModel m_mouseSettings;
    ButtonAssignmentModel m_buttons{m_sections, m_profileFunctions}; // after both
    Page m_page = Page::Main;
    TextLookup m_text;
    MacroNameList *m_macroNames = nullptr;
    int m_specialPanelHeight = kSpecialPanelHeight58;
};
