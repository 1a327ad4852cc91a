#pragma once

#include <string>
#include <vector>

#include "platform/file_reader.h"

namespace vexa::sim {

// Reads real files of the host; records every path it was asked to read and
// counts the files it opened, so tests can see that probing opens nothing.
class SimFileReader : public platform::FileReader {
public:
    platform::FileKind Probe(const std::string& directory, const std::string& fileName) override;
    std::optional<std::string> Read(const std::string& directory, const std::string& fileName,
                                    std::size_t limit) override;

    const std::vector<std::string>& RequestedPaths() const { return requested_; }
    const std::vector<std::string>& ProbedPaths() const { return probed_; }
    // Files opened so far (each read of a regular file opens it once).
    int Opens() const { return opens_; }

private:
    std::vector<std::string> requested_;
    std::vector<std::string> probed_;
    int opens_ = 0;
};

}  // namespace vexa::sim
