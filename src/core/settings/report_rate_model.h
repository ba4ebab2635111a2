#pragma once

#include "records/app_state.h"
#include "records/section_records.h"
#include "settings/setting_declarations.h"

#include <optional>

// The report rate of the advanced page. The page numbers its two buttons
// 1 (1000 Hz) and 2 (500 Hz); the typed setter takes the rate in Hz.
class ReportRateModel
{
public:
    enum class ReportRate
    {
        Unset,
        Hz1000,
        Hz500
    };

    void showReportRate(const SectionRecords &records, AppState &state);
    void storeReportRate(SectionRecords &records, AppState &state) const;
    static constexpr int kRateCount = 2; // the page's two rate buttons
    bool setReportRate(int rate);        // 1 = 1000 Hz, 2 = 500 Hz
    ReportRate reportRate() const { return m_reportRate; }

    // The rate in Hz, nothing before an image set one.
    std::optional<int> reportRateHz() const;
    // False, and nothing changes, for a rate the mouse does not have.
    bool setReportRateHz(int hertz);

private:
    ReportRate m_reportRate = ReportRate::Unset;
};
