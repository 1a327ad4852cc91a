#pragma once

#include <map>
#include <set>

#include "platform/settings_files.h"

namespace vexa::sim {

// Settings files in memory, by file name. A name in `locked` cannot be
// opened at all (another process holds it); `readOnlyFolder` refuses to
// create new files.
class SimSettingsFiles : public platform::SettingsFiles {
public:
    std::optional<std::string> Read(const std::string& fileName) override;
    bool Rewrite(const std::string& fileName,
                 const std::function<std::string(const std::optional<std::string>&)>& compose)
        override;

    std::map<std::string, std::string> files;
    std::set<std::string> locked;
    bool readOnlyFolder = false;
};

}  // namespace vexa::sim
