#include "platform/win32/NativeRegistry.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/RegistryError.h"
#include "platform/RegistryKeyPath.h"
#include "platform/win32/RegistryValueText.h"

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

// The registry type and the bytes that a write of this text with this type name stores.
std::pair<DWORD, std::string> Stored(const std::string& value, const std::string& type) {
    if (type == "REG_SZ") {
        return {REG_SZ, value + '\0'};
    }
    if (type == "REG_EXPAND_SZ") {
        return {REG_EXPAND_SZ, value + '\0'};
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
    Check(
        ::RegOpenKeyExA(RootKey(path.root), path.subKey.c_str(), 0, KEY_QUERY_VALUE, key.Receive()),
        keyPath);
    std::string bytes(256, '\0');
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(bytes.size());
        const LONG status = ::RegQueryValueExA(key.Get(), path.valueName.c_str(), nullptr, &type,
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
        ::RegCreateKeyExA(RootKey(path.root), path.subKey.c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
        keyPath);
    Check(::RegSetValueExA(key.Get(), path.valueName.c_str(), 0, valueType,
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
        Check(::RegDeleteKeyA(root, path.subKey.c_str()), keyPath);
        return;
    }
    RegistryKey key;
    Check(::RegOpenKeyExA(root, path.subKey.c_str(), 0, KEY_SET_VALUE, key.Receive()), keyPath);
    Check(::RegDeleteValueA(key.Get(), path.valueName.c_str()), keyPath);
}

}  // namespace galemend
