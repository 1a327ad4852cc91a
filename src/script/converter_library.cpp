#include "script/converter_library.h"

#include <cstring>

namespace vexa::script {

bool ConverterLibrary::Load(std::string_view file, std::string_view entry) {
    Unload();
    library_ = platform::FamilyLibrary::Open(platform_, std::string(file));
    if (!library_.IsLoaded()) return false;
    function_ = reinterpret_cast<VexaConvertSyllableFn>(library_.FindEntry(std::string(entry)));
    if (function_ == nullptr) library_.Release();
    return function_ != nullptr;
}

void ConverterLibrary::Unload() {
    function_ = nullptr;
    library_.Release();
}

SyllableGlyphs ConverterLibrary::ConvertSyllable(const unsigned char* at, std::size_t remaining) {
    if (remaining == 0) return {{}, 1};
    if (function_ == nullptr) {
        output_[0] = static_cast<char>(at[0]);
        output_[1] = '1';
        return {at[0] == ' ' ? std::string_view() : std::string_view(output_.data(), 2), 1};
    }
    output_.fill(0);
    int consumed = 0;
    int reserved = 0;
    function_(at, output_.data(), &consumed, &reserved, 0);
    // A converter that writes past its limit must still leave a terminated
    // string behind.
    output_.back() = 0;
    std::size_t used = consumed < 1 ? 1 : static_cast<std::size_t>(consumed);
    if (used > remaining) used = remaining;
    return {std::string_view(output_.data(), std::strlen(output_.data())), used};
}

}  // namespace vexa::script
