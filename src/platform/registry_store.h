#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vexa::platform {

// The part of the system registry the module uses: keys under the classes
// root, named by paths with "\" between the parts ("CLSID\{...}\Control").
// String values are REG_SZ stored with their terminating zero; the empty
// value name is the key's default value.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    virtual bool KeyExists(const std::string& path) = 0;
    // Creates the key and any missing parents; true when it exists afterwards.
    virtual bool CreateKey(const std::string& path) = 0;
    // Writes into an existing key; false when the key does not exist.
    virtual bool SetString(const std::string& path, const std::string& name,
                           const std::string& value) = 0;
    // The string value when it exists, is a string, and its size with the
    // terminator fits in `limit` bytes (0 means no limit); else nullopt.
    virtual std::optional<std::string> GetString(const std::string& path, const std::string& name,
                                                 std::size_t limit = 0) = 0;
    virtual bool DeleteValue(const std::string& path, const std::string& name) = 0;
    // Removes the key with all its subkeys; true also when it was absent.
    virtual bool DeleteTree(const std::string& path) = 0;
    virtual std::vector<std::string> SubKeys(const std::string& path) = 0;
    virtual std::vector<std::string> ValueNames(const std::string& path) = 0;
};

}  // namespace vexa::platform
