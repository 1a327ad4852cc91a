#pragma once

#include <set>
#include <string>

#include "platform/keyboard_input.h"

namespace vexa::sim {

// A US keyboard whose key state the test sets: which keys are held down and
// which lock keys are on. Scan codes and characters follow the US layout.
class SimKeyboard : public platform::KeyboardInput {
public:
    void SetDown(int virtualKey, bool down) override;
    void SetToggled(int virtualKey, bool on);
    void Reset() {
        down_.clear();
        toggled_.clear();
    }

    bool IsDown(int virtualKey) const override { return down_.count(virtualKey) != 0; }
    bool IsToggled(int virtualKey) const override { return toggled_.count(virtualKey) != 0; }
    int ScanCode(int virtualKey) const override;
    std::string CharacterOf(int virtualKey, int scanCode, bool forceShift) const override;

private:
    std::set<int> down_;
    std::set<int> toggled_;
};

}  // namespace vexa::sim
