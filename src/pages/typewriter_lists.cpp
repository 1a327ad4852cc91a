#include "pages/typewriter_lists.h"

#include <algorithm>
#include <cctype>

#include "keyboard/keyboard_files.h"
#include "keyboard/keyboard_library.h"
#include "keyboard/keyboard_messages.h"

namespace vexa::pages {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int IndexOfCode(std::string_view lowerName) {
    static constexpr std::pair<std::string_view, int> kCodes[] = {
        {"as", 0}, {"bn", 1}, {"dr", 2}, {"dv", 3}, {"gj", 4}, {"kn", 5},
        {"ml", 6}, {"or", 7}, {"pn", 8}, {"tm", 11}, {"tl", 12}};
    for (const auto& [code, index] : kCodes)
        if (lowerName.substr(0, 2) == code) return index;
    return kScriptIndexCount - 1;
}

}  // namespace

TypewriterLists BuildTypewriterLists(const platform::Platform& platform,
                                     std::vector<std::string> layoutFiles) {
    std::sort(layoutFiles.begin(), layoutFiles.end());
    TypewriterLists lists;
    for (const std::string& file : layoutFiles) {
        if (!keyboard::IsLoadableLayoutName(file)) continue;
        const std::string lower = Lower(file);
        if (lower[2] == '0' || lower.starts_with("pe1")) continue;
        keyboard::TypewriterName name = keyboard::ReadTypewriterName(platform, file);
        if (!name.loaded) {
            platform.messages.Show(std::string(keyboard::kPlainBoxCaption),
                                   std::string(kTypewriterLoadFailed), platform::MessageButtons::Ok,
                                   platform::MessageIcon::None);
            continue;
        }
        if (!name.name || name.name->empty()) continue;
        lists[static_cast<std::size_t>(IndexOfCode(lower))].push_back({file, *name.name});
    }
    return lists;
}

const std::vector<TypewriterKeyboard>& KeyboardsForScript(const TypewriterLists& lists,
                                                          std::string_view scriptName) {
    const auto& own = lists[static_cast<std::size_t>(ScriptIndex(scriptName))];
    if (own.empty() && (scriptName == "Bhutanese" || scriptName == "Roman" || scriptName == "Sanskrit"))
        return lists[3];
    return own;
}

}  // namespace vexa::pages
