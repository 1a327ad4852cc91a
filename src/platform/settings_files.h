#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vexa::platform {

// The per-kind settings files, all in one fixed folder of the machine
// ("C:\" on Windows), named by their bare file names ("VEdit.ini"). Each
// call opens the file with write access denied to other openers and closes
// it before returning.
class SettingsFiles {
public:
    virtual ~SettingsFiles() = default;

    // The whole file; nullopt when it cannot be opened for reading.
    virtual std::optional<std::string> Read(const std::string& fileName) = 0;

    // Opens the file for reading and writing (creating it when it does not
    // open), hands its old contents (nullopt for a new or unreadable file)
    // to `compose`, writes the result from the start of the file and cuts
    // the file there, so no byte of the old contents stays behind the new.
    // False when the file can be neither opened nor created, or the write
    // or the cut fails.
    virtual bool Rewrite(const std::string& fileName,
                         const std::function<std::string(const std::optional<std::string>&)>&
                             compose) = 0;
};

}  // namespace vexa::platform
