#pragma once

#include "records/section_records.h"
#include "records/text_lookup.h"
#include "settings/setting_declarations.h"

#include <QList>
#include <QString>

#include <array>

// The DPI levels of the advanced page: which are selected and which is
// current, by their captions in the current language. Levels count 1-8; a
// number out of range is ignored.
class DpiLevelsModel
{
public:
    static constexpr int kDpiLevelCount = settings::kDpiLevels.count;
    static constexpr int kDpiTextCount = 12;
    static constexpr int kDpiSlotCount = settings::kDpiLevels.most;
    static constexpr int kMaxSelectedDpi = settings::kDpiLevels.most;
    static constexpr int kMinSelectedDpi = settings::kDpiLevels.fewest;

    // Takes the eight level captions (Str300-Str307) and the DPI text table
    // (Str320-Str331) of the language behind `text`. Selection and the
    // current level are kept, so the next store writes the new table indices.
    void applyLanguage(const TextLookup &text);
    QString dpiCaption(int level) const;
    QString dpiText(int index) const; // index 0-11

    void showDpi(const SectionRecords &records, const TextLookup &text);
    void storeDpi(SectionRecords &records) const;

    // Selects an unselected level or unselects a selected one, within the
    // page's limits; returns whether anything changed.
    bool toggleDpiLevel(int level);
    // Makes a selected level the current one (only its marker is enabled).
    bool setCurrentDpi(int level);

    bool dpiLevelSelected(int level) const;
    // The level (1-8) whose caption is `caption` in the current language, 0
    // when no level has it.
    int dpiLevelOfCaption(const QString &caption) const;
    // Makes exactly `levels` (two to four distinct levels 1-8) the selected
    // ones through the clicks a user would make, so the page's limits hold on
    // the way. The current level stays when it is among them; otherwise the
    // lowest of them becomes current. False, and nothing changes, for a set
    // the page cannot hold.
    bool selectDpiLevels(const QList<int> &levels);
    bool dpiMarkerEnabled(int level) const { return dpiLevelSelected(level); }
    int currentDpiLevel() const { return m_currentDpiLevel; } // 0 = none
    bool dpiMarkerLit(int level) const;                       // "Bar2_E" when true
    int SelectedDpiCount() const;

private:
    int positionAmongSelected(int level) const;
    void makeLowestSelectedCurrent();

    std::array<QString, kDpiLevelCount> m_dpiCaptions;
    std::array<QString, kDpiTextCount> m_dpiTexts;
    std::array<bool, kDpiLevelCount> m_dpiSelected{};
    int m_currentDpiLevel = 0;
};
