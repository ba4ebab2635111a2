#include "settings/fire_keys_model.h"

#include "settings/choice_walk.h"
#include "settings/record_bytes.h"

#include <algorithm>

namespace {

constexpr quint8 kFireKeyType = 0x06;
constexpr quint8 kFireModeType = 0x0F;
constexpr int kProfileCount = settings::kProfileCount;
constexpr int kButtonsPerProfile = settings::kButtonsPerProfile;
constexpr int kCodeLength = 4;

// Keys count from 1 on the page; indices from 0 in the arrays.
bool inRange(int number, int count)
{
    return number >= 1 && number <= count;
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

FireKeysModel::FireKeysModel()
{
    m_repeatTexts.fill(QStringLiteral("2"));
    m_delayTexts.fill(QStringLiteral("2"));
    // Until an image with a Fire Mode button is taken in, modes 1-3 are on.
    m_fireModeSelected = {true, true, true, false};
}

// --- fire keys ------------------------------------------------------------

void FireKeysModel::showFireKeys(const SectionRecords &records)
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

void FireKeysModel::FireKeyModeToDataBuf(SectionRecords &records) const
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

QString FireKeysModel::repeatText(int fireKey) const
{
    return inRange(fireKey, kFireKeyCount) ? m_repeatTexts[fireKey - 1] : QString();
}

QString FireKeysModel::delayText(int fireKey) const
{
    return inRange(fireKey, kFireKeyCount) ? m_delayTexts[fireKey - 1] : QString();
}

bool FireKeysModel::setRepeatText(int fireKey, const QString &text)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    m_repeatTexts[fireKey - 1] = digitsOnly(text, kRepeatMaxLength);
    return true;
}

bool FireKeysModel::setDelayText(int fireKey, const QString &text)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    m_delayTexts[fireKey - 1] = digitsOnly(text, kDelayMaxLength);
    return true;
}

bool FireKeysModel::commitRepeat(int fireKey)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    QString &text = m_repeatTexts[fireKey - 1];
    text = limitedRepeatText(text);
    return true;
}

bool FireKeysModel::commitDelay(int fireKey)
{
    if (!inRange(fireKey, kFireKeyCount))
        return false;
    QString &text = m_delayTexts[fireKey - 1];
    text = limitedDelayText(text);
    return true;
}

bool FireKeysModel::setRepeat(int fireKey, int value)
{
    if (!inRange(fireKey, kFireKeyCount) || !repeatKeptAsTyped(value))
        return false;
    m_repeatTexts[fireKey - 1] = QString::number(value);
    return true;
}

bool FireKeysModel::setDelay(int fireKey, int value)
{
    if (!inRange(fireKey, kFireKeyCount) || !delayKeptAsTyped(value))
        return false;
    m_delayTexts[fireKey - 1] = QString::number(value);
    return true;
}

void FireKeysModel::commitFireKeyTexts()
{
    for (int n = 1; n <= kFireKeyCount; ++n) {
        commitRepeat(n);
        commitDelay(n);
    }
}

bool FireKeysModel::Edt_Repeat1KeyPress(QChar key)
{
    return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QChar(0x08);
}

int FireKeysModel::fireKeyRepeat(int fireKey) const
{
    if (!inRange(fireKey, kFireKeyCount))
        return 0;
    return limitedValue(digitsOnly(m_repeatTexts[fireKey - 1], kRepeatMaxLength), kMaxRepeat);
}

int FireKeysModel::fireKeyDelay(int fireKey) const
{
    if (!inRange(fireKey, kFireKeyCount))
        return 0;
    return limitedValue(digitsOnly(m_delayTexts[fireKey - 1], kDelayMaxLength), kMaxDelay);
}

FireKeyFields FireKeysModel::fireKeyFields(int fireKey, const SectionRecords &records) const
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

std::array<FireKeyFields, FireKeysModel::kFireKeyCount>
FireKeysModel::allFireKeyFields(const SectionRecords &records) const
{
    std::array<FireKeyFields, kFireKeyCount> all;
    for (int n = 0; n < kFireKeyCount; ++n)
        all[n] = fireKeyFields(n + 1, records);
    return all;
}

QString FireKeysModel::limitedRepeatText(const QString &text)
{
    return limitedText(text, kMaxRepeat);
}

QString FireKeysModel::limitedDelayText(const QString &text)
{
    return limitedText(text, kMaxDelay);
}

bool FireKeysModel::repeatKeptAsTyped(int value)
{
    return settings::kRepeat.range.contains(value);
}

bool FireKeysModel::delayKeptAsTyped(int value)
{
    return settings::kDelay.range.contains(value);
}

// --- fire modes -----------------------------------------------------------

bool FireKeysModel::toggleFireMode(int mode)
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

void FireKeysModel::RefreshFireKeyMode(const QByteArray &profile)
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

bool FireKeysModel::fireModeSelected(int mode) const
{
    return inRange(mode, kFireModeCount) && m_fireModeSelected[mode - 1];
}

int FireKeysModel::SelectedFireModeCount() const
{
    return static_cast<int>(std::count(m_fireModeSelected.begin(), m_fireModeSelected.end(), true));
}

std::array<quint8, 4> FireKeysModel::fireModeCode() const
{
    std::array<quint8, 4> code{kFireModeType, 0, 0, 0};
    int next = 1;
    for (int mode = 1; mode <= kFireModeCount && next < kCodeLength; ++mode) {
        if (fireModeSelected(mode))
            code[next++] = static_cast<quint8>(mode);
    }
    return code;
}

bool FireKeysModel::selectFireModes(const QList<int> &modes)
{
    if (!choice_walk::validSet(modes, kFireModeCount, kMinSelectedFireModes, kMaxSelectedFireModes))
        return false;
    const auto saved = m_fireModeSelected;
    const bool reached = choice_walk::clickTowards(
        modes, kFireModeCount, [this](int n) { return fireModeSelected(n); },
        [this](int n) { return toggleFireMode(n); });
    if (!reached)
        m_fireModeSelected = saved;
    return reached;
}
