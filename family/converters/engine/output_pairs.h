#pragma once

// Writes (glyph code, font digit) pairs into a converter's output buffer,
// never past the bytes a converter may use, and always NUL-terminated.

#include "script/converter_abi.h"

namespace vexa::family::engine {

class OutputPairs {
public:
    explicit OutputPairs(char* output) : output_(output) { output_[0] = 0; }

    // Returns false (and writes nothing) when the pair would not fit.
    bool Add(unsigned char code, char digit) {
        if (used_ + 2 >= VEXA_CONVERTER_OUTPUT_LIMIT) return false;
        output_[used_++] = static_cast<char>(code);
        output_[used_++] = digit;
        output_[used_] = 0;
        return true;
    }

    int size() const { return used_; }

private:
    char* output_;
    int used_ = 0;
};

}  // namespace vexa::family::engine
