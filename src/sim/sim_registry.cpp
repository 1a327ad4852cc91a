#include "sim/sim_registry.h"

#include <cctype>

namespace vexa::sim {

std::string SimRegistry::Fold(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool SimRegistry::KeyExists(const std::string& path) { return keys_.count(Fold(path)) != 0; }

bool SimRegistry::CreateKey(const std::string& path) {
    if (KeyExists(path)) return true;
    if (failWrites || path.empty()) return false;
    std::size_t pos = 0;
    for (;;) {
        pos = path.find('\\', pos);
        std::string part = path.substr(0, pos);
        if (!KeyExists(part)) keys_[Fold(part)] = Key{part, {}};
        if (pos == std::string::npos) break;
        ++pos;
    }
    return true;
}

bool SimRegistry::SetString(const std::string& path, const std::string& name,
                            const std::string& value) {
    auto it = keys_.find(Fold(path));
    if (failWrites || it == keys_.end()) return false;
    it->second.values[Fold(name)] = Value{true, value};
    return true;
}

void SimRegistry::SetBinary(const std::string& path, const std::string& name,
                            const std::string& bytes) {
    CreateKey(path);
    keys_[Fold(path)].values[Fold(name)] = Value{false, bytes};
}

std::optional<std::string> SimRegistry::GetString(const std::string& path, const std::string& name,
                                                  std::size_t limit) {
    auto it = keys_.find(Fold(path));
    if (it == keys_.end()) return std::nullopt;
    auto v = it->second.values.find(Fold(name));
    if (v == it->second.values.end() || !v->second.isString) return std::nullopt;
    if (limit != 0 && v->second.data.size() + 1 > limit) return std::nullopt;
    return v->second.data;
}

bool SimRegistry::DeleteValue(const std::string& path, const std::string& name) {
    auto it = keys_.find(Fold(path));
    if (failWrites || it == keys_.end()) return false;
    return it->second.values.erase(Fold(name)) != 0;
}

bool SimRegistry::DeleteTree(const std::string& path) {
    if (failWrites) return false;
    std::string folded = Fold(path);
    for (auto it = keys_.begin(); it != keys_.end();) {
        const std::string& k = it->first;
        bool under = k == folded || (k.size() > folded.size() && k.compare(0, folded.size(), folded) == 0 &&
                                     k[folded.size()] == '\\');
        it = under ? keys_.erase(it) : std::next(it);
    }
    return true;
}

std::vector<std::string> SimRegistry::SubKeys(const std::string& path) {
    std::vector<std::string> out;
    std::string prefix = Fold(path) + "\\";
    for (const auto& [k, key] : keys_) {
        if (k.size() > prefix.size() && k.compare(0, prefix.size(), prefix) == 0 &&
            k.find('\\', prefix.size()) == std::string::npos)
            out.push_back(key.name.substr(prefix.size()));
    }
    return out;
}

std::vector<std::string> SimRegistry::ValueNames(const std::string& path) {
    std::vector<std::string> out;
    auto it = keys_.find(Fold(path));
    if (it == keys_.end()) return out;
    for (const auto& [n, v] : it->second.values) out.push_back(n);
    return out;
}

std::vector<std::string> SimRegistry::AllKeys() const {
    std::vector<std::string> out;
    for (const auto& [k, key] : keys_) out.push_back(key.name);
    return out;
}

}  // namespace vexa::sim
