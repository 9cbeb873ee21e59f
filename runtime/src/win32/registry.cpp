// One registry value by root code and "key\value" path.
#include <windows.h>

#include <cstring>

#include "gbk_path.h"
#include "rt/handles.h"
#include "rt/registry.h"

namespace rt {

namespace {

HKEY RootKey(int code) {
    switch (code) {
        case 1: return HKEY_CLASSES_ROOT;
        case 2: return HKEY_CURRENT_CONFIG;
        case 4: return HKEY_LOCAL_MACHINE;
        case 5: return HKEY_USERS;
        default: return HKEY_CURRENT_USER;
    }
}

// "a\b\name" -> key "a\b", value "name"; "name" -> the root key's own value.
void SplitValuePath(const Text& path, Text* key, Text* name) {
    const auto slash = win32::LastGbkChar(path, '\\');
    if (slash == Text::npos) {
        key->clear();
        *name = path;
    } else {
        *key = path.substr(0, slash);
        *name = path.substr(slash + 1);
    }
}

struct RawValue {
    DWORD type;
    const BYTE* data;
    DWORD size;
};

struct ToRaw {
    DWORD dword = 0;
    RawValue operator()(const int32_t& v) {
        dword = static_cast<DWORD>(v);
        return {REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof(dword)};
    }
    RawValue operator()(const Text& v) {
        return {REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                static_cast<DWORD>(v.size() + 1)};  // the NUL counts
    }
    RawValue operator()(const ByteSet& v) {
        return {REG_BINARY, v.data(), static_cast<DWORD>(v.size())};
    }
};

}  // namespace

bool RegistryValueExists(int root, const Text& path) {
    Text key, name;
    SplitValuePath(path, &key, &name);
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    ScopedKey opened(raw);
    return ::RegQueryValueExA(opened.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool RegistryWrite(int root, const Text& path, const RegistryValue& value) {
    Text key, name;
    SplitValuePath(path, &key, &name);
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_WRITE, &raw) != ERROR_SUCCESS &&
        ::RegCreateKeyA(RootKey(root), key.c_str(), &raw) != ERROR_SUCCESS)
        return false;
    ScopedKey opened(raw);
    ToRaw convert;
    const RawValue v = std::visit(convert, value);
    return ::RegSetValueExA(opened.Get(), name.c_str(), 0, v.type, v.data, v.size) ==
           ERROR_SUCCESS;
}

}  // namespace rt
