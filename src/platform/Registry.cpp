#include "platform/Registry.h"

#include "text/Text.h"

namespace galemend {

std::optional<RegistryKeyPath> SplitRegistryKeyPath(std::string_view keyPath) {
    const std::size_t first = keyPath.find('\\');
    if (first == std::string_view::npos || first == 0) {
        return std::nullopt;
    }
    const std::size_t last = keyPath.rfind('\\');
    RegistryKeyPath path;
    path.root = std::string(keyPath.substr(0, first));
    if (last > first) {
        path.subKey = std::string(keyPath.substr(first + 1, last - first - 1));
    }
    path.valueName = std::string(keyPath.substr(last + 1));
    path.namesKey = last + 1 == keyPath.size();
    return path;
}

RegistryValue RegistryAccess(SystemProbe& probe, const std::string& operation,
                             const std::string& keyPath, const std::string& value,
                             const std::string& type) {
    const std::string word = LowerCase(operation);
    RegistryValue result;
    // Each step is tried on its own and a refusal only abandons that step. The words are
    // tested in this order; at most one matches.
    if (word == "write") {
        try {
            probe.RegWrite(keyPath, value, type);
        } catch (const RegistryError&) {
        }
    }
    if (word == "read") {
        try {
            result = probe.RegRead(keyPath);
        } catch (const RegistryError&) {
        }
    }
    if (word == "delete") {
        try {
            probe.RegDelete(keyPath);
        } catch (const RegistryError&) {
        }
    }
    return result;
}

}  // namespace galemend
