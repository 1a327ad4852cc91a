#pragma once

// The edit control's clipboard: the blocks Copy puts there (its own
// "ISCII8" format with the raw bytes, the plain text in the script's font
// code, the Unicode text), and what Paste takes back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/message_boxes.h"
#include "script/unicode_text.h"

namespace vexa::edit {

class EditEngine;

inline constexpr std::string_view kIsciiFormatName = "ISCII8";

struct ClipboardBlocks {
    std::string iscii;    // the bytes as stored, then two zero bytes
    std::string text;     // cleaned font code, then a zero byte
    std::string unicode;  // UTF-16 (little-endian) of the bytes, then a zero unit
};

// The blocks of a selection, given its font code (the converter's run with
// the English and script switches removed, as GetZIRVOText gives it).
ClipboardBlocks MakeClipboardBlocks(std::string_view selection, std::string_view fontCode,
                                    script::UnicodeScript script);

// Font code as other programs take plain text: no font switches and no
// forced breaks; every line end of the control (hard, soft at a space or a
// tab) is CR LF.
std::string CleanPlainText(std::string_view fontCode);

// Pasted bytes as typed text may hold them: control bytes other than the
// tab, the line ends and the soft line ends go, and so does DEL.
std::string FilterPasted(std::string_view bytes);

struct PastedText {
    std::string iscii;        // filtered
    std::size_t dropped = 0;  // Unicode characters without an ISCII form
};

// What Paste takes from the open clipboard: the "ISCII8" data up to its
// first zero byte; without it, the Unicode text converted for the script.
// Never the plain text, which is font code. None when neither is there.
std::optional<PastedText> ReadPastedText(platform::Clipboard& clipboard, unsigned isciiFormat,
                                         script::UnicodeScript script);

// How Paste tells the user that characters were left out.
enum class DropNotice {
    kMessage,  // a message box: the user pasted with a key or the menu
    kBeep,     // the Paste method: a program may have no one to answer a box
};

// The clipboard commands of one edit control.
class EditClipboard {
  public:
    EditClipboard(EditEngine& engine, platform::Clipboard& clipboard,
                  platform::MessageBoxes& messages)
        : engine_(engine), clipboard_(clipboard), messages_(messages) {}

    // Registers "ISCII8" (at window creation).
    void RegisterFormat() { format_ = clipboard_.RegisterFormat(kIsciiFormatName); }
    unsigned Format() const { return format_; }

    // Puts the selection on the clipboard in the three formats. False when
    // nothing was put: no selection, a password control, or the clipboard
    // could not be opened or refused a block.
    bool Copy();
    // Copy, then the selection is deleted. False when nothing was cut.
    bool Cut();
    // Pastes at the caret, over the selection. True when the text changed.
    bool Paste(DropNotice notice);

  private:
    script::UnicodeScript Script() const;

    EditEngine& engine_;
    platform::Clipboard& clipboard_;
    platform::MessageBoxes& messages_;
    unsigned format_ = 0;
};

}  // namespace vexa::edit
