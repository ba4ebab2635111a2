#pragma once

#include "records/section_records.h"
#include "settings/setting_declarations.h"

#include <array>

// A colour as the page handles it, components 0-255.
struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// A colour as the image stores it, components as percentages (normally 0-100).
struct RgbPercent
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RgbPercent &, const RgbPercent &) = default;
};

// Everything the breathing-light page decides: the four ten-step time
// scales, the light mode, the LED colour mode with the colour-1 picker's
// enabled state, and the two colours. When the image bypasses the page
// (bit 0 of ParameterA byte 9) the caller neither shows nor stores it, and
// the model keeps what it holds; every accessor shows that held state.
class BreathingPageModel
{
public:
    enum class Scale
    {
        Off = 0,
        Raise = 1,
        On = 2,
        Fall = 3
    };
    enum class LightMode
    {
        Random = 0,
        Colorful = 1,
        Custom = 2
    };
    enum class LedColourMode
    {
        Mode1 = 1,
        Mode2 = 2
    };

    static constexpr int kStepCount = settings::kScaleStepCount;

    static bool bypassed(const SectionRecords &records);
    void show(const SectionRecords &records);
    void store(SectionRecords &records) const;

    // The byte written for a step 1-10, and the step 1-10 a byte reads as.
    static int writtenValue(Scale scale, int step); // -1 for a step out of range
    static int stepForValue(Scale scale, int value);

    // Conversions between the page's 0-255 colours and stored percentages.
    static int percentFromComponent(int component); // c x 100 div 255
    static int componentFromPercent(int percent);   // p x 255 div 100, at most 255
    // The smallest component the colour dialog must give for a stored
    // percentage 0-100 to come out as exactly that percentage (the plain
    // reverse, p x 255 div 100, stores 49 for 50).
    static int componentStoringPercent(int percent);
    static RgbPercent percentFromRgb(const Rgb &colour);
    static Rgb rgbFromPercent(const RgbPercent &percent);

    // --- page actions ---------------------------------------------------
    bool setStep(Scale scale, int step); // a segment click, step 1-10
    bool setOffTime(int step) { return setStep(Scale::Off, step); }
    bool setRaiseTime(int step) { return setStep(Scale::Raise, step); }
    bool setOnTime(int step) { return setStep(Scale::On, step); }
    bool setFallTime(int step) { return setStep(Scale::Fall, step); }
    void setLightMode(LightMode mode) { m_lightMode = mode; }
    void LEDColModeChange(LedColourMode mode);
    // A colour chosen in the colour dialog for colour 1 (components are
    // held to 0-255). Returns false, changing nothing, while the picker is
    // disabled.
    bool lbl_csmode1Click(const Rgb &chosen);
    // The fixed profile page locks the picker; every other page unlocks it,
    // whatever the colour mode.
    void LockPageEdit() { m_colour1PickerEnabled = false; }
    void UnlockPageEdit() { m_colour1PickerEnabled = true; }

    // --- held state -----------------------------------------------------
    int step(Scale scale) const { return m_steps[static_cast<int>(scale)]; } // 0 = none yet
    bool segmentLit(Scale scale, int segment) const;                         // "Bar1_E" when true
    LightMode lightMode() const { return m_lightMode; }
    LedColourMode ledColourMode() const { return m_ledColourMode; }
    bool colour1PickerEnabled() const { return m_colour1PickerEnabled; }
    RgbPercent colour1() const { return m_colour1; }
    RgbPercent colour2() const { return m_colour2; }
    Rgb colour1Swatch() const { return m_colour1Swatch; }
    Rgb colour2Swatch() const { return m_colour2Swatch; }

private:
    std::array<int, settings::kLightScaleCount> m_steps{};
    LightMode m_lightMode = LightMode::Random;
    LedColourMode m_ledColourMode = LedColourMode::Mode1;
    bool m_colour1PickerEnabled = true;
    RgbPercent m_colour1;
    RgbPercent m_colour2;
    Rgb m_colour1Swatch;
    Rgb m_colour2Swatch;
};
