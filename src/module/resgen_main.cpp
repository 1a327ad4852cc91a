// Writes the generated resources of the module into the folder named on the
// command line: the type library description (vexa.idl), the string table
// (strings.rc) and the toolbox bitmaps (toolbox1.bmp ... toolbox7.bmp).

#include <cstdio>
#include <fstream>
#include <string>

#include "module/automation_catalogue.h"
#include "module/idl_writer.h"
#include "module/resource_writer.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    if (!out) std::fprintf(stderr, "vexa-resgen: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    bool ok = WriteFile(dir + "/vexa.idl", vexa::module::WriteIdl(vexa::module::Catalogue())) &&
              WriteFile(dir + "/strings.rc", vexa::module::WriteStringTable());
    for (int id = 1; ok && id <= 7; ++id)
        ok = WriteFile(dir + "/toolbox" + std::to_string(id) + ".bmp",
                       vexa::module::WriteToolboxBitmap(id));
    return ok ? 0 : 1;
}
