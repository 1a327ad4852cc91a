#include "module/registration.h"

#include "module/automation_catalogue.h"
#include "module/class_table.h"

#include <optional>

namespace vexa::module {

namespace {

bool Write(platform::RegistryStore& r, const std::string& key, const std::string& name,
           const std::string& value) {
    return r.CreateKey(key) && r.SetString(key, name, value);
}

bool RegisterOne(platform::RegistryStore& r, const FactoryEntry& f, const std::string& path) {
    const std::string clsidKey = "CLSID\\" + BracedGuid(f.clsid);
    const std::string progId(f.progId);
    const std::string name(f.name);
    bool ok = Write(r, clsidKey, "", name) &&
              Write(r, clsidKey + "\\InprocServer32", "", path) &&
              Write(r, clsidKey + "\\InprocServer32", "ThreadingModel", "Apartment") &&
              Write(r, clsidKey + "\\ProgID", "", progId) && Write(r, progId, "", name) &&
              Write(r, progId + "\\CLSID", "", BracedGuid(f.clsid));
    const std::string current = VersionIndependentProgId(progId);
    if (ok && !current.empty()) {
        ok = Write(r, clsidKey + "\\VersionIndependentProgID", "", current) &&
             Write(r, current, "", name) && Write(r, current + "\\CLSID", "", BracedGuid(f.clsid)) &&
             Write(r, current + "\\CurVer", "", progId);
    }
    if (!ok || f.kind != FactoryKind::Control) return ok;

    const TypeLibrary& lib = Catalogue();
    std::string version =
        std::to_string(lib.majorVersion) + "." + std::to_string(lib.minorVersion);
    return r.CreateKey(clsidKey + "\\Control") && r.CreateKey(clsidKey + "\\Insertable") &&
           r.CreateKey(progId + "\\Insertable") &&
           Write(r, clsidKey + "\\ToolboxBitmap32", "", path + ", " + std::to_string(f.bitmapId)) &&
           Write(r, clsidKey + "\\MiscStatus", "", "0") &&
           Write(r, clsidKey + "\\MiscStatus\\1", "", std::to_string(f.miscStatus)) &&
           Write(r, clsidKey + "\\TypeLib", "", BracedGuid(lib.libid)) &&
           Write(r, clsidKey + "\\Version", "", version);
}

// The version-independent key is ours when its CurVer names our ProgID.
bool OwnsCurrentKey(platform::RegistryStore& r, const std::string& current,
                    const std::string& progId) {
    if (current.empty() || !r.KeyExists(current)) return false;
    std::optional<std::string> curVer = r.GetString(current + "\\CurVer", "");
    return !curVer || *curVer == progId;
}

bool UnregisterOne(platform::RegistryStore& r, const FactoryEntry& f) {
    bool ok = r.DeleteTree("CLSID\\" + BracedGuid(f.clsid));
    const std::string progId(f.progId);
    const std::string current = VersionIndependentProgId(progId);
    if (OwnsCurrentKey(r, current, progId)) ok = r.DeleteTree(current) && ok;
    if (r.KeyExists(progId + "\\DefaultValues")) {
        ok = r.DeleteTree(progId + "\\CLSID") && ok;
        ok = r.DeleteTree(progId + "\\Insertable") && ok;
        r.DeleteValue(progId, "");
    } else {
        ok = r.DeleteTree(progId) && ok;
    }
    return ok;
}

}  // namespace

std::string BracedGuid(std::string_view guid) {
    std::string out;
    out.reserve(guid.size() + 2);
    out.push_back('{');
    out.append(guid);
    out.push_back('}');
    return out;
}

std::string VersionIndependentProgId(std::string_view progId) {
    std::size_t dot = progId.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == progId.size() ||
        progId.find('.') == dot)
        return {};
    for (std::size_t i = dot + 1; i < progId.size(); ++i)
        if (progId[i] < '0' || progId[i] > '9') return {};
    return std::string(progId.substr(0, dot));
}

bool RegisterClasses(platform::RegistryStore& registry, const std::string& modulePath) {
    for (const FactoryEntry& f : Factories()) {
        // A class without a factory loses any keys an earlier module wrote.
        bool ok = f.implemented ? RegisterOne(registry, f, modulePath) : UnregisterOne(registry, f);
        if (!ok) return false;
    }
    return true;
}

bool UnregisterClasses(platform::RegistryStore& registry) {
    bool ok = true;
    for (const FactoryEntry& f : Factories()) ok = UnregisterOne(registry, f) && ok;
    return ok;
}

std::vector<std::string> RegistrationLeftBehind(platform::RegistryStore& registry) {
    std::vector<std::string> left;
    auto check = [&](const std::string& key) {
        if (registry.KeyExists(key)) left.push_back(key);
    };
    for (const FactoryEntry& f : Factories()) {
        check("CLSID\\" + BracedGuid(f.clsid));
        const std::string progId(f.progId);
        const std::string current = VersionIndependentProgId(progId);
        if (OwnsCurrentKey(registry, current, progId)) left.push_back(current);
        if (!registry.KeyExists(progId)) continue;
        for (const std::string& sub : registry.SubKeys(progId)) {
            if (sub != "DefaultValues") left.push_back(progId + "\\" + sub);
        }
        if (registry.GetString(progId, "")) left.push_back(progId);
    }
    const TypeLibrary& lib = Catalogue();
    check("TypeLib\\" + BracedGuid(lib.libid));
    for (const CoClass& c : lib.classes) {
        check("Interface\\" + BracedGuid(c.dispatch.iid));
        if (c.hasEvents) check("Interface\\" + BracedGuid(c.events.iid));
    }
    return left;
}

}  // namespace vexa::module
