#pragma once

#include <algorithm>
#include <array>
#include <cmath>

// Desktops keep pointer speed as a number from -1 (slowest) to 1 (fastest),
// 0 being their default; the page's scale speaks of sensitivities 1-20
// with 10 as the default. Sensitivity S is (S - 10) / 10 on that range.
namespace pointer_speed_scale {

inline double toDesktop(int sensitivity)
{
    return std::clamp((sensitivity - 10) / 10.0, -1.0, 1.0);
}

// The scale's sensitivity nearest to a desktop speed, so a speed set
// elsewhere still lights the step closest to it. Ties go to the slower step.
inline int toSensitivity(double speed)
{
    static constexpr std::array<int, 10> kSteps = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
    if (!std::isfinite(speed))
        return 10;
    const double wanted = std::clamp(speed, -1.0, 1.0) * 10.0 + 10.0;
    int best = kSteps.front();
    for (int step : kSteps) {
        if (std::abs(step - wanted) < std::abs(best - wanted) - 1e-9)
            best = step;
    }
    return best;
}

} // namespace pointer_speed_scale
