#include "keyboard/keyboard_loader.h"

#include "keyboard/keyboard_messages.h"
#include "keyboard/layout_file.h"
#include "script/script_catalogue.h"

namespace vexa::keyboard {

namespace {

constexpr std::string_view kVedic = "Vedic";

void Tell(const platform::Platform& platform, const std::string& text) {
    platform.messages.Show(std::string(kPlainBoxCaption), text, platform::MessageButtons::Ok,
                           platform::MessageIcon::None);
}

bool IsTableRow(int scriptIndex) { return scriptIndex >= 0 && scriptIndex < kKeyboardFileRows; }

int FindScript(std::string_view scriptName) {
    std::optional<int> row = script::ScriptCatalogue::FindRow(scriptName);
    return row ? *row : -1;
}

// The typewriter library of the script follows the layout file the control
// names, whatever its keyboard kind; a name that could reach outside the
// system directory changes nothing.
void RewriteTypewriterRow(KeyboardFileTables& tables, int scriptIndex,
                          const KeyboardSettings& settings) {
    if (settings.scriptName == kVedic || !IsTableRow(scriptIndex)) return;
    std::string library = LibraryOfLayoutFile(settings.linFile);
    if (library.empty()) return;
    tables.typewriter[static_cast<std::size_t>(scriptIndex)].keyboardLibrary = library;
}

// The files an edit control loads for a Phonetic or Typewriter keyboard.
struct EditFiles {
    std::string layoutFile;
    std::string keyboardLibrary;
    std::string reverseLibrary;  // Phonetic only
};

std::optional<EditFiles> FilesFor(int scriptIndex, KeyboardKind kind,
                                  const KeyboardSettings& settings) {
    // "Vedic" has no row of its own: it uses the common phonetic files and
    // the typewriter library named after its layout file.
    bool vedic = settings.scriptName == kVedic && scriptIndex >= 0;
    if (!IsTableRow(scriptIndex) && !vedic) return std::nullopt;
    if (kind == KeyboardKind::Phonetic) {
        if (vedic) {
            return EditFiles{std::string(kPhoneticLayoutFile), std::string(kPhoneticLibrary),
                             std::string(kReverseLibrary)};
        }
        const KeyboardFileRow& row =
            EditKeyboardFiles().phonetic[static_cast<std::size_t>(scriptIndex)];
        return EditFiles{row.layoutFile, row.keyboardLibrary, row.reverseLibrary};
    }
    if (!IsLoadableLayoutName(settings.linFile)) return std::nullopt;
    std::string library =
        vedic ? LibraryOfLayoutFile(settings.linFile)
              : EditKeyboardFiles().typewriter[static_cast<std::size_t>(scriptIndex)].keyboardLibrary;
    return EditFiles{std::string(settings.linFile), library, {}};
}

// Binds one entry; false (after its message) when loading must stop.
template <class Fn>
bool Bind(const platform::Platform& platform, const std::string& file, const char* entry,
          const std::string& missing, const std::string& corrupted, Fn& target) {
    platform::EntryAddress address = nullptr;
    switch (BindKeyboardEntry(platform, file, entry, address)) {
        case EntryLoad::LibraryMissing: Tell(platform, missing); return false;
        case EntryLoad::EntryMissing: Tell(platform, corrupted); return false;
        case EntryLoad::Bound: break;
    }
    target = reinterpret_cast<Fn>(address);
    return true;
}

}  // namespace

void LoadKeyboardSupport(const platform::Platform& platform, const KeyboardSettings& settings,
                         EditKeyboardState& state) {
    script::ScriptCatalogue::SetReach(settings.fontType);
    state.scriptIndex = FindScript(settings.scriptName);
    RewriteTypewriterRow(EditKeyboardFiles(), state.scriptIndex, settings);

    if (settings.keyboardType != static_cast<int>(KeyboardKind::Phonetic) &&
        settings.keyboardType != static_cast<int>(KeyboardKind::Typewriter)) {
        return;  // Inscript types from the built-in layouts
    }
    auto kind = static_cast<KeyboardKind>(settings.keyboardType);
    std::string_view script = settings.scriptName;

    std::optional<EditFiles> files = FilesFor(state.scriptIndex, kind, settings);
    std::optional<std::string> bytes;
    if (files && !files->layoutFile.empty()) {
        bytes = platform.files.Read(platform.paths.SystemDirectory(), files->layoutFile,
                                    kLayoutFileSize);
    }
    if (!bytes) {
        Tell(platform, LayoutMissingText(script));
        return;
    }
    if (!ReadLayoutFile(*bytes, EditFileLayout())) Tell(platform, LayoutCorruptedText(script));

    if (!Bind(platform, files->keyboardLibrary, VEXA_MAKE_ISCII_ENTRY, LibraryMissingText(script),
              LibraryCorruptedText(script), state.binding.makeIscii)) {
        return;
    }
    if (kind == KeyboardKind::Phonetic) {
        Bind(platform, files->reverseLibrary, VEXA_ISCII2ASCII_ENTRY, ReverseMissingText(script),
             ReverseCorruptedText(script), state.binding.iscii2Ascii);
    }
}

int LoadListKeyboard(const platform::Platform& platform, const KeyboardSettings& settings) {
    int scriptIndex = FindScript(settings.scriptName);
    RewriteTypewriterRow(ListKeyboardFiles(), scriptIndex, settings);
    // No row ("Vedic", or a script not in reach): nothing to read.
    if (!IsTableRow(scriptIndex)) return scriptIndex;
    if (settings.keyboardType < 0 || settings.keyboardType > 2) return scriptIndex;

    auto kind = static_cast<KeyboardKind>(settings.keyboardType);
    const std::string& file =
        ListKeyboardFiles().Of(kind)[static_cast<std::size_t>(scriptIndex)].layoutFile;
    if (file.empty()) return scriptIndex;  // the script has no such layout

    std::optional<std::string> bytes =
        platform.files.Read(platform.paths.SystemDirectory(), file, kLayoutFileSize);
    if (!bytes) {
        if (kind != KeyboardKind::Inscript) Tell(platform, ListCannotOpenText(file, kind));
        return scriptIndex;
    }
    if (!ReadLayoutFile(*bytes, ListFileLayout())) Tell(platform, ListCannotReadText(file, kind));
    return scriptIndex;
}

}  // namespace vexa::keyboard
