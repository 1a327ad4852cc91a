#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vexa::platform {

// What a path names, as far as its attributes tell.
enum class FileKind {
    Missing,  // nothing there, or a reserved device name (never asked about)
    Regular,  // a regular file
    Other,    // a folder, a device, a pipe
};

// Reads outside data files (keyboard layout files) by full path, and tells
// what a path names before anything opens it.
class FileReader {
public:
    virtual ~FileReader() = default;

    // The kind of `directory`/`fileName` from its attributes alone: the file
    // is never opened to find out, since opening a device (a serial port,
    // the console) may never return. A reserved device name
    // (IsReservedDeviceName) is Missing without asking the file system; so
    // is any name when `directory` is empty (never relative to the current
    // directory).
    virtual FileKind Probe(const std::string& directory, const std::string& fileName) = 0;

    // Reads up to `limit` bytes from the start of `directory`/`fileName`, in
    // binary mode, when Probe calls it a regular file. Nothing otherwise, or
    // when the file cannot be opened.
    virtual std::optional<std::string> Read(const std::string& directory,
                                            const std::string& fileName,
                                            std::size_t limit) = 0;
};

// `directory` and `fileName` joined by exactly one `separator`; a directory
// that already ends with a slash or backslash (a drive root) gets none.
std::string JoinPath(const std::string& directory, const std::string& fileName, char separator);

}  // namespace vexa::platform
