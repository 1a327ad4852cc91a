#include "sim/sim_platform.h"

namespace vexa::sim {

std::string DefaultFamilyDirectory() { return VEXA_DEFAULT_FAMILY_DIR; }

SimPlatform::SimPlatform() : SimPlatform(DefaultFamilyDirectory()) {}

SimPlatform::SimPlatform(std::string systemDirectory) {
    paths.SetSystemDirectory(std::move(systemDirectory));
}

}  // namespace vexa::sim
