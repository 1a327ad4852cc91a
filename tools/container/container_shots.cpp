// Screenshots of the form and of single controls, written as PNG files.

#include <cstdint>
#include <fstream>
#include <vector>

#include "container.h"
#include "png_writer.h"

namespace vexa::container {

HWND ControlWindow(Hosted& h) {
    HWND child = nullptr;
    IOleInPlaceObject* ip = nullptr;
    if (SUCCEEDED(h.object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
        ip->GetWindow(&child);
        ip->Release();
    }
    return child;
}

namespace {

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

}  // namespace

bool Container::Screenshot(const std::string& file) {
    EnsureForm();
    RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT client;
    GetClientRect(form_, &client);
    HDC windowDc = GetDC(form_);
    bool ok;
    {
        Capture shot(windowDc, client.right, client.bottom);
        BitBlt(shot.Dc(), 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        ok = shot.Write(file);
    }
    ReleaseDC(form_, windowDc);
    return ok;
}

// The control's window as painted on the screen, frame included, nothing
// around it. The caret is hidden for the copy (the control runs on this
// thread, so HideCaret reaches it): its blink phase never shows.
bool Container::ControlShot(Hosted& h, const std::string& file) {
    HWND child = ControlWindow(h);
    if (!child) return false;
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    const bool hidden = HideCaret(nullptr) != FALSE;
    RECT r;
    GetWindowRect(child, &r);
    HDC windowDc = GetWindowDC(child);
    bool ok;
    {
        Capture shot(windowDc, r.right - r.left, r.bottom - r.top);
        BitBlt(shot.Dc(), 0, 0, r.right - r.left, r.bottom - r.top, windowDc, 0, 0, SRCCOPY);
        ok = shot.Write(file);
    }
    ReleaseDC(child, windowDc);
    if (hidden) ShowCaret(nullptr);
    return ok;
}

// The control's content drawn through IViewObject::Draw into memory, at
// the control's size: what a container prints or shows for an inactive
// control; no screen, no caret.
bool Container::DrawShot(Hosted& h, const std::string& file) {
    IViewObject* view = nullptr;
    if (FAILED(h.object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view)))) return false;
    const int w = h.rect.right - h.rect.left, hgt = h.rect.bottom - h.rect.top;
    HDC screen = GetDC(nullptr);
    bool ok;
    {
        Capture shot(screen, w, hgt);
        RECTL bounds{0, 0, w, hgt};
        HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, shot.Dc(), &bounds, nullptr,
                                nullptr, 0);
        ok = SUCCEEDED(hr) && shot.Write(file);
    }
    ReleaseDC(nullptr, screen);
    view->Release();
    return ok;
}

}  // namespace vexa::container
