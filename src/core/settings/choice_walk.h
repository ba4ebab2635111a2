#pragma once

#include <QList>

// Whole selections of a page's choices (DPI levels, fire modes), reached
// through the clicks a user would make so that the page's limits hold on
// every step.
namespace choice_walk {

// Whether `wanted` is a set of `fewest`..`most` distinct numbers 1..`count`.
inline bool validSet(const QList<int> &wanted, int count, int fewest, int most)
{
    if (wanted.size() < fewest || wanted.size() > most)
        return false;
    for (int i = 0; i < wanted.size(); ++i) {
        if (wanted[i] < 1 || wanted[i] > count || wanted.indexOf(wanted[i]) != i)
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

} // namespace choice_walk
