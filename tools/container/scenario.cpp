#include "scenario.h"

#include <cctype>
#include <cstdio>

namespace vexa::container {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

ParseResult ParseScenarioLine(std::string_view text, int number) {
    ParseResult result;
    ScenarioLine line;
    line.number = number;
    std::size_t i = 0;
    std::vector<std::string> words;
    std::vector<bool> quoted;
    while (true) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i >= text.size() || (text[i] == '#' && words.empty())) break;
        std::string word;
        if (text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                char c = text[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    word += c;
                    continue;
                }
                if (i >= text.size()) break;
                char e = text[i++];
                if (e == '\\' || e == '"') {
                    word += e;
                } else if (e == 'x' && i + 1 < text.size() && HexDigit(text[i]) >= 0 &&
                           HexDigit(text[i + 1]) >= 0) {
                    word += static_cast<char>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1]));
                    i += 2;
                } else {
                    result.error = "line " + std::to_string(number) + ": bad escape";
                    return result;
                }
            }
            if (!closed) {
                result.error = "line " + std::to_string(number) + ": unterminated quote";
                return result;
            }
            quoted.push_back(true);
        } else {
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) word += text[i++];
            quoted.push_back(false);
        }
        words.push_back(std::move(word));
    }
    if (words.empty()) return result;
    line.command = words.front();
    line.args.assign(words.begin() + 1, words.end());
    line.quoted.assign(quoted.begin() + 1, quoted.end());
    result.line = std::move(line);
    return result;
}

std::string Escape(std::string_view bytes) {
    std::string out;
    for (unsigned char b : bytes) {
        if (b >= 0x20 && b < 0x7F && b != '\\' && b != '"') {
            out += static_cast<char>(b);
        } else {
            char buffer[5];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", b);
            out += buffer;
        }
    }
    return out;
}

}  // namespace vexa::container
