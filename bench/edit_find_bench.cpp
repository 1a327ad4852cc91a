// Find and Replace All over 1 MB of text with search strings of 10 bytes,
// 1 KB and 10 KB. "prose": random syllables, the string taken from near the
// end of the text (found once, at the end). "repeats": one word repeated,
// the string the same word repeated but ending differently, so that at
// every place the start of the string matches and it is never found (what
// a search compared position by position pays most for).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "edit/find_text.h"

namespace {

using namespace vexa::edit;

constexpr std::size_t kTextSize = 1 << 20;

std::string Syllables(std::size_t size) {
    std::mt19937 random(5);
    std::string text;
    while (text.size() < size) {
        text += static_cast<char>(0xB3 + random() % 20);
        if (random() % 3 != 0) text += static_cast<char>(0xDA + random() % 8);
        if (random() % 4 == 0) text += random() % 30 == 0 ? '\x04' : ' ';
    }
    text.resize(size);
    return text;
}

std::string Repeats(std::size_t size) {
    std::string text;
    while (text.size() < size) text += "\xB3\xDA\xC2 ";
    text.resize(size);
    return text;
}

void BM_FindInOneMegabyte(benchmark::State& state, bool prose) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::string text = prose ? Syllables(kTextSize) : Repeats(kTextSize);
    std::string what = prose ? text.substr(kTextSize - length - 7, length) : Repeats(length);
    for (char& c : what) c = c == '\x04' ? ' ' : c;
    if (!prose) what.back() = 'x';
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindInText(text, what, 0, FindOptions{}));
    }
}
BENCHMARK_CAPTURE(BM_FindInOneMegabyte, prose, true)
    ->Arg(10)->Arg(1 << 10)->Arg(10 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindInOneMegabyte, repeats, false)
    ->Arg(10)->Arg(1 << 10)->Arg(10 << 10)->Unit(benchmark::kMillisecond);

// Up from the end of the text: the same strings, searched backwards.
void BM_FindUpInOneMegabyte(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::string text = Syllables(kTextSize);
    std::string what = text.substr(7, length);
    for (char& c : what) c = c == '\x04' ? ' ' : c;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindInText(text, what, text.size(), FindOptions{true, true}));
    }
}
BENCHMARK(BM_FindUpInOneMegabyte)->Arg(10)->Arg(1 << 10)->Arg(10 << 10)
    ->Unit(benchmark::kMillisecond);

// Replace All of a 10-byte string found about every 4 KB.
void BM_ReplaceAllInOneMegabyte(benchmark::State& state) {
    std::string text = Syllables(kTextSize);
    const std::string what = "\xB3\xDA\xB4\xDA\xB5\xDA\xB6\xDA\xB7\xDA";
    for (std::size_t at = 0; at + what.size() < text.size(); at += 4096) {
        text.replace(at, what.size(), what);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReplaceEvery(text, what, "x", FindOptions{}).count);
    }
}
BENCHMARK(BM_ReplaceAllInOneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
