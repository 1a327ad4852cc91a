#include "sim/sim_file_reader.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/device_names.h"

namespace vexa::sim {

platform::FileKind SimFileReader::Probe(const std::string& directory,
                                        const std::string& fileName) {
    std::string path = platform::JoinPath(directory, fileName, '/');
    probed_.push_back(path);
    if (directory.empty() || platform::IsReservedDeviceName(fileName)) {
        return platform::FileKind::Missing;
    }
    // stat() only, as GetFileAttributesW on Windows: nothing is opened.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found ||
        status.type() == std::filesystem::file_type::none) {
        return platform::FileKind::Missing;
    }
    return status.type() == std::filesystem::file_type::regular ? platform::FileKind::Regular
                                                                 : platform::FileKind::Other;
}

std::optional<std::string> SimFileReader::Read(const std::string& directory,
                                               const std::string& fileName, std::size_t limit) {
    std::string path = platform::JoinPath(directory, fileName, '/');
    requested_.push_back(path);
    if (Probe(directory, fileName) != platform::FileKind::Regular) return std::nullopt;
    ++opens_;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

}  // namespace vexa::sim
