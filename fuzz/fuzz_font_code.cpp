// The conversion loop on arbitrary text, through well-behaved and
// misbehaving converters and without one: it must stop, never read past the
// text, and always open the run with a switch byte.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "script/converter_library.h"
#include "script/font_code.h"
#include "sim/sim_platform.h"

using namespace vexa;

namespace {

struct Converters {
    sim::SimPlatform platform{VEXA_FIXTURE_DIR};
    script::ConverterLibrary none{platform};
    script::ConverterLibrary good{platform};
    script::ConverterLibrary zero{platform};
    script::ConverterLibrary huge{platform};
    script::ConverterLibrary overlong{platform};
    script::ConverterLibrary odd{platform};

    Converters() {
        FUZZ_CHECK(good.Load("DVBCV32.DLL", "iscii2devzirvo"));
        FUZZ_CHECK(zero.Load("ZEROCV32.DLL", "convert"));
        FUZZ_CHECK(huge.Load("HUGECV32.DLL", "convert"));
        FUZZ_CHECK(overlong.Load("LONGCV32.DLL", "convert"));
        FUZZ_CHECK(odd.Load("ODDCV32.DLL", "convert"));
    }

    script::ConverterLibrary& Pick(std::uint8_t selector) {
        script::ConverterLibrary* all[] = {&none, &good, &zero, &huge, &overlong, &odd};
        return *all[selector % 6];
    }
};

bool IsSwitch(unsigned char b) { return b == 0x02 || b == 0x03 || b == 0x06; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Converters converters;
    if (size == 0) return 0;
    script::ConverterLibrary& converter = converters.Pick(data[0]);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string run = script::ToFontCodeRun(converter, text, false);
    FUZZ_CHECK(!run.empty() && IsSwitch(static_cast<unsigned char>(run[0])));

    // Unless the converter claims bytes beyond its syllable, every English
    // byte before the first NUL reaches the run (line feeds excepted).
    if (&converter != &converters.huge) {
        std::size_t english = 0;
        for (unsigned char b : text.substr(0, text.find('\0'))) {
            if (b < 0xA0 && b != 0x0A && b != 0x01 && b != 0x20) ++english;
        }
        FUZZ_CHECK(run.size() >= english);
    }

    std::string plain = script::ToPlainFontCode(converter, text, false);
    FUZZ_CHECK(plain.size() <= run.size());
    FUZZ_CHECK(script::ToFontCodeRun(converter, text, true) == text);
    return 0;
}
