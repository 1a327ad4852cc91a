#include "sim/sim_fonts.h"

namespace vexa::sim {

SimFonts::SimFonts() : default_(Uniform(10)), system_(Uniform(8)) {}

platform::CharWidthTable SimFonts::Uniform(int width) {
    platform::CharWidthTable table;
    table.fill(width);
    return table;
}

std::unique_ptr<platform::Font> SimFonts::Create(const platform::FontDescription& description) {
    ++created_;
    return std::make_unique<SimFont>(*this, description);
}

void SimFonts::SetWidths(const std::string& face, const platform::CharWidthTable& widths) {
    tables_[face] = widths;
}

const platform::CharWidthTable& SimFonts::WidthsOf(const std::string* face) const {
    if (face == nullptr) return system_;
    auto it = tables_.find(*face);
    return it == tables_.end() ? default_ : it->second;
}

SimFont::SimFont(SimFonts& owner, platform::FontDescription description)
    : owner_(owner), description_(std::move(description)) {
    ++owner_.alive_;
}

SimFont::~SimFont() { --owner_.alive_; }

}  // namespace vexa::sim
