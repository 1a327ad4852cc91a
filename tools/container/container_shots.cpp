// Screenshots of the form and of single controls, written as PNG files.

#include "capture.h"
#include "container.h"

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
