#pragma once

#include <string>

#include "platform/platform.h"
#include "sim/sim_file_reader.h"
#include "sim/sim_keyboard.h"
#include "sim/sim_library_loader.h"
#include "sim/sim_message_boxes.h"

namespace vexa::sim {

class SimSystemPaths : public platform::SystemPaths {
public:
    std::string SystemDirectory() const override { return system_; }
    std::string ModuleDirectory() const override { return module_; }

    void SetSystemDirectory(std::string directory) { system_ = std::move(directory); }
    void SetModuleDirectory(std::string directory) { module_ = std::move(directory); }

private:
    std::string system_;
    std::string module_;
};

// The whole simulated platform in one object. The system directory defaults
// to the folder where the build puts the natively built family.
class SimPlatform {
public:
    SimPlatform();
    explicit SimPlatform(std::string systemDirectory);

    platform::Platform& Get() { return platform_; }
    operator platform::Platform&() { return platform_; }

    SimLibraryLoader libraries;
    SimSystemPaths paths;
    SimMessageBoxes messages;
    SimKeyboard keyboard;
    SimFileReader files;

private:
    platform::Platform platform_{libraries, paths, messages, keyboard, files};
};

// The folder of the natively built family libraries.
std::string DefaultFamilyDirectory();

}  // namespace vexa::sim
