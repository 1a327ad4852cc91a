#include "typewriter_rules.h"

namespace vexa::family::typewriter {

namespace {

constexpr char kInvisible = static_cast<char>(0xD9);
constexpr char kVirama = static_cast<char>(0xE8);
constexpr char kNukta = static_cast<char>(0xE9);
constexpr char kRa = static_cast<char>(0xCF);
constexpr char kAaSign = static_cast<char>(0xDA);

bool IsConsonant(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 0xB3 && b <= 0xD8;
}
bool IsSign(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 0xDA && b <= 0xE7;
}
bool IsModifier(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 0xA1 && b <= 0xA3;
}

// Length of the consonant cluster at `at`: consonant [nukta] (virama
// consonant [nukta])*; 0 when there is none.
std::size_t ClusterAt(const std::string& s, std::size_t at) {
    if (at >= s.size() || !IsConsonant(s[at])) return 0;
    std::size_t i = at + 1;
    if (i < s.size() && s[i] == kNukta) ++i;
    while (i + 1 < s.size() && s[i] == kVirama && IsConsonant(s[i + 1])) {
        i += 2;
        if (i < s.size() && s[i] == kNukta) ++i;
    }
    return i - at;
}

// Consonant + virama + aa sign: the stroke completes the half letter.
std::string CompleteHalfLetters(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == kAaSign && out.size() >= 2 && out.back() == kVirama &&
            (IsConsonant(out[out.size() - 2]) || out[out.size() - 2] == kNukta)) {
            out.pop_back();
            continue;
        }
        out += s[i];
    }
    return out;
}

// 0xD9 + sign before a cluster: the sign goes after the cluster.
std::string PlacePreBaseSigns(const std::string& s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == kInvisible && i + 1 < s.size() && IsSign(s[i + 1])) {
            std::size_t cluster = ClusterAt(s, i + 2);
            if (cluster > 0) {
                out.append(s, i + 2, cluster);
                out += s[i + 1];
                i += 2 + cluster;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

// Start of the syllable that ends at `end` (cluster, signs, modifiers), or
// `end` when there is none.
std::size_t SyllableStart(const std::string& s, std::size_t end) {
    std::size_t i = end;
    while (i > 0 && (IsSign(s[i - 1]) || IsModifier(s[i - 1]))) --i;
    // Walk back over the cluster.
    std::size_t start = i;
    for (std::size_t j = 0; j < i; ++j) {
        if (ClusterAt(s, j) == i - j) {
            start = j;
            break;
        }
    }
    return start == i ? end : start;
}

// RA + virama + 0xD9 after a syllable: RA + virama go before it.
std::string PlaceReph(const std::string& s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (i + 2 < s.size() && s[i] == kRa && s[i + 1] == kVirama && s[i + 2] == kInvisible) {
            std::size_t start = SyllableStart(out, out.size());
            if (start < out.size()) {
                out.insert(start, std::string{kRa, kVirama});
                i += 3;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

struct Pair {
    unsigned char first;
    unsigned char second;
    unsigned char result;
};

constexpr Pair kTwoPartSigns[] = {
    {0xDA, 0xE1, 0xE5},  // ा + े: ो
    {0xDA, 0xE2, 0xE6},  // ा + ै: ौ
    {0xE1, 0xDA, 0xE5},  // े + ा (before-and-after vowels): ो
    {0xE0, 0xDA, 0xE4},  // ॆ + ा: ॊ
    {0xE2, 0xDA, 0xE6},  // ै + ा
};
constexpr Pair kLongA[] = {{0xA4, 0xDA, 0xA5}};
constexpr Pair kO[] = {{0xA5, 0xE1, 0xB0}, {0xA5, 0xE2, 0xB1}};

template <std::size_t N>
bool Compose(std::string& out, char next, const Pair (&pairs)[N]) {
    if (out.empty()) return false;
    for (const Pair& p : pairs) {
        if (static_cast<unsigned char>(out.back()) == p.first &&
            static_cast<unsigned char>(next) == p.second) {
            out.back() = static_cast<char>(p.result);
            return true;
        }
    }
    return false;
}

std::string ComposeVowels(const std::string& s, const Rules& rules) {
    std::string out;
    for (char c : s) {
        if (Compose(out, c, kTwoPartSigns)) continue;
        if (rules.composeLongA && Compose(out, c, kLongA)) continue;
        if (rules.composeO && Compose(out, c, kO)) continue;
        out += c;
    }
    return out;
}

}  // namespace

std::string MakeIscii(std::string_view keys, const Rules& rules) {
    std::string s(keys);
    s = CompleteHalfLetters(s);
    s = PlacePreBaseSigns(s);
    s = PlaceReph(s);
    return ComposeVowels(s, rules);
}

}  // namespace vexa::family::typewriter
