#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa::platform {

// The standard formats the controls use (CF_TEXT, CF_UNICODETEXT).
inline constexpr unsigned kTextFormat = 1;
inline constexpr unsigned kUnicodeTextFormat = 13;

// The system clipboard as one control uses it, with the control's window as
// owner. Data blocks are byte strings: the implementation copies them into
// clipboard memory (which the clipboard then owns) and copies them out again.
class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // The id of a registered format name; 0 when it cannot be registered.
    virtual unsigned RegisterFormat(std::string_view name) = 0;
    // Opening fails when another window holds the clipboard open.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Empties the clipboard and makes the window its owner (open only).
    virtual bool Empty() = 0;
    // Puts a block in a format (open and emptied by us); false, with nothing
    // kept, when the memory or the clipboard refuses.
    virtual bool SetData(unsigned format, std::string_view block) = 0;
    virtual bool HasFormat(unsigned format) const = 0;
    // The whole block of a format (open only); none when absent.
    virtual std::optional<std::string> GetData(unsigned format) = 0;
};

}  // namespace vexa::platform
