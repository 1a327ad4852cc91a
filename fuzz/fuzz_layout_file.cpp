// The layout file reader and the layout source parser on arbitrary bytes:
// a file reads only when it has 864 bytes or more, every output it gives is
// 0 to 8 bytes without 0x00, and writing a read layout reads back the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "keyboard/layout_file.h"
#include "keyboard/layout_source.h"

using namespace vexa::keyboard;

namespace {

void CheckEntries(const KeyboardLayout& layout) {
    for (const LayoutEntry& e : layout) {
        for (const KeyText* t : {&e.plain, &e.shifted}) {
            FUZZ_CHECK(t->Size() <= KeyText::kMaxBytes);
            FUZZ_CHECK(t->View().find('\0') == std::string_view::npos);
        }
        FUZZ_CHECK(e.vedic.Empty());
    }
}

void CheckRoundTrip(const KeyboardLayout& layout) {
    std::string file = WriteLayoutFile(layout);
    FUZZ_CHECK(file.size() == kLayoutFileSize);
    KeyboardLayout back{};
    FUZZ_CHECK(ReadLayoutFile(file, back));
    FUZZ_CHECK(back == layout);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Short inputs are padded up to a whole file now and then, so the
    // successful path is reached as often as the failing one.
    std::string padded(bytes);
    if (size % 2 == 1 && padded.size() < kLayoutFileSize) padded.resize(kLayoutFileSize, '\0');

    KeyboardLayout layout{};
    layout[7].plain = KeyText{'k'};
    KeyboardLayout before = layout;
    bool read = ReadLayoutFile(padded, layout);
    FUZZ_CHECK(read == (padded.size() >= kLayoutFileSize));
    if (read) {
        CheckEntries(layout);
        CheckRoundTrip(layout);
    } else {
        FUZZ_CHECK(layout == before);
    }

    // The same bytes as a layout source, including itself.
    auto resolve = [&](const std::string&) -> std::optional<std::string> {
        return std::string(bytes);
    };
    LayoutSource source = ParseLayoutSource(bytes, resolve);
    if (source.Ok()) {
        CheckRoundTrip(source.layout);
    } else {
        FUZZ_CHECK(source.layout == KeyboardLayout{});
    }
    return 0;
}
