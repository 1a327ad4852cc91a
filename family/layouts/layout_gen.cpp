// Generates the layout files (.lin) from their readable sources.
//
//   vexa-layoutgen <sources dir> <manifest> <output dir>
//
// The manifest lists one layout file and its source per line. Exits non-zero,
// writing nothing more, on the first source that does not parse.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "keyboard/layout_file.h"
#include "keyboard/layout_source.h"

namespace {

std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: vexa-layoutgen <sources dir> <manifest> <output dir>\n";
        return 2;
    }
    std::string sources = argv[1];
    std::optional<std::string> manifest = ReadText(argv[2]);
    if (!manifest) {
        std::cerr << "cannot read " << argv[2] << "\n";
        return 1;
    }
    auto resolve = [&](const std::string& name) { return ReadText(sources + "/" + name); };
    std::istringstream lines(*manifest);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string file, source;
        fields >> file >> source;
        std::optional<std::string> text = resolve(source);
        if (!text) {
            std::cerr << "cannot read " << source << "\n";
            return 1;
        }
        vexa::keyboard::LayoutSource parsed = vexa::keyboard::ParseLayoutSource(*text, resolve);
        if (!parsed.Ok()) {
            std::cerr << source << ": " << parsed.error << "\n";
            return 1;
        }
        std::string bytes = vexa::keyboard::WriteLayoutFile(parsed.layout);
        std::ofstream out(std::string(argv[3]) + "/" + file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
