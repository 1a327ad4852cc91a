#pragma once

#include "platform/registry_store.h"

namespace vexa::win32 {

// The registry store over HKEY_CLASSES_ROOT.
class Win32Registry : public platform::RegistryStore {
public:
    bool KeyExists(const std::string& path) override;
    bool CreateKey(const std::string& path) override;
    bool SetString(const std::string& path, const std::string& name,
                   const std::string& value) override;
    std::optional<std::string> GetString(const std::string& path, const std::string& name,
                                         std::size_t limit = 0) override;
    bool DeleteValue(const std::string& path, const std::string& name) override;
    bool DeleteTree(const std::string& path) override;
    std::vector<std::string> SubKeys(const std::string& path) override;
    std::vector<std::string> ValueNames(const std::string& path) override;
};

}  // namespace vexa::win32
