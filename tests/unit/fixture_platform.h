#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>

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

// A file's bytes; nothing when it cannot be opened.
inline std::optional<std::string> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A folder of the test's own under the temporary directory, removed with
// everything in it at the end.
struct TempDirectory {
    explicit TempDirectory(const std::string& prefix)
        : path(std::filesystem::temp_directory_path() / (prefix + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path);
    }
    ~TempDirectory() { std::filesystem::remove_all(path); }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    // Copies `name` from `from` into the folder.
    void Copy(const std::string& from, const std::string& name) const {
        std::filesystem::copy_file(std::filesystem::path(from) / name, path / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }

    const std::filesystem::path path;
};

}  // namespace vexa::test
