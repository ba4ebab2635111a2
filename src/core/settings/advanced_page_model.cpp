#include "settings/advanced_page_model.h"

#include "settings/record_bytes.h"

#include <algorithm>

namespace {

constexpr int kDpiSlotOffset = 10;   // ParameterA bytes 10-13
constexpr int kCurrentDpiOffset = 0; // ParameterB byte 0
constexpr int kReportRateOffset = 1; // ParameterB byte 1
constexpr quint8 kEmptyDpiSlot = 255;
constexpr quint8 kFireKeyType = 0x06;
constexpr quint8 kFireModeType = 0x0F;
constexpr int kProfileCount = 3;
constexpr int kButtonsPerProfile = 12;
constexpr int kCodeLength = 4;

// Keys count from 1 on the page; indices from 0 in the arrays.
bool inRange(int number, int count)
{
    return number >= 1 && number <= count;
}

QString strKey(int number)
{
    return QStringLiteral("Str%1").arg(number, 3, 10, QLatin1Char('0'));
}

// The digits of `text`, at most `maxLength` of them: what an edit box that
// takes only digits can hold.
QString digitsOnly(const QString &text, int maxLength)
{
    QString digits;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
        if (digits.size() == maxLength)
            break;
    }
    return digits;
}

// Both boxes share one rule: empty or 1 becomes 2, above the maximum becomes
// the maximum, 0 and everything else stays. The value, not the literal text,
// is compared, so "01" is held like "1".
QString limitedText(const QString &text, int maximum)
{
    if (text.isEmpty())
        return QStringLiteral("2");
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return QStringLiteral("2");
    if (value == 1)
        return QStringLiteral("2");
    if (value > maximum)
        return QString::number(maximum);
    return text;
}

int limitedValue(const QString &text, int maximum)
{
    return limitedText(text, maximum).toInt();
}

bool keptAsTyped(int value, int maximum)
{
    const QString text = QString::number(value);
    return value >= 0 && limitedText(text, maximum) == text;
}

// The number a box shows. Fire-key button codes are built from and compared
// with this, so a code the mouse holds keeps its name even when its value
// lies outside the limits. An empty box has no number; it will be stored as
// its limited value, so that one names the code.
int shownValue(const QString &text, int maxLength, int maximum)
{
    const QString digits = digitsOnly(text, maxLength);
    if (digits.isEmpty())
        return limitedValue(digits, maximum);
    return digits.toInt();
}

} // namespace

AdvancedPageModel::AdvancedPageModel()
{
    m_repeatTexts.fill(QStringLiteral("2"));
    m_delayTexts.fill(QStringLiteral("2"));
    // Until an image with a Fire Mode button is taken in, modes 1-3 are on.
    m_fireModeSelected = {true, true, true, false};
}

// --- language -------------------------------------------------------------

void AdvancedPageModel::applyLanguage(const TextLookup &text)
{
    for (int i = 0; i < kDpiLevelCount; ++i)
        m_dpiCaptions[i] = text ? text(strKey(300 + i)) : QString();
    for (int i = 0; i < kDpiTextCount; ++i)
        m_dpiTexts[i] = text ? text(strKey(320 + i)) : QString();
}

QString AdvancedPageModel::dpiCaption(int level) const
{
    return inRange(level, kDpiLevelCount) ? m_dpiCaptions[level - 1] : QString();
}

QString AdvancedPageModel::dpiText(int index) const
{
    return index >= 0 && index < kDpiTextCount ? m_dpiTexts[index] : QString();
}

// --- DPI levels -----------------------------------------------------------

void AdvancedPageModel::showDpi(const SectionRecords &records, const TextLookup &text)
{
    applyLanguage(text);

    std::array<QString, kDpiSlotCount> slotTexts;
    for (int k = 0; k < kDpiSlotCount; ++k) {
        const int value = record_bytes::at(records.ParameterA, kDpiSlotOffset + k);
        // 255 is the empty slot; 12-254 (and a short record) show nothing too.
        if (value >= 0 && value < kDpiTextCount)
            slotTexts[k] = m_dpiTexts[value];
    }

    for (int i = 0; i < kDpiLevelCount; ++i) {
        const QString &caption = m_dpiCaptions[i];
        m_dpiSelected[i] = !caption.isEmpty() && std::find(slotTexts.begin(), slotTexts.end(),
                                                           caption) != slotTexts.end();
    }

    const int position = record_bytes::at(records.ParameterB, kCurrentDpiOffset);
    if (position >= 0 && position < kDpiSlotCount) {
        int seen = 0;
        int found = 0;
        for (int i = 0; i < kDpiLevelCount && !found; ++i) {
            if (m_dpiSelected[i] && seen++ == position)
                found = i + 1;
        }
        m_currentDpiLevel = found;
    }
    // A position past the selected levels, or a kept current level that is
    // no longer selected, would leave no usable current level; the lowest
    // selected one takes its place, as when the current level is unselected.
    if (!dpiLevelSelected(m_currentDpiLevel))
        makeLowestSelectedCurrent();
}

void AdvancedPageModel::storeDpi(SectionRecords &records) const
{
    int slot = 0;
    for (int i = 0; i < kDpiLevelCount && slot < kDpiSlotCount; ++i) {
        if (!m_dpiSelected[i])
            continue;
        const QString &caption = m_dpiCaptions[i];
        // An empty caption matches nothing, as on the way in; a caption found
        // nowhere in the table leaves its slot as it was.
        if (!caption.isEmpty()) {
            const auto it = std::find(m_dpiTexts.begin(), m_dpiTexts.end(), caption);
            if (it != m_dpiTexts.end())
                record_bytes::put(records.ParameterA, kDpiSlotOffset + slot,
                                  static_cast<int>(it - m_dpiTexts.begin()));
        }
        ++slot;
    }
    for (; slot < kDpiSlotCount; ++slot)
        record_bytes::put(records.ParameterA, kDpiSlotOffset + slot, kEmptyDpiSlot);

    const int position = positionAmongSelected(m_currentDpiLevel);
    if (position >= 0 && position < kDpiSlotCount)
        record_bytes::put(records.ParameterB, kCurrentDpiOffset, position);
}

bool AdvancedPageModel::DPILevel_OnClick(int level)
{
    if (!inRange(level, kDpiLevelCount))
        return false;
    const int count = SelectedDpiCount();
    bool &selected = m_dpiSelected[level - 1];
    if (!selected) {
        if (count >= kMaxSelectedDpi)
            return false;
        selected = true;
        return true;
    }
    // Fewer than two can only come from an image; the page never goes below.
    if (count <= kMinSelectedDpi)
        return false;
    selected = false;
    if (m_currentDpiLevel == level)
        makeLowestSelectedCurrent();
    return true;
}

int AdvancedPageModel::dpiLevelOfCaption(const QString &caption) const
{
    if (caption.isEmpty())
        return 0;
    const auto it = std::find(m_dpiCaptions.begin(), m_dpiCaptions.end(), caption);
    return it == m_dpiCaptions.end() ? 0 : static_cast<int>(it - m_dpiCaptions.begin()) + 1;
}

bool AdvancedPageModel::CurrentDPI_OnClick(int level)
{
    if (!dpiMarkerEnabled(level))
        return false;
    m_currentDpiLevel = level;
    return true;
}

bool AdvancedPageModel::dpiLevelSelected(int level) const
{
    return inRange(level, kDpiLevelCount) && m_dpiSelected[level - 1];
}

bool AdvancedPageModel::dpiMarkerLit(int level) const
{
    return inRange(level, kDpiLevelCount) && level == m_currentDpiLevel;
}

int AdvancedPageModel::SelectedDpiCount() const
{
    return static_cast<int>(std::count(m_dpiSelected.begin(), m_dpiSelected.end(), true));
}

int AdvancedPageModel::positionAmongSelected(int level) const
{
    if (!dpiLevelSelected(level))
        return -1;
    return static_cast<int>(
        std::count(m_dpiSelected.begin(), m_dpiSelected.begin() + level - 1, true));
}

void AdvancedPageModel::makeLowestSelectedCurrent()
{
    m_currentDpiLevel = 0;
    for (int i = 0; i < kDpiLevelCount; ++i) {
        if (m_dpiSelected[i]) {
            m_currentDpiLevel = i + 1;
            return;
        }
    }
}

// --- report rate ----------------------------------------------------------

void AdvancedPageModel::showReportRate(const SectionRecords &records, AppState &state)
{
    switch (record_bytes::at(records.ParameterB, kReportRateOffset)) {
    case 1:
        m_reportRate = ReportRate::Hz1000;
        state.CurrentReportRate = 1000;
        break;
    case 2:
        m_reportRate = ReportRate::Hz500;
        state.CurrentReportRate = 500;
        break;
    default:
        break;
    }
}

void AdvancedPageModel::storeReportRate(SectionRecords &records, AppState &state) const
{
    int code = 0;
    int rate = 0;
    switch (m_reportRate) {
    case ReportRate::Hz1000:
        code = 1;
        rate = 1000;
        break;
    case ReportRate::Hz500:
        code = 2;
        rate = 500;
        break;
    case ReportRate::Unset:
        return;
    }
    record_bytes::put(records.ParameterB, kReportRateOffset, code);
    // The device link picks its reload command from this flag after a write.
    if (state.CurrentReportRate != rate) {
        state.CurrentReportRate = rate;
        state.ReportRateChanged = true;
    }
}

bool AdvancedPageModel::ReportRate_OnClick(int rate)
{
    if (rate == 1)
        m_reportRate = ReportRate::Hz1000;
    else if (rate == 2)
        m_reportRate = ReportRate::Hz500;
    else
        return false;
    return true;
}

// --- fire keys ------------------------------------------------------------

void AdvancedPageModel::showFireKeys(const SectionRecords &records)
{
    for (int n = 0; n < kFireKeyCount; ++n) {
        const int base = kCodeLength * n;
        const int byte1 = record_bytes::at(records.FireKey, base + 1);
        const int byte2 = record_bytes::at(records.FireKey, base + 2);
        const int byte3 = record_bytes::at(records.FireKey, base + 3);
        if (byte1 < 0 || byte2 < 0 || byte3 < 0)
            continue;
        // Shown as held; the limits wait until focus leaves a box or the
        // value is stored.
        m_repeatTexts[n] = QString::number(byte1 & 0x0F);
        m_delayTexts[n] = QString::number((byte2 & 0x0F) * 256 + byte3);
    }
    RefreshFireKeyMode(records.Profile);
}

void AdvancedPageModel::FireKeyModeToDataBuf(SectionRecords &records) const
{
    QByteArray &fireKey = records.FireKey;
    for (int n = 0; n < kFireKeyCount; ++n) {
        const int base = kCodeLength * n;
        const int byte2 = record_bytes::at(fireKey, base + 2);
        if (byte2 < 0 || record_bytes::at(fireKey, base + 3) < 0)
            break;
        const int repeat = fireKeyRepeat(n + 1);
        const int delay = fireKeyDelay(n + 1);
        record_bytes::put(fireKey, base, kFireKeyType);
        record_bytes::put(fireKey, base + 1, 0x10 + repeat);
        record_bytes::put(fireKey, base + 2, (byte2 & 0xF0) + delay / 256);
        record_bytes::put(fireKey, base + 3, delay % 256);
    }
}

QString AdvancedPageModel::repeatText(int fireKey) const
{
    return inRange(fireKey, kFireKeyCount) ? m_repeatTexts[fireKey - 1] : QString();
}

QString AdvancedPageModel::delayText(int fireKey) const
{
    return inRange(fireKey, kFireKeyCount) ? m_delayTexts[fireKey - 1] : QString();
}

bool AdvancedPageModel::setRepeatText(int fireKey, const QString &text)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    m_repeatTexts[fireKey - 1] = digitsOnly(text, kRepeatMaxLength);
    return true;
}

bool AdvancedPageModel::setDelayText(int fireKey, const QString &text)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    m_delayTexts[fireKey - 1] = digitsOnly(text, kDelayMaxLength);
    return true;
}

bool AdvancedPageModel::RepeatValue_OnClick(int fireKey)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    QString &text = m_repeatTexts[fireKey - 1];
    text = limitedRepeatText(text);
    return true;
}

bool AdvancedPageModel::DelayTimeValue_OnClick(int fireKey)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    QString &text = m_delayTexts[fireKey - 1];
    text = limitedDelayText(text);
    return true;
}

void AdvancedPageModel::commitFireKeyTexts()
{
    for (int n = 1; n <= kFireKeyCount; ++n) {
        RepeatValue_OnClick(n);
        DelayTimeValue_OnClick(n);
    }
}

bool AdvancedPageModel::Edt_Repeat1KeyPress(QChar key)
{
    return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QChar(0x08);
}

int AdvancedPageModel::fireKeyRepeat(int fireKey) const
{
    if (!inRange(fireKey, kFireKeyCount))
        return 0;
    return limitedValue(digitsOnly(m_repeatTexts[fireKey - 1], kRepeatMaxLength), kMaxRepeat);
}

int AdvancedPageModel::fireKeyDelay(int fireKey) const
{
    if (!inRange(fireKey, kFireKeyCount))
        return 0;
    return limitedValue(digitsOnly(m_delayTexts[fireKey - 1], kDelayMaxLength), kMaxDelay);
}

FireKeyFields AdvancedPageModel::fireKeyFields(int fireKey, const SectionRecords &records) const
{
    FireKeyFields fields;
    if (!inRange(fireKey, kFireKeyCount))
        return fields;
    fields.repeat = shownValue(m_repeatTexts[fireKey - 1], kRepeatMaxLength, kMaxRepeat);
    fields.delay = shownValue(m_delayTexts[fireKey - 1], kDelayMaxLength, kMaxDelay);
    const int byte2 = record_bytes::at(records.FireKey, kCodeLength * (fireKey - 1) + 2);
    fields.byte2HighNibble = byte2 < 0 ? 0 : static_cast<quint8>(byte2 >> 4);
    return fields;
}

std::array<FireKeyFields, AdvancedPageModel::kFireKeyCount>
AdvancedPageModel::allFireKeyFields(const SectionRecords &records) const
{
    std::array<FireKeyFields, kFireKeyCount> all;
    for (int n = 0; n < kFireKeyCount; ++n)
        all[n] = fireKeyFields(n + 1, records);
    return all;
}

QString AdvancedPageModel::limitedRepeatText(const QString &text)
{
    return limitedText(text, kMaxRepeat);
}

QString AdvancedPageModel::limitedDelayText(const QString &text)
{
    return limitedText(text, kMaxDelay);
}

bool AdvancedPageModel::repeatKeptAsTyped(int value)
{
    return keptAsTyped(value, kMaxRepeat);
}

bool AdvancedPageModel::delayKeptAsTyped(int value)
{
    return keptAsTyped(value, kMaxDelay);
}

// --- fire modes -----------------------------------------------------------

bool AdvancedPageModel::FireKeyModeCheck(int mode)
{
    if (!inRange(mode, kFireModeCount))
        return false;
    const int count = SelectedFireModeCount();
    bool &selected = m_fireModeSelected[mode - 1];
    if (!selected && count >= kMaxSelectedFireModes)
        return false;
    if (selected && count <= kMinSelectedFireModes)
        return false;
    selected = !selected;
    return true;
}

void AdvancedPageModel::RefreshFireKeyMode(const QByteArray &profile)
{
    for (int p = 0; p < kProfileCount; ++p) {
        for (int b = 0; b < kButtonsPerProfile; ++b) {
            const int base = kCodeLength * (kButtonsPerProfile * p + b);
            if (record_bytes::at(profile, base) != kFireModeType)
                continue;
            m_fireModeSelected.fill(false);
            for (int i = 1; i < kCodeLength; ++i) {
                const int mode = record_bytes::at(profile, base + i);
                if (inRange(mode, kFireModeCount))
                    m_fireModeSelected[mode - 1] = true;
            }
        }
    }
}

bool AdvancedPageModel::fireModeSelected(int mode) const
{
    return inRange(mode, kFireModeCount) && m_fireModeSelected[mode - 1];
}

int AdvancedPageModel::SelectedFireModeCount() const
{
    return static_cast<int>(std::count(m_fireModeSelected.begin(), m_fireModeSelected.end(), true));
}

std::array<quint8, 4> AdvancedPageModel::fireModeCode() const
{
    std::array<quint8, 4> code{kFireModeType, 0, 0, 0};
    int next = 1;
    for (int mode = 1; mode <= kFireModeCount && next < kCodeLength; ++mode) {
        if (fireModeSelected(mode))
            code[next++] = static_cast<quint8>(mode);
    }
    return code;
}
