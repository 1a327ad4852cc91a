#include "keyboard/keyboard_files.h"

#include <cctype>

#include "platform/device_names.h"

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
    return EndsWithLin(linFile) && !platform::IsReservedDeviceName(linFile);
}

std::string LibraryOfLayoutFile(std::string_view linFile) {
    if (!IsLoadableLayoutName(linFile)) return {};
    return std::string(linFile.substr(0, linFile.size() - 4)) + "32.dll";
}

}  // namespace vexa::keyboard
