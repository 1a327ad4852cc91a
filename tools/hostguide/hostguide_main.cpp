// vexa-hostguide [FILE]: writes the reference page for host developers
// (docs/host-guide.md) from the automation catalogue, to FILE or stdout.

#include <cstdio>
#include <fstream>

#include "hostguide/host_guide.h"
#include "module/automation_catalogue.h"

int main(int argc, char** argv) {
    std::string page = vexa::hostguide::HostGuide(vexa::module::Catalogue());
    if (argc < 2) {
        std::fwrite(page.data(), 1, page.size(), stdout);
        return 0;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << page;
    if (!file.flush()) {
        std::fprintf(stderr, "vexa-hostguide: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
