#pragma once

#include "sim/sim_platform.h"

namespace vexa::test {

// A simulated platform whose system directory holds the test converters.
class FixturePlatform : public sim::SimPlatform {
public:
    FixturePlatform() : sim::SimPlatform(VEXA_FIXTURE_DIR) {}
};

inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

}  // namespace vexa::test
