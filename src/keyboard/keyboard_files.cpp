#include "keyboard/keyboard_files.h"

#include <cctype>
#include <initializer_list>

namespace vexa::keyboard {

namespace {

// Script rows of the catalogue, each with its Inscript layout file and its
// typewriter files ("" for none).
struct ScriptFiles {
    const char* inscript;
    const char* typewriterLayout;
    const char* typewriterLibrary;
};

constexpr std::array<ScriptFiles, kKeyboardFileRows> kScripts{{
    {"as0lay.lin", "as1lay.lin", "as1lay32.dll"},  // Assamese
    {"bn0lay.lin", "bn1lay.lin", "bn1lay32.dll"},  // Bengali
    {"", "dv1lay.lin", "dv1lay32.dll"},            // Bhutanese
    {"dv0lay.lin", "dv1lay.lin", "dv1lay32.dll"},  // Devanagari
    {"gj0lay.lin", "gj1lay.lin", "gj1lay32.dll"},  // Gujarati
    {"kn0lay.lin", "kn1lay.lin", "kn1lay32.dll"},  // Kannada
    {"ml0lay.lin", "ml1lay.lin", "ml1lay32.dll"},  // Malayalam
    {"or0lay.lin", "or1lay.lin", "or1lay32.dll"},  // Oriya
    {"pn0lay.lin", "pn1lay.lin", "pn1lay32.dll"},  // Punjabi
    {"", "dv1lay.lin", "dv1lay32.dll"},            // Roman
    {"", "dv1lay.lin", "dv1lay32.dll"},            // Sanskrit
    {"tm0lay.lin", "tm1lay.lin", "tm1lay32.dll"},  // Tamil
    {"tl0lay.lin", "tl1lay.lin", "tl1lay32.dll"},  // Telugu
    {"", "", ""},                                  // Tibetan
}};

constexpr int kTibetanRow = 13;

bool EndsWithLin(std::string_view name) {
    if (name.size() < 4) return false;
    std::string_view tail = name.substr(name.size() - 4);
    static constexpr char kLin[] = ".lin";
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kLin[i]) return false;
    }
    return true;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != static_cast<unsigned char>(b[i])) {
            return false;
        }
    }
    return true;
}

// Windows opens a device for these names in every folder, whatever the
// extension: the base name is what stands before the first dot, less
// trailing spaces. COM and LPT take a digit, also the superscripts 1 to 3.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (SameLetters(base, device)) return true;
    }
    if (base.size() != 4) return false;
    const auto digit = static_cast<unsigned char>(base[3]);
    const bool numbered = (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 ||
                          digit == 0xB3;
    return numbered && (SameLetters(base.substr(0, 3), "COM") || SameLetters(base.substr(0, 3), "LPT"));
}

}  // namespace

const KeyboardFileTable& KeyboardFileTables::Of(KeyboardKind kind) const {
    switch (kind) {
        case KeyboardKind::Phonetic: return phonetic;
        case KeyboardKind::Typewriter: return typewriter;
        case KeyboardKind::Inscript: break;
    }
    return inscript;
}

KeyboardFileTables KeyboardFileTables::EditDefaults() {
    KeyboardFileTables tables;
    for (std::size_t i = 0; i < kScripts.size(); ++i) {
        tables.inscript[i] = {kScripts[i].inscript, "", ""};
        tables.phonetic[i] = {std::string(kPhoneticLayoutFile), std::string(kPhoneticLibrary),
                              std::string(kReverseLibrary)};
        tables.typewriter[i] = {kScripts[i].typewriterLayout, kScripts[i].typewriterLibrary, ""};
    }
    return tables;
}

KeyboardFileTables KeyboardFileTables::ListDefaults() {
    KeyboardFileTables tables = EditDefaults();
    tables.phonetic[kTibetanRow] = {};
    return tables;
}

KeyboardFileTables& EditKeyboardFiles() {
    static KeyboardFileTables tables = KeyboardFileTables::EditDefaults();
    return tables;
}

KeyboardFileTables& ListKeyboardFiles() {
    static KeyboardFileTables tables = KeyboardFileTables::ListDefaults();
    return tables;
}

bool IsLoadableLayoutName(std::string_view linFile) {
    if (linFile.size() < 5 || linFile.size() > kMaxFileName) return false;
    if (linFile.find_first_of("\\/:") != std::string_view::npos) return false;
    if (linFile.find("..") != std::string_view::npos) return false;
    for (char c : linFile) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
    }
    return EndsWithLin(linFile) && !IsDeviceName(linFile);
}

std::string LibraryOfLayoutFile(std::string_view linFile) {
    if (!IsLoadableLayoutName(linFile)) return {};
    return std::string(linFile.substr(0, linFile.size() - 4)) + "32.dll";
}

}  // namespace vexa::keyboard
