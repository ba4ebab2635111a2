// The language and layout readers over the shipped resources.

#include "bench_support.h"

#include "ui/ini_text.h"
#include "ui/language.h"
#include "ui/layout.h"

namespace {

void BM_LanguageReader(benchmark::State &state)
{
    const int language = int(state.range(0));
    const QByteArray bytes = resourceBytes(languageResourcePath(language));
    if (bytes.isEmpty()) {
        state.SkipWithError("language resource missing");
        return;
    }
    for (auto _ : state) {
        LanguageTable table = parseLanguage(bytes, language);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LanguageReader)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

void BM_LayoutReader(benchmark::State &state)
{
    const int language = int(state.range(0));
    const QByteArray bytes = resourceBytes(layoutResourcePath(language));
    if (bytes.isEmpty()) {
        state.SkipWithError("layout resource missing");
        return;
    }
    for (auto _ : state) {
        PageLayout layout =
            readPageLayout(parseIniText(bytes).section(layoutSectionName(language)));
        benchmark::DoNotOptimize(layout);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LayoutReader)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

} // namespace
