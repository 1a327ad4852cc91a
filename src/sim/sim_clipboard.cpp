#include "sim/sim_clipboard.h"

namespace vexa::sim {

unsigned SimClipboard::RegisterFormat(std::string_view name) {
    if (name.empty()) return 0;
    auto [it, added] =
        names_.emplace(std::string(name), 0xC000u + static_cast<unsigned>(names_.size()));
    return it->second;
}

bool SimClipboard::Open() {
    if (open_ || heldElsewhere_) return false;
    open_ = true;
    ++opens_;
    return true;
}

void SimClipboard::Close() { open_ = false; }

bool SimClipboard::Empty() {
    if (!open_) return false;
    data_.clear();
    return true;
}

bool SimClipboard::SetData(unsigned format, std::string_view block) {
    if (!open_ || failSetData_ || format == 0) return false;
    data_[format] = std::string(block);
    return true;
}

std::optional<std::string> SimClipboard::GetData(unsigned format) {
    if (!open_) return std::nullopt;
    auto it = data_.find(format);
    if (it == data_.end()) return std::nullopt;
    return it->second;
}

}  // namespace vexa::sim
