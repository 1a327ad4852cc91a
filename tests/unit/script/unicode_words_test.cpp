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

// The held-out words of every script (family/words, never used to build the
// tables): written through the host's strict conversion and read back whole,
// each gives the same text in NFC, or is refused at a character ISCII has no
// code for, or differs by one of the normalisations the ISCII codes make.
TEST(UnicodeWordsHeldOut, EveryWordComesBackTheSameInNfcOrIsRefusedWhole) {
    // No ISCII code: Marathi candra a, Bengali khanda ta, Gurmukhi ura and an
    // addak before no consonant, Oriya wa, Telugu ai length mark, Malayalam
    // atomic chillu k, a ZWNJ after no virama, a second Telugu virama.
    const std::u16string noCode = u"\u0972\u09CE\u0A73\u0A71\u0B71\u0C56\u0D7E\u200C\u0C4D";
    // Normalisations: Gurmukhi tippi and bindi are one code, read by the
    // letter before; Oriya i sign with nukta is the code of the vocalic l sign.
    auto normalised = [](const std::u16string& text) {
        std::u16string out;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == 0x0B3F && k + 1 < text.size() && text[k + 1] == 0x0B3C) {
                out += u'\u0B62';
                ++k;
            } else {
                out += text[k] == 0x0A70 ? u'\u0A02' : text[k];
            }
        }
        return out;
    };
    struct List {
        const char* file;
        UnicodeScript script;
    };
    const List lists[] = {
        {"hi", UnicodeScript::kDevanagari}, {"mr", UnicodeScript::kDevanagari},
        {"bn", UnicodeScript::kBengali},    {"as", UnicodeScript::kAssamese},
        {"pa", UnicodeScript::kGurmukhi},   {"gu", UnicodeScript::kGujarati},
        {"or", UnicodeScript::kOriya},      {"ta", UnicodeScript::kTamil},
        {"te", UnicodeScript::kTelugu},     {"kn", UnicodeScript::kKannada},
        {"ml", UnicodeScript::kMalayalam},
    };
    for (const List& list : lists) {
        std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/family/words/modern-" + list.file + ".txt");
        ASSERT_TRUE(in) << list.file;
        int words = 0, same = 0, refused = 0, failures = 0;
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            const std::u16string word = FromUtf8(line);
            ++words;
            const StrictIscii iscii = UnicodeToIsciiStrict(word, list.script);
            if (iscii.refused && noCode.find(static_cast<char16_t>(iscii.refused->character)) !=
                                     std::u16string::npos) {
                ++refused;
                continue;
            }
            const std::u16string back =
                iscii.refused ? u"" : IsciiToUnicodeWhole(iscii.iscii, list.script);
            same += Nfc(back) == Nfc(word);
            if (normalised(Nfc(back)) != normalised(Nfc(word)) && ++failures <= 5)
                ADD_FAILURE() << list.file << " " << line << ": word" << Hex(word) << " back"
                              << Hex(back)
                              << (iscii.refused ? " refused " + DescribeRefusal(*iscii.refused) : "");
        }
        std::printf("%s: %d held-out words, %d the same in NFC, %d refused whole\n", list.file,
                    words, same, refused);
        EXPECT_GT(words, 50) << list.file;
        EXPECT_EQ(failures, 0) << list.file << " of " << words;
    }
}

}  // namespace
}  // namespace vexa::script
