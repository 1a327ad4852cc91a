#include "keyboard/keyboard_library.h"

#include <cstring>
#include <memory>
#include <vector>

#include "platform/family_library.h"

namespace vexa::keyboard {

namespace {

// Room given to a library for an input of n bytes: twice the contract's
// 2n + 32, so a library that overruns the contract a little still writes
// into memory of ours.
std::size_t GuardedSize(std::size_t n) { return 4 * n + 64; }

template <class Fn>
std::string Call(Fn fn, std::string_view input, bool presetEmpty) {
    if (fn == nullptr) return {};
    std::size_t end = input.find('\0');
    std::string in(input.substr(0, end));
    std::vector<unsigned char> out(GuardedSize(in.size()), 0);
    if (presetEmpty) out[0] = 0;
    fn(reinterpret_cast<const unsigned char*>(in.c_str()), out.data());
    out.back() = 0;
    return std::string(reinterpret_cast<const char*>(out.data()));
}

struct KeptLibrary {
    platform::LibraryLoader* loader;
    std::string file;
    platform::FamilyLibrary library;
};

// Libraries stay loaded once loaded. The table lives on the heap and is never
// destroyed by itself, so no library is freed through a loader that is
// already gone when the process ends.
std::vector<KeptLibrary>& Kept() {
    static auto* kept = new std::vector<KeptLibrary>();
    return *kept;
}

}  // namespace

std::string CallMakeIscii(VexaMakeIsciiFn makeIscii, std::string_view keys) {
    return Call(makeIscii, keys, false);
}

std::string CallIscii2Ascii(VexaIscii2AsciiFn iscii2Ascii, std::string_view iscii) {
    return Call(iscii2Ascii, iscii, true);
}

bool KeyboardBinding::CanCompose(KeyboardKind kind) const {
    switch (kind) {
        case KeyboardKind::Inscript: return true;
        case KeyboardKind::Phonetic: return makeIscii != nullptr && iscii2Ascii != nullptr;
        case KeyboardKind::Typewriter: return makeIscii != nullptr;
    }
    return false;
}

EntryLoad BindKeyboardEntry(const platform::Platform& platform, const std::string& file,
                            const std::string& entry, platform::EntryAddress& address) {
    address = nullptr;
    if (file.empty()) return EntryLoad::LibraryMissing;
    const platform::FamilyLibrary* library = nullptr;
    for (const KeptLibrary& kept : Kept()) {
        if (kept.loader == &platform.libraries && kept.file == file) library = &kept.library;
    }
    if (library == nullptr) {
        platform::FamilyLibrary opened = platform::FamilyLibrary::Open(platform, file);
        if (!opened.IsLoaded()) return EntryLoad::LibraryMissing;
        Kept().push_back({&platform.libraries, file, std::move(opened)});
        library = &Kept().back().library;
    }
    address = library->FindEntry(entry);
    return address != nullptr ? EntryLoad::Bound : EntryLoad::EntryMissing;
}

void ReleaseKeyboardLibraries(platform::LibraryLoader& loader) {
    std::vector<KeptLibrary>& kept = Kept();
    for (auto it = kept.begin(); it != kept.end();) {
        if (it->loader == &loader) {
            it = kept.erase(it);
        } else {
            ++it;
        }
    }
}

int KeptKeyboardLibraries(const platform::LibraryLoader& loader) {
    int count = 0;
    for (const KeptLibrary& kept : Kept()) {
        if (kept.loader == &loader) ++count;
    }
    return count;
}

TypewriterName ReadTypewriterName(const platform::Platform& platform, std::string_view linFile) {
    TypewriterName result;
    std::string file = LibraryOfLayoutFile(linFile);
    if (file.empty()) return result;
    platform::FamilyLibrary library = platform::FamilyLibrary::Open(platform, file);
    if (!library.IsLoaded()) return result;
    result.loaded = true;
    auto getName =
        reinterpret_cast<VexaGetLayNameFn>(library.FindEntry(VEXA_GET_LAY_NAME_ENTRY));
    if (getName == nullptr) return result;
    // Far more room than the 28 bytes of the contract, terminated at its end.
    std::vector<char> out(256, 0);
    getName(out.data());
    out.back() = 0;
    result.name = std::string(out.data());
    return result;
}

}  // namespace vexa::keyboard
