#include "sim/sim_settings_files.h"

namespace vexa::sim {

std::optional<std::string> SimSettingsFiles::Read(const std::string& fileName) {
    if (locked.count(fileName)) return std::nullopt;
    auto it = files.find(fileName);
    if (it == files.end()) return std::nullopt;
    return it->second;
}

bool SimSettingsFiles::Rewrite(
    const std::string& fileName,
    const std::function<std::string(const std::optional<std::string>&)>& compose) {
    if (locked.count(fileName)) return false;
    auto it = files.find(fileName);
    if (it == files.end()) {
        if (readOnlyFolder) return false;
        it = files.emplace(fileName, std::string()).first;
    }
    std::optional<std::string> old = it->second;
    std::string fresh = compose(old);
    std::string& data = it->second;
    if (fresh.size() >= data.size()) {
        data = fresh;
    } else {
        data.replace(0, fresh.size(), fresh);  // the tail stays
    }
    return true;
}

}  // namespace vexa::sim
