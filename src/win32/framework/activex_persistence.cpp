// Persistence: the stream, property-bag and storage forms over one
// property exchange.
#include "win32/framework/activex_control.h"

#include <functional>

#include "module/automation_catalogue.h"
#include "win32/framework/com_module.h"
#include "win32/framework/connection_point.h"
#include "win32/framework/dispatch_error.h"
#include "win32/framework/module_services.h"
#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

using module::Member;
using module::MemberKind;
using common::PropertyType;
using common::PropertyValue;
using module::VarType;

namespace {

// Property exchange with a container's property bag.
class BagExchange : public common::PropertyExchange {
public:
    BagExchange(IPropertyBag* bag, IErrorLog* log, bool loading,
                std::function<TextCoding(std::string_view)> coding)
        : bag_(bag), log_(log), loading_(loading), coding_(std::move(coding)) {}
    bool IsLoading() const override { return loading_; }

protected:
    std::optional<PropertyValue> Read(std::string_view name, PropertyType type) override {
        std::wstring wide(name.begin(), name.end());
        VARIANT v;
        VariantInit(&v);
        if (FAILED(bag_->Read(wide.c_str(), &v, log_))) return std::nullopt;
        PropertyValue out;
        HRESULT hr = FromVariant(&v, type, out, coding_(name));
        VariantClear(&v);
        if (FAILED(hr)) return std::nullopt;
        return out;
    }
    void Write(std::string_view name, const PropertyValue& value) override {
        std::wstring wide(name.begin(), name.end());
        VARIANT v;
        ToVariant(value, &v, coding_(name));
        bag_->Write(wide.c_str(), &v);
        VariantClear(&v);
    }

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
    bool loading_;
    std::function<TextCoding(std::string_view)> coding_;
};

}  // namespace

// ---- persistence ----

STDMETHODIMP ActiveXControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = Guid(class_.clsid);
    return S_OK;
}

HRESULT ActiveXControl::LoadFromMap(const common::PropertyMap& map) {
    initialized_ = true;
    common::PropertyMap copy = map;
    common::MapExchange px(copy, true);
    DoPropExchange(px);
    AfterLoad();
    return S_OK;
}

common::PropertyMap ActiveXControl::SaveToMap() {
    EnsureInitialized();
    common::PropertyMap map;
    common::MapExchange px(map, false);
    DoPropExchange(px);
    return map;
}

void ActiveXControl::AfterLoad() {
    modified_ = false;
    ApplyFrame();
    if (hwnd_) InvalidateControl();
}

STDMETHODIMP ActiveXControl::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    ULONG read = 0;
    std::uint32_t size = 0;
    if (FAILED(stream->Read(&size, sizeof size, &read)) || read != sizeof size || size > (1u << 24))
        return E_FAIL;
    std::string bytes(size, '\0');
    if (size && (FAILED(stream->Read(bytes.data(), size, &read)) || read != size)) return E_FAIL;
    std::optional<common::PropertyMap> map = common::DecodeProperties(bytes);
    if (!map) return E_FAIL;
    return LoadFromMap(*map);
}

STDMETHODIMP ActiveXControl::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    std::string bytes = common::EncodeProperties(SaveToMap());
    std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    ULONG written = 0;
    if (FAILED(stream->Write(&size, sizeof size, &written)) || written != sizeof size ||
        FAILED(stream->Write(bytes.data(), size, &written)) || written != size)
        return STG_E_CANTSAVE;
    if (clearDirty) modified_ = false;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 4 + common::EncodeProperties(SaveToMap()).size();
    return S_OK;
}

void ActiveXControl::EnsureInitialized() {
    if (!initialized_) InitNew();
}

STDMETHODIMP ActiveXControl::InitNew() {
    OnResetState();
    return LoadFromMap(common::PropertyMap());
}

STDMETHODIMP ActiveXControl::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    initialized_ = true;
    BagExchange px(bag, log, true, [this](std::string_view name) { return CodingOf(name); });
    DoPropExchange(px);
    AfterLoad();
    return S_OK;
}

STDMETHODIMP ActiveXControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    EnsureInitialized();
    BagExchange px(bag, nullptr, false, [this](std::string_view name) { return CodingOf(name); });
    DoPropExchange(px);
    if (clearDirty) modified_ = false;
    return S_OK;
}

STDMETHODIMP ActiveXControl::InitNew(IStorage*) { return InitNew(); }

STDMETHODIMP ActiveXControl::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr = storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
    if (FAILED(hr)) return hr;
    hr = Load(stream);
    stream->Release();
    return hr;
}

STDMETHODIMP ActiveXControl::Save(IStorage* storage, BOOL) {
    if (!storage) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr = storage->CreateStream(
        L"Contents", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
    if (FAILED(hr)) return hr;
    hr = Save(stream, TRUE);
    stream->Release();
    return hr;
}

}  // namespace vexa::win32
