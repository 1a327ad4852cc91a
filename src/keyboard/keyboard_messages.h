#pragma once

#include <string>
#include <string_view>

#include "keyboard/keyboard_files.h"

namespace vexa::keyboard {

// Caption of the plain OK boxes of keyboard loading (the module's title).
inline constexpr std::string_view kPlainBoxCaption = "VEXA_OCX";

// Edit control.
inline std::string LayoutMissingText(std::string_view script) {
    return "Layout Support File for " + std::string(script) + " Missing.";
}
inline std::string LayoutCorruptedText(std::string_view script) {
    return "Layout Support File for " + std::string(script) + " Corrupted.";
}
inline std::string LibraryMissingText(std::string_view script) {
    return "Converter Library for " + std::string(script) + " Missing.";
}
inline std::string LibraryCorruptedText(std::string_view script) {
    return "Converter Library for " + std::string(script) + " Corrupted.";
}
inline std::string ReverseMissingText(std::string_view script) {
    return "Reverse Converter Library for " + std::string(script) + " Missing.";
}
inline std::string ReverseCorruptedText(std::string_view script) {
    return "Reverse Converter Library for " + std::string(script) + " Corrupted.";
}

// List box: the keyboard's name in its messages.
inline std::string_view ListKeyboardName(KeyboardKind kind) {
    switch (kind) {
        case KeyboardKind::Phonetic: return "Phonetic English Keyboard";
        case KeyboardKind::Typewriter: return "Typewriter Keyboard";
        case KeyboardKind::Inscript: break;
    }
    return "Inscript Keyboard";
}
inline std::string ListCannotOpenText(std::string_view file, KeyboardKind kind) {
    return std::string(file) + " could not be opened for " + std::string(ListKeyboardName(kind));
}
inline std::string ListCannotReadText(std::string_view file, KeyboardKind kind) {
    return std::string(file) + " could not be read for " + std::string(ListKeyboardName(kind));
}

// Property pages, when a typewriter library cannot be loaded.
inline constexpr std::string_view kTypewriterDllText = "Typewriter Dll couldn't be loaded";

}  // namespace vexa::keyboard
