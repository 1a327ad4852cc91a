// Cost of one typed key in the Phonetic and Typewriter keyboards, through
// the family's built libraries as the module calls them. The library
// re-converts the whole word after every key, so a key costs a conversion
// of the word typed so far; keys/s counts keys the way a user types them.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "keyboard/keyboard_library.h"
#include "sim/sim_platform.h"

namespace {

using namespace vexa;

struct Bound {
    sim::SimPlatform platform{VEXA_FAMILY_DIR};
    keyboard::KeyboardBinding phonetic;
    keyboard::KeyboardBinding typewriter;

    Bound() {
        platform::EntryAddress a = nullptr;
        keyboard::BindKeyboardEntry(platform, "pe1lay32.dll", "make_iscii", a);
        phonetic.makeIscii = reinterpret_cast<VexaMakeIsciiFn>(a);
        keyboard::BindKeyboardEntry(platform, "rc2as32.dll", "Iscii2Ascii", a);
        phonetic.iscii2Ascii = reinterpret_cast<VexaIscii2AsciiFn>(a);
        keyboard::BindKeyboardEntry(platform, "dv1lay32.dll", "make_iscii", a);
        typewriter.makeIscii = reinterpret_cast<VexaMakeIsciiFn>(a);
    }
};

Bound& Libraries() {
    static Bound bound;
    return bound;
}

// Phonetic words of 3 to 6 syllables: consonant (sometimes a conjunct), vowel.
std::vector<std::string> PhoneticWords() {
    static const char* consonants[] = {"k", "kh", "g", "ch", "j", "T", "D", "t", "th", "d",
                                       "n", "p", "b", "bh", "m", "y", "r", "l", "v", "sh", "s", "h"};
    static const char* vowels[] = {"a", "aa", "i", "ii", "u", "e", "ai", "o", "au", "a"};
    std::mt19937 random(11);
    std::vector<std::string> words;
    for (int w = 0; w < 256; ++w) {
        std::string word;
        for (int n = 3 + static_cast<int>(random() % 4); n > 0; --n) {
            word += consonants[random() % 22];
            if (random() % 5 == 0) word += consonants[random() % 22];
            word += vowels[random() % 10];
        }
        words.push_back(word);
    }
    return words;
}

// One whole word converted once: the library's own speed, in words.
void BM_PhoneticWord(benchmark::State& state) {
    Bound& lib = Libraries();
    std::vector<std::string> words = PhoneticWords();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& word = words[i++ % words.size()];
        benchmark::DoNotOptimize(lib.phonetic.Convert(word));
    }
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PhoneticWord);

// What a user pays per key typed at the end of a word: the control hands the
// library the key text of the whole word so far after every key, so a word
// of n keys is converted n times, each time one key longer.
void BM_PhoneticKeyAtWordEnd(benchmark::State& state) {
    Bound& lib = Libraries();
    std::vector<std::string> words = PhoneticWords();
    std::size_t w = 0;
    std::size_t typed = 1;
    for (auto _ : state) {
        const std::string& word = words[w % words.size()];
        benchmark::DoNotOptimize(lib.phonetic.Convert(std::string_view(word).substr(0, typed)));
        if (++typed > word.size()) {
            typed = 1;
            ++w;
        }
    }
    state.counters["keys/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PhoneticKeyAtWordEnd);

// A key typed inside a word: the word goes back to key text through the
// reverse converter, and the library converts the new key text and the part
// up to the caret.
void BM_PhoneticKeyInsideWord(benchmark::State& state) {
    Bound& lib = Libraries();
    std::vector<std::string> iscii;
    for (const std::string& word : PhoneticWords()) iscii.push_back(lib.phonetic.Convert(word));
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& word = iscii[i++ % iscii.size()];
        const std::string keys = lib.phonetic.Reverse(word);
        const std::size_t split = keys.size() / 2;
        const std::string left = keys.substr(0, split) + "a";
        benchmark::DoNotOptimize(lib.phonetic.Convert(left + keys.substr(split)));
        benchmark::DoNotOptimize(lib.phonetic.Convert(left));
    }
    state.counters["keys/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PhoneticKeyInsideWord);

void BM_PhoneticReverseAndBack(benchmark::State& state) {
    Bound& lib = Libraries();
    std::vector<std::string> iscii;
    for (const std::string& word : PhoneticWords()) iscii.push_back(lib.phonetic.Convert(word));
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& word = iscii[i++ % iscii.size()];
        benchmark::DoNotOptimize(lib.phonetic.Convert(lib.phonetic.Reverse(word) + "a"));
    }
}
BENCHMARK(BM_PhoneticReverseAndBack);

void BM_TypewriterWord(benchmark::State& state) {
    Bound& lib = Libraries();
    // i-sign marker, ka, half ssa + stroke, reph, ma.
    const std::string word = "\xD9\xDB\xB3\xD6\xE8\xDA\xCC\xCF\xE8\xD9\xC2\xDA";
    for (auto _ : state) benchmark::DoNotOptimize(lib.typewriter.Convert(word));
}
BENCHMARK(BM_TypewriterWord);

}  // namespace
