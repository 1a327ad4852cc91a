#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <utility>
#include <vector>

namespace vexa::win32 {

// One outgoing interface of a control: the event dispinterface, or the
// property-change notifications. Its lifetime is the control's.
class EventConnectionPoint : public IConnectionPoint {
public:
    EventConnectionPoint(IConnectionPointContainer* owner, const IID& iid, bool dispatch)
        : owner_(owner), iid_(iid), dispatch_(dispatch) {}
    virtual ~EventConnectionPoint();

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** owner) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** e) override;

    const IID& Iid() const { return iid_; }
    // The connected sinks, each AddRef'd for the caller to Release.
    std::vector<IUnknown*> Sinks() const;

private:
    IConnectionPointContainer* owner_;
    IID iid_;
    bool dispatch_;
    DWORD nextCookie_ = 1;
    std::vector<std::pair<DWORD, IUnknown*>> sinks_;
};

}  // namespace vexa::win32
