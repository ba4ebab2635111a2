// The image <-> pages mapping that every read-all, load and write runs.

#include "bench_support.h"

#include "configuration/configuration.h"

namespace {

void BM_DataBufToUIAndAssembleDataBuf(benchmark::State &state)
{
    Configuration config;
    if (!config.startUp()) {
        state.SkipWithError("no default image");
        return;
    }
    config.state().DeviceLayoutCode = config.state().ImageLayoutCode;
    for (auto _ : state) {
        config.DataBufToUI();
        config.AssembleDataBuf();
        benchmark::DoNotOptimize(config.image().DataBuf.data());
    }
}
BENCHMARK(BM_DataBufToUIAndAssembleDataBuf)->Unit(benchmark::kMicrosecond);

} // namespace
