#pragma once

#include <map>
#include <string>

#include "platform/clipboard.h"

namespace vexa::sim {

// A clipboard in memory, shared by the controls of a test like the system's:
// registered names get ids from 0xC000 up, as on Windows. A test can hold it
// open for another owner, make setting data fail, and read what was put.
class SimClipboard : public platform::Clipboard {
  public:
    unsigned RegisterFormat(std::string_view name) override;
    bool Open() override;
    void Close() override;
    bool Empty() override;
    bool SetData(unsigned format, std::string_view block) override;
    bool HasFormat(unsigned format) const override { return data_.count(format) != 0; }
    std::optional<std::string> GetData(unsigned format) override;

    // --- for tests
    // Another window holds the clipboard open: Open fails.
    void SetHeldElsewhere(bool held) { heldElsewhere_ = held; }
    void SetFailSetData(bool fail) { failSetData_ = fail; }
    // What another program put there (no open needed).
    void Put(unsigned format, std::string block) { data_[format] = std::move(block); }
    const std::map<unsigned, std::string>& Data() const { return data_; }
    bool IsOpen() const { return open_; }
    int Opens() const { return opens_; }

  private:
    std::map<std::string, unsigned> names_;
    std::map<unsigned, std::string> data_;
    bool open_ = false;
    bool heldElsewhere_ = false;
    bool failSetData_ = false;
    int opens_ = 0;
};

}  // namespace vexa::sim
