// Whole selections of the advanced page, reached through the clicks a user
// would make so that the page's limits hold on every step.
#include "settings/advanced_page_model.h"

namespace {

bool inRange(int number, int count)
{
    return number >= 1 && number <= count;
}

// Whether `wanted` is a set of `min`..`max` distinct numbers 1..`count`.
bool validSet(const QList<int> &wanted, int count, int min, int max)
{
    if (wanted.size() < min || wanted.size() > max)
        return false;
    for (int i = 0; i < wanted.size(); ++i) {
        if (!inRange(wanted[i], count) || wanted.indexOf(wanted[i]) != i)
            return false;
    }
    return true;
}

// Clicks its way from the selection `isSelected` shows to exactly `wanted`:
// a surplus item is unselected while the minimum allows it, otherwise a
// missing one is selected while the maximum allows it; one of the two is
// always possible for a valid set, so the walk ends within 2 x count clicks.
template <typename Selected, typename Click>
bool clickTowards(const QList<int> &wanted, int count, Selected isSelected, Click click)
{
    for (int step = 0; step < 2 * count; ++step) {
        int surplus = 0;
        int missing = 0;
        for (int n = 1; n <= count; ++n) {
            if (isSelected(n) && !wanted.contains(n) && !surplus)
                surplus = n;
            if (!isSelected(n) && wanted.contains(n) && !missing)
                missing = n;
        }
        if (!surplus && !missing)
            return true;
        if (!(surplus && click(surplus)) && !(missing && click(missing)))
            return false;
    }
    return false;
}

} // namespace

bool AdvancedPageModel::selectDpiLevels(const QList<int> &levels)
{
    if (!validSet(levels, kDpiLevelCount, kMinSelectedDpi, kMaxSelectedDpi))
        return false;
    const auto saved = m_dpiSelected;
    const int savedCurrent = m_currentDpiLevel;
    const bool reached = clickTowards(
        levels, kDpiLevelCount, [this](int n) { return dpiLevelSelected(n); },
        [this](int n) { return DPILevel_OnClick(n); });
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

bool AdvancedPageModel::selectFireModes(const QList<int> &modes)
{
    if (!validSet(modes, kFireModeCount, kMinSelectedFireModes, kMaxSelectedFireModes))
        return false;
    const auto saved = m_fireModeSelected;
    const bool reached = clickTowards(
        modes, kFireModeCount, [this](int n) { return fireModeSelected(n); },
        [this](int n) { return FireKeyModeCheck(n); });
    if (!reached)
        m_fireModeSelected = saved;
    return reached;
}
