#include "platform/RegistryAccess.h"

#include <algorithm>

#include "platform/RegistryError.h"

namespace galemend {

namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

}  // namespace

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
