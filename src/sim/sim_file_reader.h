#pragma once

#include <string>
#include <vector>

#include "platform/file_reader.h"

namespace vexa::sim {

// Reads real files of the host; records every path it was asked for.
class SimFileReader : public platform::FileReader {
public:
    std::optional<std::string> Read(const std::string& directory, const std::string& fileName,
                                    std::size_t limit) override;

    const std::vector<std::string>& RequestedPaths() const { return requested_; }

private:
    std::vector<std::string> requested_;
};

}  // namespace vexa::sim
