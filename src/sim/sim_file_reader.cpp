#include "sim/sim_file_reader.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vexa::sim {

std::optional<std::string> SimFileReader::Read(const std::string& directory,
                                               const std::string& fileName, std::size_t limit) {
    std::string path = platform::JoinPath(directory, fileName, '/');
    requested_.push_back(path);
    if (directory.empty()) return std::nullopt;  // never relative to the current directory
    // Only regular files: a device or a pipe may never end, a folder reads
    // as nothing.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

}  // namespace vexa::sim
