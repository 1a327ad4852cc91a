// Throughput of the data formats and the font-code conversion on a few MB of
// mixed ISCII and English text, beside memcpy of the same bytes.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "script/converter_library.h"
#include "script/font_code.h"
#include "script/pc_iscii.h"
#include "script/seven_bit.h"
#include "sim/sim_platform.h"

namespace {

using namespace vexa;

constexpr std::size_t kTextSize = 4 << 20;

// Lines of Devanagari words (consonant, vowel sign, clusters) and English
// words, the mix a form's text holds.
const std::string& MixedText() {
    static const std::string text = [] {
        std::mt19937 random(7);
        std::string s;
        s.reserve(kTextSize + 64);
        while (s.size() < kTextSize) {
            if (random() % 4 == 0) {
                for (int i = 0, n = 3 + random() % 6; i < n; ++i) s += static_cast<char>('a' + random() % 26);
            } else {
                for (int i = 0, n = 1 + random() % 4; i < n; ++i) {
                    s += static_cast<char>(0xB3 + random() % 38);  // consonant
                    if (random() % 5 == 0) {
                        s += static_cast<char>(0xE8);  // virama and a second consonant
                        s += static_cast<char>(0xB3 + random() % 38);
                    }
                    if (random() % 2 == 0) s += static_cast<char>(0xDA + random() % 14);  // vowel sign
                }
            }
            s += random() % 12 == 0 ? "\r\n" : " ";
        }
        s.resize(kTextSize);
        return s;
    }();
    return text;
}

void Memcpy(benchmark::State& state) {
    const std::string& text = MixedText();
    std::string out(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(out.data(), text.data(), text.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(Memcpy);

void PcIsciiRoundTrip(benchmark::State& state) {
    std::string buffer = MixedText();
    auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
    for (auto _ : state) {
        script::ToPcIscii(bytes, buffer.size());
        script::FromPcIscii(bytes, buffer.size());
        benchmark::ClobberMemory();
    }
    // Two passes over the bytes per iteration.
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size() * 2));
}
BENCHMARK(PcIsciiRoundTrip);

void ToPcIsciiCopy(benchmark::State& state) {
    const std::string& text = MixedText();
    std::string out(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(out.data(), text.data(), text.size());
        script::ToPcIscii(reinterpret_cast<unsigned char*>(out.data()), out.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ToPcIsciiCopy);

void EncodeSevenBit(benchmark::State& state) {
    const std::string& text = MixedText();
    for (auto _ : state) benchmark::DoNotOptimize(script::EncodeSevenBit(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(EncodeSevenBit);

void DecodeSevenBit(benchmark::State& state) {
    const std::string encoded = script::EncodeSevenBit(MixedText());
    for (auto _ : state) benchmark::DoNotOptimize(script::DecodeSevenBit(encoded));
    // Measured on the 7-bit input, the bytes the decoder reads.
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * encoded.size()));
}
BENCHMARK(DecodeSevenBit);

// Through the real Devanagari converter when the family is built, else the
// fixture converter of the tests.
void ToFontCodeRun(benchmark::State& state) {
    sim::SimPlatform platform(VEXA_FAMILY_DIR);
    script::ConverterLibrary converter(platform);
    if (!converter.Load("DVBCV32.DLL", "iscii2devzirvo")) {
        platform.paths.SetSystemDirectory(VEXA_FIXTURE_DIR);
        if (!converter.Load("DVBCV32.DLL", "iscii2devzirvo")) {
            state.SkipWithError("no converter library found");
            return;
        }
        state.SetLabel("fixture converter");
    } else {
        state.SetLabel("family converter");
    }
    const std::string& text = MixedText();
    for (auto _ : state) benchmark::DoNotOptimize(script::ToFontCodeRun(converter, text, false));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ToFontCodeRun)->Unit(benchmark::kMillisecond);

}  // namespace
