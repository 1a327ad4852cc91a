// Throughput of the Devanagari converters, called the way the controls call
// them: a whole line through ToFontCodeRun, one syllable per call.

#include <benchmark/benchmark.h>

#include <string>

#include "script/converter_library.h"
#include "script/font_code.h"
#include "sim/sim_platform.h"

namespace {

// A Hindi line in ISCII (kshatriya, jnana, shrimati, dvara, rashtriya...), repeated.
std::string Line() {
    const std::string words =
        "\xB3\xE8\xD6\xC2\xE8\xCF\xDB\xCD \xBA\xE8\xBC\xDA\xC6 \xD5\xE8\xCF\xDC\xCC\xC2\xDC "
        "\xC4\xE8\xD4\xDA\xCF\xDA \xCF\xDA\xD6\xE8\xBD\xE8\xCF\xDC\xCD \xB3\xDF\xC8\xCD\xDA "
        "\xC8\xCF\xE8\xCD\xDA\xD4\xCF\xC1 \xCF\xE8\xB3\xDB\xA2 ";
    std::string line;
    while (line.size() < 1000) line += words;
    return line;
}

void BM_DevanagariLineToFontCode(benchmark::State& state, const char* file) {
    vexa::sim::SimPlatform sim;
    vexa::script::ConverterLibrary converter(sim);
    if (!converter.Load(file, "iscii2devzirvo")) {
        state.SkipWithError("converter not built");
        return;
    }
    const std::string line = Line();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vexa::script::ToFontCodeRun(converter, line, false));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK_CAPTURE(BM_DevanagariLineToFontCode, bilingual, "DVBCV32.DLL");
BENCHMARK_CAPTURE(BM_DevanagariLineToFontCode, monolingual, "DVMCV32.DLL");

}  // namespace
