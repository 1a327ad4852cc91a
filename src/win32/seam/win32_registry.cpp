#include "win32/seam/win32_registry.h"

#include <windows.h>

namespace vexa::win32 {

namespace {

class Key {
public:
    Key(const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

bool Win32Registry::KeyExists(const std::string& path) { return static_cast<bool>(Key(path, KEY_READ)); }

bool Win32Registry::CreateKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool Win32Registry::SetString(const std::string& path, const std::string& name,
                              const std::string& value) {
    Key key(path, KEY_ALL_ACCESS);
    if (!key) return false;
    return RegSetValueExA(key.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::optional<std::string> Win32Registry::GetString(const std::string& path,
                                                    const std::string& name, std::size_t limit) {
    Key key(path, KEY_READ);
    if (!key) return std::nullopt;
    DWORD type = 0, size = 0;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    if (limit != 0 && size > limit) return std::nullopt;
    std::string data(size + 1, '\0');
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    // The stored size counts the terminator when there is one; a value
    // stored without it still ends here.
    std::size_t end = data.find('\0');
    if (end != std::string::npos) data.resize(end);
    return data;
}

bool Win32Registry::DeleteValue(const std::string& path, const std::string& name) {
    Key key(path, KEY_ALL_ACCESS);
    if (!key) return false;
    return RegDeleteValueA(key.get(), name.empty() ? nullptr : name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteTree(const std::string& path) {
    for (const std::string& sub : SubKeys(path))
        if (!DeleteTree(path + "\\" + sub)) return false;
    LONG rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, path.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

namespace {

// The names a registry enumeration gives, key or value, in index order.
template <class Enumerate>
std::vector<std::string> EnumerateNames(HKEY key, Enumerate enumerate) {
    std::vector<std::string> out;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (enumerate(key, i, name, &size) != ERROR_SUCCESS) break;
        out.emplace_back(name, size);
    }
    return out;
}

}  // namespace

std::vector<std::string> Win32Registry::SubKeys(const std::string& path) {
    Key key(path, KEY_READ);
    if (!key) return {};
    return EnumerateNames(key.get(), [](HKEY k, DWORD i, char* name, DWORD* size) {
        return RegEnumKeyExA(k, i, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> Win32Registry::ValueNames(const std::string& path) {
    Key key(path, KEY_READ);
    if (!key) return {};
    return EnumerateNames(key.get(), [](HKEY k, DWORD i, char* name, DWORD* size) {
        return RegEnumValueA(k, i, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

}  // namespace vexa::win32
