// Throughput of the Tibetan converters, called the way the controls call
// them: a whole line through ToFontCodeRun, one stack per call.

#include <benchmark/benchmark.h>

#include <string>

#include "script/converter_library.h"
#include "script/font_code.h"
#include "sim/sim_platform.h"

namespace {

// Tibetan words in the family's bytes (bkra shis bde legs, skyes, rgyal,
// bsgrubs, with tshegs and a shad), repeated.
std::string TibetanLine() {
    const std::string words =
        "\xC4\xD9\xDA\xBF \xC8\xD3\xBB \xC4\xCB\xC2 \xC5\xC2\xCF\xBB\xD4 "
        "\xBB\xDA\xD9\xCC\xC2\xBB \xBF\xDA\xCF\xCC\xC5 \xC4\xBB\xDA\xCF\xDA\xBF\xB8\xC4\xBB ";
    std::string line;
    while (line.size() < 1000) line += words;
    return line;
}

void BM_TibetanLineToFontCode(benchmark::State& state, const char* file) {
    vexa::sim::SimPlatform sim;
    vexa::script::ConverterLibrary converter(sim);
    if (!converter.Load(file, "iscii2tibetanzirvo")) {
        state.SkipWithError("converter not built");
        return;
    }
    const std::string line = TibetanLine();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vexa::script::ToFontCodeRun(converter, line, false));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK_CAPTURE(BM_TibetanLineToFontCode, tibetan, "TBMCV32.DLL");
BENCHMARK_CAPTURE(BM_TibetanLineToFontCode, bhutanese, "DRMCV32.DLL");

}  // namespace
