#pragma once

#include "records/app_state.h"
#include "records/section_records.h"
#include "records/text_lookup.h"

#include <QChar>
#include <QList>
#include <QString>

#include <array>

// The fields that make up fire key n's button code as its boxes show them
// (repeat up to 99, delay up to 9999 until the limits are applied), and the
// high four bits of FireKey byte 4(n-1)+2 as a value 0-15 (the program never
// changes them).
struct FireKeyFields
{
    int repeat = 2;
    int delay = 2;
    quint8 byte2HighNibble = 0;
    friend bool operator==(const FireKeyFields &, const FireKeyFields &) = default;
};

// Everything the advanced page decides: which DPI levels are selected and
// which is current, the report rate, the four fire keys' repeat and delay
// texts and the fire modes a Fire Mode button cycles through. A widget only
// renders this state and forwards clicks and typed text.
//
// Numbers follow the page: DPI levels 1-8, rates 1 (1000 Hz) and 2 (500 Hz),
// fire keys 1-4, fire modes 1-4. A number out of range is ignored.
class AdvancedPageModel
{
public:
    static constexpr int kDpiLevelCount = 8;
    static constexpr int kDpiTextCount = 12;
    static constexpr int kDpiSlotCount = 4;
    static constexpr int kMaxSelectedDpi = 4;
    static constexpr int kMinSelectedDpi = 2;
    static constexpr int kFireKeyCount = 4;
    static constexpr int kFireModeCount = 4;
    static constexpr int kMaxSelectedFireModes = 3;
    static constexpr int kMinSelectedFireModes = 1;
    static constexpr int kRepeatMaxLength = 2;
    static constexpr int kDelayMaxLength = 4;
    static constexpr int kMaxRepeat = 15;
    static constexpr int kMaxDelay = 2000;

    enum class ReportRate
    {
        Unset,
        Hz1000,
        Hz500
    };

    AdvancedPageModel();

    // --- language -------------------------------------------------------
    // Takes the eight level captions (Str300-Str307) and the DPI text table
    // (Str320-Str331) of the language behind `text`. Selection and the
    // current level are kept, so the next store writes the new table indices.
    void applyLanguage(const TextLookup &text);
    QString dpiCaption(int level) const;
    QString dpiText(int index) const; // index 0-11

    // --- DPI levels -----------------------------------------------------
    void showDpi(const SectionRecords &records, const TextLookup &text);
    void storeDpi(SectionRecords &records) const;

    // Click on a level caption; returns whether anything changed.
    bool DPILevel_OnClick(int level);
    // Click on a level's marker; only an enabled (selected) marker reacts.
    bool CurrentDPI_OnClick(int level);

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

    // --- report rate ----------------------------------------------------
    void showReportRate(const SectionRecords &records, AppState &state);
    void storeReportRate(SectionRecords &records, AppState &state) const;
    bool ReportRate_OnClick(int rate); // 1 = 1000 Hz, 2 = 500 Hz
    ReportRate reportRate() const { return m_reportRate; }

    // --- fire keys ------------------------------------------------------
    // Shows the four codes' repeat and delay exactly as the image holds them
    // (a delay of 3689 shows "3689"); the limits apply when focus leaves a
    // box or when the values are stored.
    void showFireKeys(const SectionRecords &records);
    void FireKeyModeToDataBuf(SectionRecords &records) const;

    // The edit boxes' texts as they stand, committed or not.
    QString repeatText(int fireKey) const;
    QString delayText(int fireKey) const;
    // Text typed into a box: kept to digits and to the box's length, as the
    // box itself would hold it.
    bool setRepeatText(int fireKey, const QString &text);
    bool setDelayText(int fireKey, const QString &text);
    // Focus leaves a box: its text is replaced by the limited value.
    bool RepeatValue_OnClick(int fireKey);
    bool DelayTimeValue_OnClick(int fireKey);
    // Commits all eight boxes, for a store that happens without focus loss.
    void commitFireKeyTexts();
    // Keys the boxes accept: digits and backspace.
    static bool Edt_Repeat1KeyPress(QChar key);

    // Repeat and delay of fire key n as they will be stored (limits applied
    // to the text as it stands); 0 for a fire key number out of range.
    int fireKeyRepeat(int fireKey) const;
    int fireKeyDelay(int fireKey) const;
    // What builds and recognises fire key n's button code: the boxes' values
    // as shown, limits not applied.
    FireKeyFields fireKeyFields(int fireKey, const SectionRecords &records) const;
    std::array<FireKeyFields, kFireKeyCount> allFireKeyFields(const SectionRecords &records) const;

    // The limits applied when a box loses focus, on a text.
    static QString limitedRepeatText(const QString &text);
    static QString limitedDelayText(const QString &text);
    // Whether a value is stored as typed: the limits leave it alone (repeat 0
    // or 2-15, delay 0 or 2-2000).
    static bool repeatKeptAsTyped(int value);
    static bool delayKeptAsTyped(int value);

    // --- fire modes -----------------------------------------------------
    bool FireKeyModeCheck(int mode);
    // Takes the marks from the last Fire Mode button (code byte 0 = 0x0F) of
    // profiles 1-3; without one the marks stay.
    void RefreshFireKeyMode(const QByteArray &profile);
    bool fireModeSelected(int mode) const;
    // Makes exactly `modes` (one to three distinct modes 1-4) the selected
    // ones through clicks, as selectDpiLevels does for the levels.
    bool selectFireModes(const QList<int> &modes);
    int SelectedFireModeCount() const;
    // The code every Fire Mode button gets: 0x0F and the selected modes in
    // ascending order, padded with 0.
    std::array<quint8, 4> fireModeCode() const;

private:
    int positionAmongSelected(int level) const;
    void makeLowestSelectedCurrent();

    std::array<QString, kDpiLevelCount> m_dpiCaptions;
    std::array<QString, kDpiTextCount> m_dpiTexts;
    std::array<bool, kDpiLevelCount> m_dpiSelected{};
    int m_currentDpiLevel = 0;

    ReportRate m_reportRate = ReportRate::Unset;

    std::array<QString, kFireKeyCount> m_repeatTexts;
    std::array<QString, kFireKeyCount> m_delayTexts;

    std::array<bool, kFireModeCount> m_fireModeSelected{};
};
