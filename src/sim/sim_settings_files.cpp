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
    std::optional<std::string> old;
    if (it != files.end()) {
        old = it->second;
    } else {
        if (readOnlyFolder) return false;
        it = files.emplace(fileName, std::string()).first;
    }
    it->second = compose(old);  // written from the start and cut to its length
    return true;
}

}  // namespace vexa::sim
