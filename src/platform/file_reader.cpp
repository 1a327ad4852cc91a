#include "platform/file_reader.h"

namespace vexa::platform {

std::string JoinPath(const std::string& directory, const std::string& fileName, char separator) {
    if (directory.empty()) return fileName;
    char last = directory.back();
    if (last == '\\' || last == '/') return directory + fileName;
    return directory + separator + fileName;
}

}  // namespace vexa::platform
