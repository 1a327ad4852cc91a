#pragma once

#include "platform/settings_files.h"

namespace vexa::win32 {

// Settings files in the root folder of drive C, opened with write access
// denied to other openers.
class Win32SettingsFiles : public platform::SettingsFiles {
public:
    explicit Win32SettingsFiles(std::string folder = "C:\\") : folder_(std::move(folder)) {}
    std::optional<std::string> Read(const std::string& fileName) override;
    bool Rewrite(const std::string& fileName,
                 const std::function<std::string(const std::optional<std::string>&)>& compose)
        override;

private:
    std::string folder_;
};

}  // namespace vexa::win32
