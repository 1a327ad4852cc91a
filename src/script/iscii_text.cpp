#include "script/iscii_text.h"

#include "script/pc_iscii.h"
#include "script/seven_bit.h"

namespace vexa::script {

namespace {

constexpr unsigned char kCarriageReturn = 0x0D;
constexpr unsigned char kLineFeed = 0x0A;

bool IsLineEndByte(unsigned char b) { return b == 0x0D || b == 0x04 || b == 0x05 || b == 0x1D; }

bool SkipsNextByte(unsigned char b) { return b == 0x1F || b == 0xEF || b == 0xF0; }

unsigned char* Bytes(std::string& s) { return reinterpret_cast<unsigned char*>(s.data()); }

}  // namespace

std::string FilterEightBitInput(std::string_view input) {
    std::string out;
    out.reserve(input.size() + input.size() / 8);
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto b = static_cast<unsigned char>(input[i]);
        if (SkipsNextByte(b)) {
            ++i;  // the byte after goes too; past the end the loop simply stops
            continue;
        }
        if (b == kLineFeed) {
            if (i > 0 && static_cast<unsigned char>(input[i - 1]) != kCarriageReturn) {
                out += static_cast<char>(kCarriageReturn);
            }
            out += static_cast<char>(b);
        } else if (IsLineEndByte(b) || (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xEA)) {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::string FilterDecodedInput(std::string_view decoded) {
    std::string out;
    out.reserve(decoded.size());
    for (char c : decoded) {
        auto b = static_cast<unsigned char>(c);
        if (b == 0x04 || b == 0x05) b = 0x20;
        if (b == kCarriageReturn || b == kLineFeed || (b >= 0x20 && b != 0x7F)) {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::optional<std::string> StoredTextInFormat(std::string_view stored, int format) {
    switch (static_cast<IsciiDataFormat>(format)) {
        case IsciiDataFormat::EightBit:
            return std::string(stored);
        case IsciiDataFormat::SevenBit:
            return EncodeSevenBit(stored);
        case IsciiDataFormat::PcIscii: {
            std::string out(stored);
            ToPcIscii(Bytes(out), out.size());
            return out;
        }
    }
    return std::nullopt;
}

std::optional<std::string> AssignedTextFromFormat(std::string_view input, int format) {
    switch (static_cast<IsciiDataFormat>(format)) {
        case IsciiDataFormat::EightBit:
            return FilterEightBitInput(input);
        case IsciiDataFormat::SevenBit:
            return FilterDecodedInput(DecodeSevenBit(input));
        case IsciiDataFormat::PcIscii: {
            std::string mapped(input);
            FromPcIscii(Bytes(mapped), mapped.size());
            return FilterDecodedInput(mapped);
        }
    }
    return std::nullopt;
}

}  // namespace vexa::script
