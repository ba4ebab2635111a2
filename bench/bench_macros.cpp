// Decoding and encoding a macro that fills its whole 1024-byte block.

#include "bench_support.h"

#include "macros/macro_format.h"

namespace {

// Key presses, delays and releases up to the block's end, then the terminator.
QByteArray fullMacroBlock()
{
    QByteArray block;
    int key = 0;
    while (block.size() + 7 + 1 <= kMacroStreamMax) {
        const char code = char(0x04 + key++ % 26); // A ... Z
        block.append(char(0x82)).append(code);
        block.append(char(0xFE)).append(char(0)).append(char(20));
        block.append(char(0x02)).append(code);
    }
    while (block.size() + 1 < kMacroStreamMax)
        block.append(char(0xA1)); // left button presses fill the rest
    block.append(char(0));
    return block;
}

void BM_MacroDecodeFullBlock(benchmark::State &state)
{
    const QByteArray block = fullMacroBlock();
    for (auto _ : state) {
        auto decoded = decodeMacroStream(block, int(block.size()));
        benchmark::DoNotOptimize(decoded);
    }
}
BENCHMARK(BM_MacroDecodeFullBlock)->Unit(benchmark::kMicrosecond);

void BM_MacroEncodeFullBlock(benchmark::State &state)
{
    const QByteArray block = fullMacroBlock();
    const auto decoded = decodeMacroStream(block, int(block.size()));
    if (!decoded || encodeMacroLines(decoded->lines) != block) {
        state.SkipWithError("the full macro does not survive decode and encode");
        return;
    }
    for (auto _ : state) {
        auto stream = encodeMacroLines(decoded->lines);
        benchmark::DoNotOptimize(stream);
    }
}
BENCHMARK(BM_MacroEncodeFullBlock)->Unit(benchmark::kMicrosecond);

} // namespace
