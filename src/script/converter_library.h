#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/family_library.h"
#include "script/converter_abi.h"

namespace vexa::script {

// What the converter made of one syllable.
struct SyllableGlyphs {
    // The converter's output up to its terminator: glyph/digit pairs.
    std::string_view output;
    // Source bytes used, always at least 1 and never past the terminator.
    std::size_t consumed;
};

// Calls fn(glyph, inExtensionFont) for each glyph of a converter output. A
// lone trailing byte is a glyph of the script font.
template <class Fn>
void ForEachGlyph(std::string_view output, Fn&& fn) {
    std::size_t i = 0;
    for (; i + 1 < output.size(); i += 2) {
        fn(static_cast<unsigned char>(output[i]), output[i + 1] == '2');
    }
    if (i < output.size()) fn(static_cast<unsigned char>(output[i]), false);
}

// A control's binding to the converter library of its current script.
class ConverterLibrary {
public:
    explicit ConverterLibrary(const platform::Platform& platform) : platform_(platform) {}

    // Releases any library held, then loads `file` from the trusted
    // directories and looks up `entry`. True when the function was found.
    bool Load(std::string_view file, std::string_view entry);
    void Unload();

    bool HasFunction() const { return function_ != nullptr; }

    // Converts the syllable at `at`, where at[remaining] is the terminating
    // NUL and no byte before it is NUL. Without a function (or when the
    // converter misbehaves) the result stays sound: the byte itself as a
    // script glyph (nothing for a space), consumed 1.
    SyllableGlyphs ConvertSyllable(const unsigned char* at, std::size_t remaining);

private:
    static constexpr std::size_t kOutputSize = 256;

    const platform::Platform& platform_;
    platform::FamilyLibrary library_;
    VexaConvertSyllableFn function_ = nullptr;
    std::array<char, kOutputSize> output_{};
};

}  // namespace vexa::script
