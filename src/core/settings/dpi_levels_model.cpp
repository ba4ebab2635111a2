#include "settings/dpi_levels_model.h"

#include "settings/choice_walk.h"
#include "settings/record_bytes.h"

#include <algorithm>

namespace {

constexpr int kDpiSlotOffset = 10;   // ParameterA bytes 10-13
constexpr int kCurrentDpiOffset = 0; // ParameterB byte 0
constexpr quint8 kEmptyDpiSlot = 255;

// Levels count from 1 on the page; indices from 0 in the arrays.
bool inRange(int level)
{
    return level >= 1 && level <= DpiLevelsModel::kDpiLevelCount;
}

QString strKey(int number)
{
    return QStringLiteral("Str%1").arg(number, 3, 10, QLatin1Char('0'));
}

} // namespace

void DpiLevelsModel::applyLanguage(const TextLookup &text)
{
    for (int i = 0; i < kDpiLevelCount; ++i)
        m_dpiCaptions[i] = text ? text(strKey(300 + i)) : QString();
    for (int i = 0; i < kDpiTextCount; ++i)
        m_dpiTexts[i] = text ? text(strKey(320 + i)) : QString();
}

QString DpiLevelsModel::dpiCaption(int level) const
{
    return inRange(level) ? m_dpiCaptions[level - 1] : QString();
}

QString DpiLevelsModel::dpiText(int index) const
{
    return index >= 0 && index < kDpiTextCount ? m_dpiTexts[index] : QString();
}

void DpiLevelsModel::showDpi(const SectionRecords &records, const TextLookup &text)
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

void DpiLevelsModel::storeDpi(SectionRecords &records) const
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

bool DpiLevelsModel::toggleDpiLevel(int level)
{
    if (!inRange(level))
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

int DpiLevelsModel::dpiLevelOfCaption(const QString &caption) const
{
    if (caption.isEmpty())
        return 0;
    const auto it = std::find(m_dpiCaptions.begin(), m_dpiCaptions.end(), caption);
    return it == m_dpiCaptions.end() ? 0 : static_cast<int>(it - m_dpiCaptions.begin()) + 1;
}

bool DpiLevelsModel::setCurrentDpi(int level)
{
    if (!dpiMarkerEnabled(level))
        return false;
    m_currentDpiLevel = level;
    return true;
}

bool DpiLevelsModel::dpiLevelSelected(int level) const
{
    return inRange(level) && m_dpiSelected[level - 1];
}

bool DpiLevelsModel::dpiMarkerLit(int level) const
{
    return inRange(level) && level == m_currentDpiLevel;
}

int DpiLevelsModel::SelectedDpiCount() const
{
    return static_cast<int>(std::count(m_dpiSelected.begin(), m_dpiSelected.end(), true));
}

int DpiLevelsModel::positionAmongSelected(int level) const
{
    if (!dpiLevelSelected(level))
        return -1;
    return static_cast<int>(
        std::count(m_dpiSelected.begin(), m_dpiSelected.begin() + level - 1, true));
}

void DpiLevelsModel::makeLowestSelectedCurrent()
{
    m_currentDpiLevel = 0;
    for (int i = 0; i < kDpiLevelCount; ++i) {
        if (m_dpiSelected[i]) {
            m_currentDpiLevel = i + 1;
            return;
        }
    }
}

bool DpiLevelsModel::selectDpiLevels(const QList<int> &levels)
{
    if (!choice_walk::validSet(levels, kDpiLevelCount, kMinSelectedDpi, kMaxSelectedDpi))
        return false;
    const auto saved = m_dpiSelected;
    const int savedCurrent = m_currentDpiLevel;
    const bool reached = choice_walk::clickTowards(
        levels, kDpiLevelCount, [this](int n) { return dpiLevelSelected(n); },
        [this](int n) { return toggleDpiLevel(n); });
    if (!reached) {
        m_dpiSelected = saved;
        m_currentDpiLevel = savedCurrent;
        return false;
    }
    // An image may have left no current level; the page always has one.
    if (!dpiLevelSelected(m_currentDpiLevel))
        makeLowestSelectedCurrent();
    return true;
}
