#pragma once

#include "records/text_lookup.h"
#include "settings/mouse_settings_store.h"
#include "settings/setting_declarations.h"

#include <QString>

#include <array>
#include <functional>

// The values the program itself follows after every apply, so its own
// double-click and wheel handling match what was just set.
struct ProgramMouseSettings
{
    int doubleClickMs = 0; // 0 when never read nor written
    int wheelScrollLines = 0;
    bool doubleClickKnown = false;
    bool wheelLinesKnown = false;
};

// The three ten-step scales of the advanced page (pointer speed,
// double-click speed, wheel lines) over the user's settings in a
// MouseSettingsStore: filled from the store at start-up and after every
// read-all, stored and applied with every write-all.
//
// Steps run 1-10, 0 meaning no step known (all segments unlit). A stored
// number outside a step table leaves its step as it was but is kept and
// applied back unchanged.
class MouseSettingsPageModel
{
public:
    static constexpr int kStepCount = settings::kScaleStepCount;

    explicit MouseSettingsPageModel(MouseSettingsStore *store = nullptr);

    // May be null: the page then reads, stores and applies nothing.
    void setStore(MouseSettingsStore *store) { m_store = store; }
    MouseSettingsStore *store() const { return m_store; }

    // The window sets this to make its own style hints follow the values;
    // called after every refresh and every apply.
    std::function<void(const ProgramMouseSettings &)> ApplyToProgram;
    ProgramMouseSettings programSettings() const;

    // --- reading and writing ---------------------------------------------
    void RefreshMouseSystemParameterA(); // mouse group
    void RefreshMouseSystemParameterB(); // desktop group
    void ChangedMouseSystemParameterA();
    void ChangedMouseSystemParameterB();
    // The four apply calls in order, then the program's own hook.
    void applyToSystem();

    // A then B, as start-up and the read-all do.
    void refreshFromSystem();
    // The write-all's part: both writes, then the apply calls.
    void storeAndApply();

    // --- the scales ------------------------------------------------------
    bool setPointerSpeed(int step);
    bool setDoubleClickSpeed(int step);
    bool setScrollSpeed(int step);
    int step(MouseSetting setting) const;
    // Segments 1 ... step are lit ("Bar1_E"), the others not ("Bar1_D").
    bool segmentLit(MouseSetting setting, int segment) const;

    int PointerSpeedStep() const { return step(MouseSetting::PointerSpeed); }
    int DoubleClickStep() const { return step(MouseSetting::DoubleClick); }
    int WheelLinesStep() const { return step(MouseSetting::WheelLines); }

    qint32 MouseSensitivityValue() const { return m_sensitivity.value; }
    qint32 MouseSpeedValue() const { return m_speed.value; }
    qint32 MouseThreshold1Value() const { return m_threshold1.value; }
    qint32 MouseThreshold2Value() const { return m_threshold2.value; }
    qint32 DoubleClickSpeedValue() const { return m_doubleClick.value; }
    qint32 WheelScrollLinesValue() const { return m_wheelLines.value; }

    // The texts a step stores ("4" for pointer speed step 3); empty for a
    // step outside 1-10.
    static QString stepText(MouseSetting setting, int step);
    // The step whose text is `number`, or 0.
    static int stepOf(MouseSetting setting, qint32 number);

    // One line in the current language: which store keeps the settings and
    // which of the three it cannot apply to the desktop. Empty without a
    // store.
    QString storeDescription(const TextLookup &text) const;

private:
    // A value as read or written. One never read is not applied: it would
    // set the desktop's pointer speed, double-click time or wheel lines to 0.
    struct Value
    {
        qint32 value = 0;
        bool known = false;
    };

    bool readNumber(MouseSettingsStore::Group group, const QString &name, Value &into);
    void readStepped(MouseSettingsStore::Group group, const QString &name, MouseSetting setting,
                     Value &into);
    void writeStepped(MouseSettingsStore::Group group, const QString &name, MouseSetting setting,
                      Value &into);
    bool clickStep(MouseSetting setting, int step);

    MouseSettingsStore *m_store = nullptr;
    std::array<int, 3> m_steps{};
    Value m_sensitivity;
    Value m_speed;
    Value m_threshold1;
    Value m_threshold2;
    Value m_doubleClick;
    Value m_wheelLines;
};
