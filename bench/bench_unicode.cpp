// Throughput of the Unicode conversion (the clipboard's Unicode text) on a
// few MB of mixed ISCII and English text, both directions.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "script/unicode_text.h"

namespace {

using namespace vexa::script;

constexpr std::size_t kUnicodeTextSize = 4 << 20;

// Text shaped like a page of prose: syllables of a consonant (a conjunct
// now and then), a vowel sign in every other one, a few nasal signs and
// nukta letters, English words among them, dandas and line ends.
std::string IsciiText(unsigned seed) {
    static constexpr unsigned char kSigns[] = {0xDA, 0xDB, 0xDC, 0xDD, 0xDE,
                                               0xE1, 0xE2, 0xE5, 0xE6};
    static constexpr unsigned char kNuktaLetters[] = {0xB3, 0xB4, 0xB5, 0xBA, 0xBF, 0xC0, 0xC9};
    std::mt19937 random(seed);
    auto consonant = [&] { return static_cast<char>(0xB3 + random() % 38); };
    std::string s;
    s.reserve(kUnicodeTextSize + 64);
    while (s.size() < kUnicodeTextSize) {
        if (random() % 10 == 0) {
            for (int i = 0, n = 3 + random() % 6; i < n; ++i)
                s += static_cast<char>('a' + random() % 26);
        } else {
            for (int i = 0, n = 1 + random() % 4; i < n; ++i) {
                if (random() % 100 == 0) {
                    s += static_cast<char>(kNuktaLetters[random() % 7]);
                    s += static_cast<char>(0xE9);
                } else {
                    s += consonant();
                }
                if (random() % 8 == 0) {
                    s += static_cast<char>(0xE8);
                    s += consonant();
                }
                if (random() % 2 == 0) s += static_cast<char>(kSigns[random() % 9]);
                if (random() % 16 == 0) s += static_cast<char>(0xA2);
            }
        }
        const unsigned end = random() % 12;
        s += end == 0 ? "\r\n" : end == 1 ? "\xEA " : " ";
    }
    s.resize(kUnicodeTextSize);
    return s;
}

void IsciiToUnicodeBench(benchmark::State& state, UnicodeScript script) {
    const std::string text = IsciiText(11);
    for (auto _ : state) {
        std::u16string out = IsciiToUnicode(text, script);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(IsciiToUnicodeBench, Devanagari, UnicodeScript::kDevanagari);
BENCHMARK_CAPTURE(IsciiToUnicodeBench, Gurmukhi, UnicodeScript::kGurmukhi);
BENCHMARK_CAPTURE(IsciiToUnicodeBench, Tamil, UnicodeScript::kTamil);

// Bytes processed are the ISCII bytes the text comes back to.
void UnicodeToIsciiBench(benchmark::State& state, UnicodeScript script) {
    const std::string iscii = IsciiText(11);
    const std::u16string text = IsciiToUnicode(iscii, script);
    std::size_t bytes = 0;
    for (auto _ : state) {
        IsciiFromUnicode out = UnicodeToIscii(text, script);
        bytes += out.iscii.size();
        benchmark::DoNotOptimize(out.iscii.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK_CAPTURE(UnicodeToIsciiBench, Devanagari, UnicodeScript::kDevanagari);
BENCHMARK_CAPTURE(UnicodeToIsciiBench, Gurmukhi, UnicodeScript::kGurmukhi);

}  // namespace
