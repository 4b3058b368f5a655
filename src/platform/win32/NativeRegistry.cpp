#include "platform/win32/NativeRegistry.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "platform/win32/Win32Support.h"

namespace galemend {

namespace {

// An open registry key, closed when it goes.
class RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    HKEY Get() const { return key_; }
    HKEY* Receive() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

HKEY RootKey(const std::string& name) {
    static const std::pair<const char*, HKEY> kRoots[] = {
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKCU", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKLM", HKEY_LOCAL_MACHINE},
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKCR", HKEY_CLASSES_ROOT},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const auto& [rootName, key] : kRoots) {
        if (name == rootName) {
            return key;
        }
    }
    throw RegistryError("unknown root key " + name);
}

RegistryKeyPath Split(const std::string& keyPath) {
    std::optional<RegistryKeyPath> path = SplitRegistryKeyPath(keyPath);
    if (!path) {
        throw RegistryError("no root key in " + keyPath);
    }
    return *std::move(path);
}

void Check(LONG status, const std::string& keyPath) {
    if (status != ERROR_SUCCESS) {
        throw RegistryError(keyPath + ": registry error " + std::to_string(status));
    }
}

std::string Dword(std::int32_t number) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &number, 4);
    return bytes;
}

// The bytes of a text as the W functions store it: UTF-16 with its terminating NUL.
std::string WideBytes(const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    return std::string(reinterpret_cast<const char*>(wide.c_str()),
                       (wide.size() + 1) * sizeof(wchar_t));
}

// The registry type and the bytes that a write of this text with this type name stores.
std::pair<DWORD, std::string> Stored(const std::string& value, const std::string& type) {
    if (type == "REG_SZ") {
        return {REG_SZ, WideBytes(value)};
    }
    if (type == "REG_EXPAND_SZ") {
        return {REG_EXPAND_SZ, WideBytes(value)};
    }
    // Numbers are stored in four bytes, also as binary data.
    if (type == "REG_DWORD") {
        return {REG_DWORD, Dword(NumberOfText(value))};
    }
    if (type == "REG_BINARY") {
        return {REG_BINARY, Dword(NumberOfText(value))};
    }
    throw RegistryError("unknown value type " + type);
}

}  // namespace

std::string NativeRegistry::Read(const std::string& keyPath) const {
    const RegistryKeyPath path = Split(keyPath);
    RegistryKey key;
    Check(::RegOpenKeyExW(RootKey(path.root), WideFromUtf8(path.subKey).c_str(), 0, KEY_QUERY_VALUE,
                          key.Receive()),
          keyPath);
    const std::wstring valueName = WideFromUtf8(path.valueName);
    std::string bytes(256, '\0');
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(bytes.size());
        const LONG status = ::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA) {
            bytes.assign(size, '\0');
            continue;
        }
        Check(status, keyPath);
        bytes.resize(size);
        return TextOfRegistryData(type, bytes);
    }
}

void NativeRegistry::Write(const std::string& keyPath, const std::string& value,
                           const std::string& type) const {
    const RegistryKeyPath path = Split(keyPath);
    const auto [valueType, bytes] = Stored(value, type);
    RegistryKey key;
    Check(
        ::RegCreateKeyExW(RootKey(path.root), WideFromUtf8(path.subKey).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
        keyPath);
    Check(::RegSetValueExW(key.Get(), WideFromUtf8(path.valueName).c_str(), 0, valueType,
                           reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
          keyPath);
}

void NativeRegistry::Delete(const std::string& keyPath) const {
    const RegistryKeyPath path = Split(keyPath);
    const HKEY root = RootKey(path.root);
    if (path.namesKey) {
        if (path.subKey.empty()) {
            throw RegistryError("a root key cannot be deleted");
        }
        Check(::RegDeleteKeyW(root, WideFromUtf8(path.subKey).c_str()), keyPath);
        return;
    }
    RegistryKey key;
    Check(::RegOpenKeyExW(root, WideFromUtf8(path.subKey).c_str(), 0, KEY_SET_VALUE, key.Receive()),
          keyPath);
    Check(::RegDeleteValueW(key.Get(), WideFromUtf8(path.valueName).c_str()), keyPath);
}

namespace {

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += items[i];
    }
    return text;
}

std::string ScalarText(const VARIANT& value) {
    if (V_VT(&value) == VT_BSTR) {
        return Utf8FromBstr(V_BSTR(&value));
    }
    Variant text;
    // VariantChangeType only reads its source, though it is declared to take it mutable.
    if (FAILED(::VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) {
        throw RegistryError("the value has no text form");
    }
    return Utf8FromBstr(V_BSTR(text.Get()));
}

// Lists come back as one-dimensional arrays of VARIANTs (multi-strings, binary data).
std::string ArrayText(SAFEARRAY* array) {
    VARTYPE itemType = VT_EMPTY;
    LONG lower = 0;
    LONG upper = -1;
    if (array == nullptr || ::SafeArrayGetDim(array) != 1 ||
        FAILED(::SafeArrayGetVartype(array, &itemType)) || itemType != VT_VARIANT ||
        FAILED(::SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(::SafeArrayGetUBound(array, 1, &upper))) {
        throw RegistryError("the value has no text form");
    }
    std::vector<std::string> items;
    for (LONG index = lower; index <= upper; ++index) {
        Variant item;
        if (FAILED(::SafeArrayGetElement(array, &index, item.Get()))) {
            throw RegistryError("the value cannot be read");
        }
        items.push_back(ScalarText(*item.Get()));
    }
    return Joined(items);
}

std::wstring Expanded(const std::wstring& text) {
    std::wstring expanded(text.size() + 1, L'\0');
    for (;;) {
        const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(),
                                                         static_cast<DWORD>(expanded.size()));
        if (needed == 0) {
            return text;
        }
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);
            return expanded;
        }
        expanded.assign(needed, L'\0');
    }
}

}  // namespace

std::string TextOfVariant(const VARIANT& value) {
    if ((V_VT(&value) & VT_ARRAY) != 0) {
        return ArrayText(V_ARRAY(&value));
    }
    return ScalarText(value);
}

std::string TextOfRegistryData(DWORD type, const std::string& bytes) {
    return RegistryDataText(type, bytes, [](const std::string& text) {
        return Utf8FromWide(Expanded(WideFromUtf8(text)));
    });
}

std::int32_t NumberOfText(const std::string& text) {
    Variant source(text);
    Variant number;
    if (FAILED(::VariantChangeType(number.Get(), source.Get(), 0, VT_I4))) {
        throw RegistryError("\"" + text + "\" is no number");
    }
    return V_I4(number.Get());
}

}  // namespace galemend
