#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vexa::platform {

// Reads outside data files (keyboard layout files) by full path.
class FileReader {
public:
    virtual ~FileReader() = default;

    // Reads up to `limit` bytes from the start of `directory`/`fileName`, in
    // binary mode. Nothing when the file cannot be opened.
    virtual std::optional<std::string> Read(const std::string& directory,
                                            const std::string& fileName,
                                            std::size_t limit) = 0;
};

// `directory` and `fileName` joined by exactly one `separator`; a directory
// that already ends with a slash or backslash (a drive root) gets none.
std::string JoinPath(const std::string& directory, const std::string& fileName, char separator);

}  // namespace vexa::platform
