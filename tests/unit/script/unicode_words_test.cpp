// Real words of each language: written in ISCII by ICU, read back by us and by
// ICU, and written again by us, byte for byte. The word lists are Debian's
// hunspell and aspell dictionaries the family's fidelity harness uses too.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>
#include <vector>

#include "icu_oracle.h"
#include "script/unicode_text.h"

namespace vexa::script {
namespace {

using namespace testing;

constexpr std::size_t kSample = 1500;

std::vector<std::string> HunspellWords(const std::string& path) {
    std::vector<std::string> words;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // the word count
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('/'));
        if (!line.empty()) words.push_back(line);
    }
    return words;
}

std::vector<std::string> AspellWords(const std::string& lang) {
    std::vector<std::string> words;
    const std::string command = "aspell -l " + lang + " dump master 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return words;
    char buf[512];
    while (std::fgets(buf, sizeof buf, pipe.get())) {
        std::string w(buf);
        while (!w.empty() && (w.back() == '\n' || w.back() == '\r')) w.pop_back();
        if (!w.empty()) words.push_back(w);
    }
    return words;
}

// Words made only of the script's block and the joiners.
bool InScript(std::u16string_view w, UnicodeScript s) {
    const char16_t block = static_cast<char16_t>(0x0900 + 0x80 * *IcuVersion(s));
    for (char16_t c : w)
        if ((c < block || c >= block + 0x80) && c != 0x200C && c != 0x200D) return false;
    return !w.empty();
}

struct Language {
    const char* name;
    UnicodeScript script;
    std::string source;  // a hunspell file or "aspell:<lang>"
};

void PrintTo(const Language& lang, std::ostream* os) { *os << lang.name; }

class UnicodeWords : public ::testing::TestWithParam<Language> {};

TEST_P(UnicodeWords, RoundTripThroughIsciiAgreesWithIcu) {
    const Language& lang = GetParam();
    const std::vector<std::string> all = lang.source.rfind("aspell:", 0) == 0
                                             ? AspellWords(lang.source.substr(7))
                                             : HunspellWords(lang.source);
    if (all.empty()) GTEST_SKIP() << "no word list " << lang.source;
    const int v = *IcuVersion(lang.script);
    const std::size_t step = std::max<std::size_t>(1, all.size() / kSample);
    int sampled = 0, written = 0, icuRoundTrips = 0, failures = 0;
    for (std::size_t k = 0; k < all.size(); k += step) {
        const std::u16string word = FromUtf8(all[k]);
        if (!InScript(word, lang.script)) continue;
        ++sampled;
        const auto bytes = IcuFromUnicode(v, word);
        if (!bytes) continue;  // ICU cannot write it in ISCII
        ++written;
        const std::u16string ours = IsciiToUnicode(*bytes, lang.script);
        const std::u16string icu = IcuToUnicode(v, *bytes);
        const IsciiFromUnicode back = UnicodeToIscii(ours, lang.script);
        // Where ICU cannot read its own ISCII (a stray joiner) ours must be the word.
        const std::u16string& expected = icu.find(u'\uFFFD') == std::u16string::npos ? icu : word;
        bool ok = Nfd(ours) == Nfd(expected) && back.iscii == *bytes && back.dropped == 0;
        if (Nfd(icu) == Nfd(word)) {
            ++icuRoundTrips;
            const IsciiFromUnicode direct = UnicodeToIscii(word, lang.script);
            ok = ok && direct.iscii == *bytes && direct.dropped == 0;
        }
        if (!ok && ++failures <= 5)
            ADD_FAILURE() << lang.name << " " << all[k] << ": word" << Hex(word) << " iscii"
                          << Hex(*bytes) << " ours" << Hex(ours) << " icu" << Hex(icu) << " back"
                          << Hex(back.iscii);
    }
    std::printf("%s: %d words sampled, %d written by ICU, %d read back alike by ICU\n", lang.name,
                sampled, written, icuRoundTrips);
    EXPECT_EQ(failures, 0);
    EXPECT_GT(written, sampled * 8 / 10) << "too few words to compare";
}

INSTANTIATE_TEST_SUITE_P(
    Languages, UnicodeWords,
    ::testing::Values(
        Language{"Hindi", UnicodeScript::kDevanagari, "/usr/share/hunspell/hi_IN.dic"},
        Language{"Bengali", UnicodeScript::kBengali, "/usr/share/hunspell/bn_IN.dic"},
        Language{"Gujarati", UnicodeScript::kGujarati, "/usr/share/hunspell/gu_IN.dic"},
        Language{"Punjabi", UnicodeScript::kGurmukhi, "aspell:pa"},
        Language{"Oriya", UnicodeScript::kOriya, "aspell:or"},
        Language{"Tamil", UnicodeScript::kTamil, "aspell:ta"},
        Language{"Telugu", UnicodeScript::kTelugu, "/usr/share/hunspell/te_IN.dic"},
        Language{"Kannada", UnicodeScript::kKannada, "aspell:kn"},
        Language{"Malayalam", UnicodeScript::kMalayalam, "/usr/share/hunspell/ml_IN.dic"}),
    [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

// Assamese has no dictionary in Debian and ICU has no Assamese letters: a few
// common words with ra and wa make our own round trip.
TEST(UnicodeWordsAssamese, RoundTripKeepsTheAssameseLetters) {
    for (const char* w :
         {"অসমীয়া", "ৰাজ্য", "ৱেবছাইট", "সৰকাৰ", "বিশ্ববিদ্যালয়", "ৰঙা", "কৰ্মী", "পৃথিৱী"}) {
        const std::u16string word = FromUtf8(w);
        const IsciiFromUnicode iscii = UnicodeToIscii(word, UnicodeScript::kAssamese);
        EXPECT_EQ(iscii.dropped, 0u) << w;
        EXPECT_EQ(Hex(Nfd(IsciiToUnicode(iscii.iscii, UnicodeScript::kAssamese))), Hex(Nfd(word)))
            << w;
    }
    // ৰ is the ISCII ra.
    EXPECT_EQ(UnicodeToIscii(FromUtf8("ৰ"), UnicodeScript::kAssamese).iscii, "\xCF");
}

}  // namespace
}  // namespace vexa::script
