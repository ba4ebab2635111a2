#pragma once

#include "records/section_records.h"
#include "settings/setting_declarations.h"

#include <QByteArray>
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

// The fire keys of the advanced page: the four keys' repeat and delay as
// their boxes hold them, and the fire modes a Fire Mode button cycles
// through. Fire keys and modes count 1-4; a number out of range is ignored.
class FireKeysModel
{
public:
    static constexpr int kFireKeyCount = settings::kFireKeyCount;
    static constexpr int kFireModeCount = settings::kFireModes.count;
    static constexpr int kMaxSelectedFireModes = settings::kFireModes.most;
    static constexpr int kMinSelectedFireModes = settings::kFireModes.fewest;
    static constexpr int kRepeatMaxLength = 2;
    static constexpr int kDelayMaxLength = 4;
    static constexpr int kMaxRepeat = settings::kRepeat.range.last;
    static constexpr int kMaxDelay = settings::kDelay.range.last;

    FireKeysModel();

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
    bool commitRepeat(int fireKey);
    bool commitDelay(int fireKey);
    // A value set as a number: false, and nothing changes, for a fire key
    // out of range or a value the limits would not keep as it is.
    bool setRepeat(int fireKey, int value);
    bool setDelay(int fireKey, int value);
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

    // --- fire modes ---
    // Selects or unselects a mode within the limits; whether it changed.
    bool toggleFireMode(int mode);
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
    std::array<QString, kFireKeyCount> m_repeatTexts;
    std::array<QString, kFireKeyCount> m_delayTexts;

    std::array<bool, kFireModeCount> m_fireModeSelected{};
};
