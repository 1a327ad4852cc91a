// Feeds a fuzz entry a fixed series of pseudo-random inputs: short and long,
// uniform bytes and bytes drawn from a small alphabet of interesting values,
// so that ordinary test runs cover the same code as the fuzzer does.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main() {
    std::mt19937 random(20261206);
    const std::uint8_t interesting[] = {0x00, 0x01, 0x04, 0x05, 0x09, 0x0A, 0x0D, 0x1D, 0x1E,
                                        0x1F, 0x20, 'x',  'C',  's',  'v',  'a',  'z',  0x7F,
                                        0x80, 0xA0, 0xA1, 0xB3, 0xDA, 0xE8, 0xE9, 0xEF, 0xF0};
    constexpr int kRuns = 20000;
    std::vector<std::uint8_t> input;
    for (int run = 0; run < kRuns; ++run) {
        std::size_t size = run % 100 == 0 ? random() % 4096 : random() % 64;
        bool fromAlphabet = run % 2 == 0;
        input.resize(size);
        for (auto& byte : input) {
            byte = fromAlphabet ? interesting[random() % sizeof interesting]
                                : static_cast<std::uint8_t>(random());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("replayed %d inputs\n", kRuns);
    return 0;
}
