#pragma once

#include <string>
#include <vector>

#include "platform/url_launcher.h"
#include "platform/web_address.h"

namespace vexa::sim {

// Records the addresses a control asks to open instead of opening them.
// Like the Windows launcher it refuses what CheckWebAddress refuses; those
// requests are counted apart, so a test sees both what reached the shell
// and what a control should never have asked for.
class SimUrlLauncher : public platform::UrlLauncher {
public:
    bool Open(const std::string& address) override {
        if (!platform::IsWebAddress(address)) {
            refused.push_back(address);
            return false;
        }
        opened.push_back(address);
        return succeed;
    }

    std::vector<std::string> opened;
    std::vector<std::string> refused;
    bool succeed = true;  // false: the shell has no handler for the address
};

}  // namespace vexa::sim
