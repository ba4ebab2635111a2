#include "settings/breathing_page_model.h"

#include "settings/record_bytes.h"

#include <algorithm>

namespace {

constexpr int kOptionsOffset = 9;    // ParameterA byte 9
constexpr int kBypassBit = 0;        // set: the page is neither shown nor stored
constexpr int kLedColourModeBit = 4; // set: LED colour mode 1
constexpr int kFirstTimeOffset = 18; // ParameterA bytes 18-21: off, raise, on, fall
constexpr int kColour1Offset = 22;   // ParameterA bytes 22-24
constexpr int kLightModeOffset = 3;  // ParameterB byte 3
constexpr int kColour2Offset = 0;    // UserBreath bytes 0-2

// The bytes the page writes for steps 1-10. The mouse reads any byte from one
// entry up to just below the next as that entry's step.
constexpr std::array<int, 10> kOffOnValues = {0, 25, 50, 75, 100, 125, 150, 175, 200, 225};
constexpr std::array<int, 10> kRaiseFallValues = {0, 4, 7, 9, 12, 14, 17, 19, 21, 23};

const std::array<int, 10> &valuesFor(BreathingPageModel::Scale scale)
{
    using Scale = BreathingPageModel::Scale;
    return scale == Scale::Off || scale == Scale::On ? kOffOnValues : kRaiseFallValues;
}

bool validScale(BreathingPageModel::Scale scale)
{
    const int index = static_cast<int>(scale);
    return index >= 0 && index < 4;
}

RgbPercent percentAt(const QByteArray &record, int offset)
{
    // A short record reads as 0 rather than as "no value": there is no other
    // sensible colour to show.
    const auto byte = [&](int i) { return std::max(0, record_bytes::at(record, offset + i)); };
    return RgbPercent{byte(0), byte(1), byte(2)};
}

void putPercent(QByteArray &record, int offset, const RgbPercent &colour)
{
    record_bytes::put(record, offset, colour.red);
    record_bytes::put(record, offset + 1, colour.green);
    record_bytes::put(record, offset + 2, colour.blue);
}

} // namespace

bool BreathingPageModel::bypassed(const SectionRecords &records)
{
    const int options = record_bytes::at(records.ParameterA, kOptionsOffset);
    // Without the options byte there is nothing to decide by; leaving the page
    // alone is the safe side.
    return options < 0 || (options >> kBypassBit & 1) != 0;
}

void BreathingPageModel::show(const SectionRecords &records)
{
    switch (record_bytes::at(records.ParameterB, kLightModeOffset)) {
    case 1:
        m_lightMode = LightMode::Colorful;
        break;
    case 2:
        m_lightMode = LightMode::Custom;
        break;
    default:
        m_lightMode = LightMode::Random;
        break;
    }

    for (int i = 0; i < 4; ++i) {
        const int value = record_bytes::at(records.ParameterA, kFirstTimeOffset + i);
        if (value >= 0)
            m_steps[i] = stepForValue(static_cast<Scale>(i), value);
    }

    const int options = record_bytes::at(records.ParameterA, kOptionsOffset);
    if (options >= 0)
        LEDColModeChange((options >> kLedColourModeBit & 1) ? LedColourMode::Mode1
                                                            : LedColourMode::Mode2);

    m_colour1 = percentAt(records.ParameterA, kColour1Offset);
    m_colour1Swatch = rgbFromPercent(m_colour1);
    m_colour2 = percentAt(records.UserBreath, kColour2Offset);
    m_colour2Swatch = rgbFromPercent(m_colour2);
}

void BreathingPageModel::store(SectionRecords &records) const
{
    record_bytes::put(records.ParameterB, kLightModeOffset, static_cast<int>(m_lightMode));

    for (int i = 0; i < 4; ++i) {
        // A scale that was never shown or clicked has no step and writes nothing.
        const int value = writtenValue(static_cast<Scale>(i), m_steps[i]);
        if (value >= 0)
            record_bytes::put(records.ParameterA, kFirstTimeOffset + i, value);
    }

    const int options = record_bytes::at(records.ParameterA, kOptionsOffset);
    if (options >= 0) {
        const int bit = 1 << kLedColourModeBit;
        record_bytes::put(records.ParameterA, kOptionsOffset,
                          m_ledColourMode == LedColourMode::Mode1 ? options | bit : options & ~bit);
    }

    putPercent(records.ParameterA, kColour1Offset, m_colour1);
    // UserBreath's checksum is left as it is: colour 2 only ever comes from
    // the image, so it already matches.
    putPercent(records.UserBreath, kColour2Offset, m_colour2);
}

int BreathingPageModel::writtenValue(Scale scale, int step)
{
    if (!validScale(scale) || step < 1 || step > kStepCount)
        return -1;
    return valuesFor(scale)[step - 1];
}

int BreathingPageModel::stepForValue(Scale scale, int value)
{
    if (!validScale(scale))
        return 1;
    const auto &values = valuesFor(scale);
    // The step is the number of written values at or below the byte; the
    // first entry is 0, so every byte reads as at least step 1.
    const auto steps = std::upper_bound(values.begin(), values.end(), value) - values.begin();
    return std::max(1, static_cast<int>(steps));
}

int BreathingPageModel::percentFromComponent(int component)
{
    return std::clamp(component, 0, 255) * 100 / 255;
}

int BreathingPageModel::componentFromPercent(int percent)
{
    // Stored percentages above 100 would give components past 255; they are
    // drawn at full strength instead.
    return std::min(std::max(percent, 0) * 255 / 100, 255);
}

int BreathingPageModel::componentStoringPercent(int percent)
{
    const int clamped = std::clamp(percent, 0, 100);
    return (clamped * 255 + 99) / 100;
}

RgbPercent BreathingPageModel::percentFromRgb(const Rgb &colour)
{
    return RgbPercent{percentFromComponent(colour.red), percentFromComponent(colour.green),
                      percentFromComponent(colour.blue)};
}

Rgb BreathingPageModel::rgbFromPercent(const RgbPercent &percent)
{
    return Rgb{componentFromPercent(percent.red), componentFromPercent(percent.green),
               componentFromPercent(percent.blue)};
}

bool BreathingPageModel::setStep(Scale scale, int step)
{
    if (!validScale(scale) || step < 1 || step > kStepCount)
        return false;
    m_steps[static_cast<int>(scale)] = step;
    return true;
}

void BreathingPageModel::LEDColModeChange(LedColourMode mode)
{
    m_ledColourMode = mode;
    m_colour1PickerEnabled = mode == LedColourMode::Mode1;
}

bool BreathingPageModel::lbl_csmode1Click(const Rgb &chosen)
{
    if (!m_colour1PickerEnabled)
        return false;
    m_colour1Swatch = Rgb{std::clamp(chosen.red, 0, 255), std::clamp(chosen.green, 0, 255),
                          std::clamp(chosen.blue, 0, 255)};
    m_colour1 = percentFromRgb(m_colour1Swatch);
    return true;
}

bool BreathingPageModel::segmentLit(Scale scale, int segment) const
{
    return validScale(scale) && segment >= 1 && segment <= m_steps[static_cast<int>(scale)];
}
