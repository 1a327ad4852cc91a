#pragma once

#include <map>
#include <set>

#include "platform/registry_store.h"

namespace vexa::sim {

// An in-memory registry. Keys compare without regard to case, as the
// system's do. `failWrites` makes every change fail, as a registry without
// write access does.
class SimRegistry : public platform::RegistryStore {
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

    // Stores a value that is not a string (for tests of the readers).
    void SetBinary(const std::string& path, const std::string& name, const std::string& bytes);

    // Every key, in sorted order, for comparisons in tests.
    std::vector<std::string> AllKeys() const;

    bool failWrites = false;

private:
    struct Value {
        bool isString;
        std::string data;
    };
    struct Key {
        std::string name;  // as first created
        std::map<std::string, Value> values;  // by lower-case name
    };
    static std::string Fold(const std::string& s);
    std::map<std::string, Key> keys_;  // by folded path
};

}  // namespace vexa::sim
