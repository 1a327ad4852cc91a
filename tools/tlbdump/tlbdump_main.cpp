// vexa-tlbdump: prints a type library the way hosts read it (every type,
// member, DispID, type, help string, enumeration value and flag).
//
//   vexa-tlbdump FILE           the dump of FILE (a .tlb, or a module that
//                               holds one as resource 1)
//   vexa-tlbdump --check FILE   compares FILE's library with the automation
//                               catalogue: one FAIL line per difference, then
//                               "RESULT ok N checks" or "RESULT failed N"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "module/automation_catalogue.h"
#include "module/typelib_model.h"
#include "typelib_reader.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: vexa-tlbdump [--check] FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) return Usage();
    std::string path = argv[argc - 1];
    std::wstring wide(path.begin(), path.end());
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(wide.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
        std::printf("FAIL cannot load a type library from %s (0x%08lX)\nRESULT failed 1\n",
                    path.c_str(), static_cast<unsigned long>(hr));
        return 1;
    }
    vexa::module::TlbLibrary read = ReadTypeLibrary(library);
    library->Release();
    if (!check) {
        std::fputs(vexa::module::FormatLibrary(read).c_str(), stdout);
        return 0;
    }
    vexa::module::TlbLibrary expected = vexa::module::ExpectedLibrary(vexa::module::Catalogue());
    std::size_t checks = 0;
    for (const auto& t : expected.types) checks += 1 + t.members.size();
    auto problems = vexa::module::CompareLibraries(read, expected);
    for (const std::string& p : problems) std::printf("FAIL %s\n", p.c_str());
    if (problems.empty())
        std::printf("RESULT ok %zu types and members as the catalogue says\n", checks);
    else
        std::printf("RESULT failed %zu\n", problems.size());
    return problems.empty() ? 0 : 1;
}
