// The clipboard of the edit control: the blocks of a selection, what a paste
// takes, and the Copy, Cut and Paste commands.
#include "edit/edit_clipboard.h"

#include <algorithm>

#include "edit/edit_engine.h"
#include "script/font_code.h"

namespace vexa::edit {

namespace {

constexpr const char* kCaption = "VEdit Control";

std::string Utf16Block(std::u16string_view text) {
    std::string block;
    block.reserve(2 * text.size() + 2);
    for (char16_t c : text) {
        block += static_cast<char>(c & 0xFF);
        block += static_cast<char>(c >> 8);
    }
    block.append(2, '\0');
    return block;
}

std::u16string FromUtf16Block(std::string_view block) {
    std::u16string text;
    text.reserve(block.size() / 2);
    for (std::size_t i = 0; i + 1 < block.size(); i += 2) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(block[i]) |
                                             static_cast<unsigned char>(block[i + 1]) << 8);
        if (c == 0) break;
        text += c;
    }
    return text;
}

}  // namespace

std::string CleanPlainText(std::string_view fontCode) {
    std::string out;
    out.reserve(fontCode.size() + fontCode.size() / 8 + 1);
    for (char ch : fontCode) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
            case script::kEnglishFontSwitch:
            case script::kScriptFontSwitch:
            case script::kExtensionFontSwitch:
            case kForcedBreak:
                break;
            case kHardBreak:
            case kSoftBreakSpace:
            case kSoftBreakTab:
                out += "\r\n";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

ClipboardBlocks MakeClipboardBlocks(std::string_view selection, std::string_view fontCode,
                                    script::UnicodeScript script) {
    ClipboardBlocks blocks;
    blocks.iscii.assign(selection);
    blocks.iscii.append(2, '\0');
    blocks.text = CleanPlainText(fontCode);
    blocks.text += '\0';
    blocks.unicode = Utf16Block(script::IsciiToUnicode(selection, script));
    return blocks;
}

std::string FilterPasted(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        const bool kept = b >= 0x20
                              ? b != 0x7F
                              : b == kTab || b == kLineFeed || b == kHardBreak ||
                                    b == kSoftBreakSpace || b == kSoftBreakTab || b == kForcedBreak;
        if (kept) out += ch;
    }
    return out;
}

std::optional<PastedText> ReadPastedText(platform::Clipboard& clipboard, unsigned isciiFormat,
                                         script::UnicodeScript script) {
    if (isciiFormat != 0) {
        if (auto block = clipboard.GetData(isciiFormat)) {
            const std::string_view bytes(*block);
            return PastedText{FilterPasted(bytes.substr(0, bytes.find('\0'))), 0};
        }
    }
    if (auto block = clipboard.GetData(platform::kUnicodeTextFormat)) {
        script::IsciiFromUnicode converted = script::UnicodeToIscii(FromUtf16Block(*block), script);
        return PastedText{FilterPasted(converted.iscii), converted.dropped};
    }
    return std::nullopt;
}

script::UnicodeScript EditClipboard::Script() const {
    const common::DrawingScript& s = engine_.Script();
    return s.englishScript ? script::UnicodeScript::kEnglish
                           : script::UnicodeScriptOf(s.scriptName);
}

ClipboardResult EditClipboard::Copy() {
    engine_.Flush();
    if (engine_.Style().password || !engine_.HasSelection()) return ClipboardResult::kNothing;
    const std::string_view selection =
        std::string_view(engine_.Text())
            .substr(engine_.SelectionBegin(), engine_.SelectionEnd() - engine_.SelectionBegin());
    const ClipboardBlocks blocks =
        MakeClipboardBlocks(selection, engine_.GetZIRVOText(selection), Script());
    if (!clipboard_.Open()) return ClipboardResult::kBusy;
    bool put = clipboard_.Empty();
    put = put && Format() != 0 && clipboard_.SetData(format_, blocks.iscii);
    put = put && clipboard_.SetData(platform::kTextFormat, blocks.text);
    put = put && clipboard_.SetData(platform::kUnicodeTextFormat, blocks.unicode);
    clipboard_.Close();
    return put ? ClipboardResult::kDone : ClipboardResult::kRefused;
}

ClipboardResult EditClipboard::Cut() {
    const ClipboardResult copied = Copy();
    if (copied == ClipboardResult::kDone) engine_.DeleteSelection(true);
    return copied;
}

ClipboardResult EditClipboard::Paste() {
    if (!clipboard_.Open()) return ClipboardResult::kBusy;
    std::optional<PastedText> pasted = ReadPastedText(clipboard_, Format(), Script());
    clipboard_.Close();
    if (!pasted) return ClipboardResult::kNothing;
    if (pasted->dropped > 0) {
        const std::string& name = engine_.Script().scriptName;
        const bool one = pasted->dropped == 1;
        messages_.Show(kCaption,
                       std::to_string(pasted->dropped) + (one ? " character" : " characters") +
                           " of the pasted text cannot be written in " +
                           (name.empty() ? std::string("English") : name) +
                           (one ? " and was left out." : " and were left out."),
                       platform::MessageButtons::Ok, platform::MessageIcon::Information);
    }
    if (pasted->iscii.empty()) return ClipboardResult::kNothing;
    engine_.InsertPasted(pasted->iscii);
    return ClipboardResult::kDone;
}

}  // namespace vexa::edit
