// The phonetic keyboard library and its reverse converter, loaded from the
// family as the module loads them.

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "devanagari_iscii.h"
#include "keyboard/keyboard_library.h"
#include "sim/sim_platform.h"
#include "unit/fixture_platform.h"

namespace vexa::keyboard {
namespace {

using test::Bytes;

class PhoneticLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        sim.paths.SetSystemDirectory(VEXA_FAMILY_DIR);
        platform::EntryAddress address = nullptr;
        ASSERT_EQ(BindKeyboardEntry(sim, "pe1lay32.dll", "make_iscii", address), EntryLoad::Bound);
        binding.makeIscii = reinterpret_cast<VexaMakeIsciiFn>(address);
        ASSERT_EQ(BindKeyboardEntry(sim, "rc2as32.dll", "Iscii2Ascii", address), EntryLoad::Bound);
        binding.iscii2Ascii = reinterpret_cast<VexaIscii2AsciiFn>(address);
    }
    void TearDown() override { ReleaseKeyboardLibraries(sim.libraries); }

    sim::SimPlatform sim;
    KeyboardBinding binding;
};

TEST_F(PhoneticLibrary, EnglishLettersSpellTheSounds) {
    // namaste: na ma s+virama te
    EXPECT_EQ(binding.Convert("namaste"), Bytes({0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1}));
    // A consonant with no vowel after it keeps its virama.
    EXPECT_EQ(binding.Convert("k"), Bytes({0xB3, 0xE8}));
    EXPECT_EQ(binding.Convert("ka"), Bytes({0xB3}));
    EXPECT_EQ(binding.Convert("kii"), Bytes({0xB3, 0xDC}));
    EXPECT_EQ(binding.Convert("kI"), Bytes({0xB3, 0xDC}));
    // Aspirates and two-letter vowels read as one sound; the separator splits them.
    EXPECT_EQ(binding.Convert("kha"), Bytes({0xB4}));
    EXPECT_EQ(binding.Convert("k_ha"), Bytes({0xB3, 0xE8, 0xD8}));
    EXPECT_EQ(binding.Convert("ai"), Bytes({0xAD}));
    EXPECT_EQ(binding.Convert("a_i"), Bytes({0xA4, 0xA6}));
    // Conjunct shortcuts, nukta letters, marks.
    EXPECT_EQ(binding.Convert("x"), Bytes({0xB3, 0xE8, 0xD6, 0xE8}));
    EXPECT_EQ(binding.Convert("za"), Bytes({0xBA, 0xE9}));
    EXPECT_EQ(binding.Convert("hiMdii"), Bytes({0xD8, 0xDB, 0xA2, 0xC4, 0xDC}));
    EXPECT_EQ(binding.Convert("raamaH|"), Bytes({0xCF, 0xDA, 0xCC, 0xA3, 0xEA}));
    // Keys the scheme does not use stay English.
    EXPECT_EQ(binding.Convert("12,"), "12,");
    EXPECT_EQ(binding.Convert("##abc##ka"), "abc" + Bytes({0xB3}));
}

TEST_F(PhoneticLibrary, IsciiAlreadyInTheWordCombinesWithNewKeys) {
    // The word as the text holds it, followed by the keys typed after it,
    // reads as if the whole word had been typed.
    EXPECT_EQ(binding.Convert(Bytes({0xB3, 0xE8}) + "i"), Bytes({0xB3, 0xDB}));
    EXPECT_EQ(binding.Convert(Bytes({0xB3, 0xE8}) + "ha"), Bytes({0xB4}));
    EXPECT_EQ(binding.Convert(Bytes({0xCC, 0xDA}) + "ta"), Bytes({0xCC, 0xDA, 0xC2}));
    // A vowel sign with no consonant has no spelling but still comes back.
    EXPECT_EQ(binding.Convert(Bytes({0xDB})), Bytes({0xDB}));
}

TEST_F(PhoneticLibrary, ReverseGivesKeyText) {
    EXPECT_EQ(binding.Reverse(Bytes({0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1})), "namaste");
    EXPECT_EQ(binding.Reverse(Bytes({0xB3, 0xE8, 0xD8})), "k_ha");
    EXPECT_EQ(binding.Reverse(""), "");
}

// Reads the words of the Hindi spelling dictionary, as ISCII.
std::vector<std::string> DictionaryWords() {
    std::vector<std::string> words;
    std::ifstream in("/usr/share/hunspell/hi_IN.dic");
    std::string line;
    std::getline(in, line);  // the word count
    while (std::getline(in, line)) {
        std::string word = line.substr(0, line.find('/'));
        if (std::optional<std::string> iscii = test::DevanagariToIscii(word)) {
            words.push_back(*iscii);
        }
    }
    return words;
}

TEST_F(PhoneticLibrary, EveryDictionaryWordComesBackFromItsKeyText) {
    std::vector<std::string> words = DictionaryWords();
    if (words.empty()) GTEST_SKIP() << "hunspell-hi is not installed";
    ASSERT_GT(words.size(), 10000u);
    int failures = 0;
    for (const std::string& word : words) {
        std::string keys = binding.Reverse(word);
        bool ascii = true;
        for (char c : keys) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        // Dictionary words are spelled wholly in English letters, and read back.
        if ((!ascii || binding.Convert(keys) != word) && ++failures <= 5) {
            ADD_FAILURE() << "word of " << word.size() << " bytes, key text '" << keys << "'";
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST_F(PhoneticLibrary, ArbitraryIsciiWordsComeBack) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0xA1, 0xFA);
    std::uniform_int_distribution<int> length(1, 40);
    for (int round = 0; round < 3000; ++round) {
        std::string word;
        for (int n = length(random); n > 0; --n) word += static_cast<char>(byte(random));
        std::string keys = binding.Reverse(word);
        ASSERT_LE(keys.size(), 2 * word.size() + 31);
        ASSERT_EQ(binding.Convert(keys), word) << "round " << round;
    }
}

TEST_F(PhoneticLibrary, LongInputsStayWithinTheContractBuffer) {
    // 'x' spells four bytes, more than twice its length: the library cuts its
    // output to the buffer the contract promises.
    std::string keys(200, 'x');
    std::string word = binding.Convert(keys);
    EXPECT_LE(word.size(), 2 * keys.size() + 31);
    EXPECT_EQ(word.substr(0, 4), Bytes({0xB3, 0xE8, 0xD6, 0xE8}));
}

}  // namespace
}  // namespace vexa::keyboard
