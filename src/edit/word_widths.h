#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <string>
#include <string_view>

namespace vexa::edit {

// Widths of words already measured during one pass over a text (a re-wrap).
// A word's width depends on its bytes alone, and prose repeats its words,
// so each distinct word goes through the converter about once. A fixed
// number of slots, each holding the last word whose hash fell there, keeps
// the cost of a miss small and the memory bounded whatever the text.
class WordWidths {
public:
    // The width of `word`, measured by `measure` when not known yet.
    template <typename Measure>
    int Width(std::string_view word, Measure&& measure) {
        if (word.size() > kLongestWord) return measure(word);
        Slot& slot = slots_[Hash(word) % slots_.size()];
        if (slot.used && std::string_view(slot.bytes.data(), slot.length) == word) {
            ++hits_;
            return slot.width;
        }
        const int width = measure(word);
        slot.used = true;
        slot.length = static_cast<unsigned char>(word.size());
        word.copy(slot.bytes.data(), word.size());
        slot.width = width;
        return width;
    }

    std::size_t Hits() const { return hits_; }

private:
    static constexpr std::size_t kLongestWord = 30;

    struct Slot {
        std::array<char, kLongestWord> bytes{};
        unsigned char length = 0;
        bool used = false;
        int width = 0;
    };

    // FNV-1a in 64 bits on every target (size_t is 32 bits on i686).
    static std::size_t Hash(std::string_view word) {
        std::uint64_t h = 14695981039346656037ull;
        for (char c : word) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return static_cast<std::size_t>(h ^ (h >> 32));
    }

    std::array<Slot, 4096> slots_{};
    std::size_t hits_ = 0;
};

}  // namespace vexa::edit
