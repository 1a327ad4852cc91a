#pragma once

#include <windows.h>

#include <functional>

#include "platform/clipboard.h"

namespace vexa::win32 {

// The system clipboard with a control's window as owner. A block is copied
// into movable, zero-initialised global memory that the clipboard owns once
// set; memory the clipboard refused is freed at once.
class Win32Clipboard : public platform::Clipboard {
  public:
    explicit Win32Clipboard(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    unsigned RegisterFormat(std::string_view name) override;
    bool Open() override;
    void Close() override;
    bool Empty() override;
    bool SetData(unsigned format, std::string_view block) override;
    bool HasFormat(unsigned format) const override;
    std::optional<std::string> GetData(unsigned format) override;

  private:
    std::function<HWND()> owner_;
};

}  // namespace vexa::win32
