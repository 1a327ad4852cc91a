// vexa-text [--short] SCRIPT LOGGED: shows a control's text as the container
// logged it (with \xHH escapes) as ISCII codes and as Unicode, for the
// summary of `make demo`. SCRIPT is a script name of the catalogue
// ("Devanagari"). --short prints one line: the Unicode text and the bytes.

#include <cstdio>
#include <cstring>
#include <string>

#include "script/unicode_text.h"
#include "text_summary.h"

int main(int argc, char** argv) {
    bool brief = argc > 1 && std::strcmp(argv[1], "--short") == 0;
    if (brief) {
        --argc;
        ++argv;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: vexa-text [--short] SCRIPT LOGGED-TEXT\n");
        return 2;
    }
    std::optional<std::string> bytes = vexa::demo::UnescapeLogged(argv[2]);
    if (!bytes) {
        std::fprintf(stderr, "vexa-text: not a logged string: %s\n", argv[2]);
        return 1;
    }
    std::u16string unicode =
        vexa::script::IsciiToUnicode(*bytes, vexa::script::UnicodeScriptOf(argv[1]));
    std::string shown = vexa::demo::Utf8(unicode);
    if (brief) {
        std::printf("%s  (ISCII %s)\n", shown.c_str(), vexa::demo::HexBytes(*bytes).c_str());
        return 0;
    }
    // One line of output per line of the text, aligned under the first.
    for (std::size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at))
        shown.replace(at, 2, "\n                       ");
    std::printf("  in ISCII (%zu bytes): %s\n", bytes->size(),
                vexa::demo::HexBytes(*bytes).c_str());
    std::printf("  in Unicode:          %s\n", shown.c_str());
    std::printf("  code points:         %s\n", vexa::demo::CodePoints(unicode).c_str());
    return 0;
}
