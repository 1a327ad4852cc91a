#pragma once

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "png_writer.h"

namespace vexa::container {

// A top-down 24-bit DIB section selected into a memory DC; Write stores its
// pixels as an RGB PNG.
class Capture {
public:
    Capture(HDC like, int w, int h) : w_(w), h_(h) {
        dc_ = CreateCompatibleDC(like);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        dib_ = CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, dib_);
    }
    ~Capture() {
        SelectObject(dc_, old_);
        DeleteObject(dib_);
        DeleteDC(dc_);
    }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    HDC Dc() const { return dc_; }
    bool Write(const std::string& file) const {
        if (!bits_) return false;
        GdiFlush();
        int stride = (w_ * 3 + 3) & ~3;
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w_) * h_ * 3);
        for (int y = 0; y < h_; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(bits_) + static_cast<std::size_t>(y) * stride;
            for (int x = 0; x < w_; ++x) {
                std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w_ + x) * 3];
                p[0] = row[x * 3 + 2];
                p[1] = row[x * 3 + 1];
                p[2] = row[x * 3];
            }
        }
        std::ofstream out(file, std::ios::binary);
        out << EncodePng(w_, h_, rgb);
        return static_cast<bool>(out);
    }

private:
    int w_, h_;
    HDC dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace vexa::container
