#include "settings/report_rate_model.h"

#include "settings/record_bytes.h"

namespace {

constexpr int kReportRateOffset = 1; // ParameterB byte 1
constexpr int kRate1000 = 1000;
constexpr int kRate500 = 500;

} // namespace

void ReportRateModel::showReportRate(const SectionRecords &records, AppState &state)
{
    switch (record_bytes::at(records.ParameterB, kReportRateOffset)) {
    case 1:
        m_reportRate = ReportRate::Hz1000;
        state.CurrentReportRate = kRate1000;
        break;
    case 2:
        m_reportRate = ReportRate::Hz500;
        state.CurrentReportRate = kRate500;
        break;
    default:
        break;
    }
}

void ReportRateModel::storeReportRate(SectionRecords &records, AppState &state) const
{
    int code = 0;
    int rate = 0;
    switch (m_reportRate) {
    case ReportRate::Hz1000:
        code = 1;
        rate = kRate1000;
        break;
    case ReportRate::Hz500:
        code = 2;
        rate = kRate500;
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

bool ReportRateModel::setReportRate(int rate)
{
    if (rate == 1)
        m_reportRate = ReportRate::Hz1000;
    else if (rate == 2)
        m_reportRate = ReportRate::Hz500;
    else
        return false;
    return true;
}

std::optional<int> ReportRateModel::reportRateHz() const
{
    switch (m_reportRate) {
    case ReportRate::Hz1000:
        return kRate1000;
    case ReportRate::Hz500:
        return kRate500;
    case ReportRate::Unset:
        break;
    }
    return std::nullopt;
}

bool ReportRateModel::setReportRateHz(int hertz)
{
    if (hertz == kRate1000)
        return setReportRate(1);
    if (hertz == kRate500)
        return setReportRate(2);
    return false;
}
