#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vexa::keyboard {

// The keyboard kinds of `KeyboardType`.
enum class KeyboardKind : int { Inscript = 0, Phonetic = 1, Typewriter = 2 };

// The files one script uses with one keyboard kind, looked up in the system
// directory. Empty means "none".
struct KeyboardFileRow {
    std::string layoutFile;
    std::string keyboardLibrary;
    std::string reverseLibrary;

    friend bool operator==(const KeyboardFileRow&, const KeyboardFileRow&) = default;
};

// One row per script of the first 14 rows of the script catalogue, indexed
// by the script's row number ("Vedic", row 14, has none).
inline constexpr int kKeyboardFileRows = 14;
using KeyboardFileTable = std::array<KeyboardFileRow, kKeyboardFileRows>;

struct KeyboardFileTables {
    KeyboardFileTable inscript;
    KeyboardFileTable phonetic;
    KeyboardFileTable typewriter;

    const KeyboardFileTable& Of(KeyboardKind kind) const;

    // The tables as the edit control starts with them.
    static KeyboardFileTables EditDefaults();
    // The list box's copy: as the edit control's, but with no phonetic
    // files for "Tibetan".
    static KeyboardFileTables ListDefaults();

    friend bool operator==(const KeyboardFileTables&, const KeyboardFileTables&) = default;
};

// The copies of the process: the typewriter library names are rewritten at
// run time and the change lasts until the module is unloaded.
KeyboardFileTables& EditKeyboardFiles();
KeyboardFileTables& ListKeyboardFiles();

// The common files of the phonetic keyboard.
inline constexpr std::string_view kPhoneticLayoutFile = "pe1lay.lin";
inline constexpr std::string_view kPhoneticLibrary = "pe1lay32.dll";
inline constexpr std::string_view kReverseLibrary = "rc2as32.dll";

// Longest layout-file name the tables hold.
inline constexpr std::size_t kMaxFileName = 24;

// True when `linFile` may name a layout file to load: a bare file name (no
// '\', '/' or ':', no ".."), 5 to 24 characters, ending in ".lin" in any
// case, and not a reserved device name (platform::IsReservedDeviceName).
// Anything else could reach files and libraries outside the system
// directory, or a device whose read never ends.
bool IsLoadableLayoutName(std::string_view linFile);

// The typewriter library of a layout file: the name less ".lin", then
// "32.dll" ("dv1lay.lin" gives "dv1lay32.dll"). Empty when the name is not
// loadable.
std::string LibraryOfLayoutFile(std::string_view linFile);

}  // namespace vexa::keyboard
