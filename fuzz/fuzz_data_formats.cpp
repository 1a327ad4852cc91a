// The data formats on arbitrary bytes: decoding, encoding, the PC-ISCII
// mappings and the input filters must never overrun, and keep their
// bookkeeping consistent.

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "script/iscii_text.h"
#include "script/pc_iscii.h"
#include "script/seven_bit.h"

using namespace vexa::script;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);

    std::vector<std::uint8_t> counts;
    std::string decoded = DecodeSevenBit(input, &counts);
    FUZZ_CHECK(counts.size() == decoded.size());
    // The decoder without counts takes another path; it must agree.
    FUZZ_CHECK(DecodeSevenBit(input) == decoded);
    FUZZ_CHECK(std::accumulate(counts.begin(), counts.end(), std::size_t{0}) == size);

    std::string encoded = EncodeSevenBit(input);
    FUZZ_CHECK(encoded.size() <= 4 * size);

    std::string pc(input);
    auto* bytes = reinterpret_cast<unsigned char*>(pc.data());
    ToPcIscii(bytes, pc.size());
    FromPcIscii(bytes, pc.size());
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xA1 && data[i] <= 0xEA) FUZZ_CHECK(bytes[i] == data[i]);
    }

    for (int format = 0; format <= 2; ++format) {
        std::string assigned = *AssignedTextFromFormat(input, format);
        for (unsigned char b : assigned) {
            FUZZ_CHECK(b >= 0x20 || b == 0x0D || b == 0x0A || (format == 0 && (b == 0x04 || b == 0x05 || b == 0x1D)));
        }
        // What a reader gets back from stored text is accepted again.
        std::string read = *StoredTextInFormat(assigned, format);
        (void)AssignedTextFromFormat(read, format);
    }
    FUZZ_CHECK(!StoredTextInFormat(input, 3));
    return 0;
}
